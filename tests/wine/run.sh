#!/usr/bin/env bash
# Runs one Windows program under Wine with a virtual servo on a COM port.
# ctest uses it as the emulator of the Windows tree. The servo is steered
# through an append-only control file and logs every packet it receives;
# the program finds both, and the port, in its environment.
#   ORVELIN_WINEPREFIX    the test prefix (in the build tree)
#   ORVELIN_VIRTUAL_SERVO the native orvelin-virtual-servo
set -u
exe=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
: "${ORVELIN_WINEPREFIX:?}" "${ORVELIN_VIRTUAL_SERVO:?}"
export WINEPREFIX=$ORVELIN_WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$here/prefix.sh" || exit 1

work=$(mktemp -d /tmp/orvelin-wine.XXXXXX)
servo_pid=
cleanup() {
    [ -n "$servo_pid" ] && kill "$servo_pid" 2>/dev/null && wait "$servo_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

: >"$work/control"
: >"$work/log"
. "$here/../../tools/start-servo.sh"
start_servo "$ORVELIN_VIRTUAL_SERVO" "$work" --control "$work/control" --log "$work/log" || exit 1
pty=$servo_pty

# One COM port per concurrent run: the first free name from COM5 to COM60.
# Tests that need a port nobody serves name one above that (COM199, COM250).
owners="$WINEPREFIX.ports"
mkdir -p "$owners"
exec 9>"$owners/lock"
flock 9
for n in $(seq 5 60); do
    owner="$owners/com$n"
    if [ ! -e "$owner" ] || ! kill -0 "$(cat "$owner")" 2>/dev/null; then
        ln -sfn "$pty" "$WINEPREFIX/dosdevices/com$n"
        echo $$ >"$owner"
        break
    fi
done
flock -u 9

winpath() { printf 'Z:%s' "${1//\//\\}"; }
export ORVELIN_TEST_PORT="COM$n"
export ORVELIN_SERVO_CONTROL="$(winpath "$work/control")"
export ORVELIN_SERVO_LOG="$(winpath "$work/log")"

# The Wine server goes down with the display it was started on, quietly.
xvfb-run -a -s "-screen 0 1024x768x24" sh -c 'wine "$@"; rc=$?; wineserver -k 2>/dev/null; exit $rc' run "$exe" "$@"
rc=$?
rm -f "$owner"
exit $rc
