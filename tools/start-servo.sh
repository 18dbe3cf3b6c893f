# Sourced: start_servo BINARY FOLDER [servo options...] starts the virtual
# servo in the background, waits for the path of its pseudo-terminal and
# sets servo_pid and servo_pty. Returns 1, with the servo's error shown,
# when it does not start.
start_servo() {
    local bin=$1 folder=$2
    shift 2
    "$bin" "$@" >"$folder/servo.out" 2>"$folder/servo.err" &
    servo_pid=$!
    servo_pty=
    for _ in $(seq 100); do
        servo_pty=$(head -n 1 "$folder/servo.out" 2>/dev/null)
        [ -n "$servo_pty" ] && return 0
        sleep 0.05
    done
    echo "the virtual servo did not start:" >&2
    cat "$folder/servo.err" >&2
    return 1
}
