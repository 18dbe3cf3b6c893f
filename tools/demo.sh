#!/usr/bin/env bash
# make demo: the programmer against the built-in virtual servo. With a
# display, first the window (ORVELIN_DEMO_WINDOW: qt, the native one, or
# wine, the Win32 one); then, or without a display, the command-line tour.
set -u
cd "$(dirname "$0")/.."
servo_bin=build/native/tools/orvelin-virtual-servo
orvelin=build/native/cli/orvelin

# The window first, where it can be seen; the command-line tour follows.
case "${ORVELIN_DEMO_WINDOW:-}" in
    qt) tools/window-demo-qt.sh || echo "demo: the window demo did not run; the command-line demo follows" >&2 ;;
    wine) tools/window-demo.sh || echo "demo: the window demo did not run; the command-line demo follows" >&2 ;;
esac

work=$(mktemp -d /tmp/orvelin-demo.XXXXXX)
servo_pid=
trap 'kill $servo_pid 2>/dev/null; wait $servo_pid 2>/dev/null; rm -rf "$work"' EXIT
. tools/start-servo.sh
start_servo "$servo_bin" "$work" --ids 3F,1,5@57600 --set 20=68,07 --set 2C=45,46,04,00 || exit 1
pty=$servo_pty
# The demo keeps its settings to itself.
export ORVELIN_CONFIG="$work/servoconf.ini"

echo "== Virtual servo on $pty (IDs 3F, 1, and 5 at 57600 baud only)"
echo
echo "== orvelin term --port $pty R"
"$orvelin" term --port "$pty" R || exit 1
echo
echo "== orvelin table --port $pty"
"$orvelin" table --port "$pty" || exit 1
echo
echo "== orvelin scan --port $pty --baud all"
"$orvelin" scan --port "$pty" --baud all || exit 1
if [ -z "${DISPLAY:-}" ]; then
    echo
    echo "(No display: this was the command-line demo. With a display, make demo opens the window first.)"
fi
