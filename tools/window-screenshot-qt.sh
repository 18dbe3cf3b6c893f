#!/usr/bin/env bash
# The Qt window connected to the virtual servo, in Japanese and in English
# side by side, into docs/screenshot-linux.png, and its Scan dialog over a
# bus of servos into docs/screenshot-scan.png (or the paths given). Renders
# offscreen: no display is needed; fonts-ipafont-gothic gives the Japanese
# glyphs.
set -u
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot-linux.png}
scan=${2:-docs/screenshot-scan.png}
tool=build/native/qt/orvelin-window-screenshot
if [ ! -x "$tool" ]; then
    echo "window-screenshot-qt: $tool is not built (Qt 6 Widgets, Charts and the Linguist tools are needed)" >&2
    exit 1
fi
mkdir -p "$(dirname "$out")" "$(dirname "$scan")"
QT_QPA_PLATFORM=offscreen QT_QPA_PLATFORMTHEME= "$tool" "$out" "$scan"
