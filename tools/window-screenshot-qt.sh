#!/usr/bin/env bash
# The Qt window connected to the virtual servo, in Japanese and in English
# side by side, into docs/screenshot-linux.png (or the path given). Renders
# offscreen: no display is needed; fonts-ipafont-gothic gives the Japanese
# glyphs.
set -u
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot-linux.png}
tool=build/native/qt/orvelin-window-screenshot
if [ ! -x "$tool" ]; then
    echo "window-screenshot-qt: $tool is not built (Qt 6 Widgets, Charts and the Linguist tools are needed)" >&2
    exit 1
fi
mkdir -p "$(dirname "$out")"
QT_QPA_PLATFORM=offscreen QT_QPA_PLATFORMTHEME= "$tool" "$out"
