#!/usr/bin/env bash
# Renders the window under Xvfb, connected to the virtual servo, into
# docs/screenshot.png (or the path given).
set -u
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot.png}
if [ -z "${ORVELIN_SCREENSHOT_DISPLAY:-}" ]; then
    exec env ORVELIN_SCREENSHOT_DISPLAY=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
export WINEPREFIX=${ORVELIN_SCREENSHOT_PREFIX:-$PWD/build/wine-screenshot} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
tools/window-prefix.sh "$WINEPREFIX" unmanaged || exit 1
click=${ORVELIN_WIN_BUILD:-build/win}/tests/ui/click-button.exe

work=$(mktemp -d /tmp/orvelin-screenshot.XXXXXX)
. tools/window-session.sh
trap 'wineserver -k 2>/dev/null; stop_session' EXIT
start_session --set 20=68,07 --set 2C=45,46,04,00 || exit 1

wine "$work/orvelin-programmer.exe" >/dev/null 2>&1 &
# 1002: 接続 (Connect), which reads the servo into the list.
rect=$(wine "$click" orvelin-programmer.exe 1002 | tr -d '\r') || exit 1
read -r x y w h <<<"$rect"
sleep 1
mkdir -p "$(dirname "$out")"
import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out" || exit 1
wine "$click" orvelin-programmer.exe 1010 >/dev/null
echo "Wrote $out (${w}x${h})"
