# Sourced by window-demo.sh and screenshot.sh: the virtual servo on COM5 of
# a Wine prefix, and a copy of the window program beside a servoconf.ini
# that names that port. Expects WINEPREFIX and a temporary folder in $work.
servo_bin=${ORVELIN_VIRTUAL_SERVO:-build/native/tools/orvelin-virtual-servo}
win_build=${ORVELIN_WIN_BUILD:-build/win}
programmer=$win_build/ui/orvelin-programmer.exe
servo_pid=
. tools/start-servo.sh

stop_session() {
    [ -n "$servo_pid" ] && kill "$servo_pid" 2>/dev/null && wait "$servo_pid" 2>/dev/null
    rm -rf "$work"
}

# start_session [servo options...]: the servo (with its registers preset by
# the options) on COM5, and $work/orvelin-programmer.exe ready to run.
start_session() {
    for f in "$servo_bin" "$programmer"; do
        if [ ! -x "$f" ] && [ ! -f "$f" ]; then
            echo "window session: $f is missing; run make native win first" >&2
            return 1
        fi
    done
    start_servo "$servo_bin" "$work" "$@" || return 1
    local pty=$servo_pty
    ln -sfn "$pty" "$WINEPREFIX/dosdevices/com5"
    cp "$programmer" "$work/"
    printf '[SERIAL]\r\nPORT=COM5\r\nBAUDRATE=115200\r\n' >"$work/servoconf.ini"
    echo "Virtual servo on $pty, mapped to COM5 in $WINEPREFIX" >&2
}
