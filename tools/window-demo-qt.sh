#!/usr/bin/env bash
# The Qt window (build/native/qt/orvelin-programmer) against the virtual
# servo: IDs 3F, 1 and 5 on a pseudo-terminal, with M_POS and M_ENC preset,
# and a servoconf.ini of the demo's own whose PORT names that terminal.
# Press 接続 (Connect) to read it; close the window to end the demo.
set -u
cd "$(dirname "$0")/.."
servo_bin=build/native/tools/orvelin-virtual-servo
window=build/native/qt/orvelin-programmer
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "window-demo-qt: no display to show the window on" >&2
    exit 1
fi
if [ ! -x "$window" ]; then
    echo "window-demo-qt: $window is not built (Qt 6 Widgets, Charts and the Linguist tools are needed)" >&2
    exit 1
fi

work=$(mktemp -d /tmp/orvelin-window-demo-qt.XXXXXX)
servo_pid=
trap 'kill $servo_pid 2>/dev/null; wait $servo_pid 2>/dev/null; rm -rf "$work"' EXIT
. tools/start-servo.sh
start_servo "$servo_bin" "$work" --ids 3F,1,5 --set 20=68,07 --set 2C=45,46,04,00 || exit 1
printf '[SERIAL]\nPORT=%s\nBAUDRATE=115200\n' "$servo_pty" >"$work/servoconf.ini"
export ORVELIN_CONFIG="$work/servoconf.ini"

echo "== The ORVELIN programmer window on $servo_pty: choose 接続 (Connect); close the window to end the demo."
echo "   Try: View → Chart → Start recording, then send  b 3f 3f 800 1  to watch M_POS move."
"$window"
