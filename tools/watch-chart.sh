#!/usr/bin/env bash
# Draws docs/watch-chart.svg (or the path given) with the real programs:
# orvelin watch follows M_POS and FB_TPOS on the virtual servo while
# position writes from a second orvelin send the shaft back and forth.
set -u
cd "$(dirname "$0")/.."
out=${1:-docs/watch-chart.svg}
bin=${ORVELIN_NATIVE_BUILD:-build/native}
work=$(mktemp -d /tmp/orvelin-chart.XXXXXX)
. tools/start-servo.sh
trap 'kill "$servo_pid" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
start_servo "$bin/tools/orvelin-virtual-servo" "$work" || exit 1
export ORVELIN_CONFIG=$work/servoconf.ini
orvelin() { "$bin/cli/orvelin" "$@" --port "$servo_pty"; }

# Watching starts with the shaft at rest; each write sets a new target.
orvelin watch M_POS FB_TPOS --interval 40 --count 100 --svg "$out" >/dev/null &
watch_pid=$!
# watch opens the port for each sample; a write that finds it held that
# moment is refused (serial_open) and tried again.
for target in 300 c00 600; do
    sleep 1
    for _ in $(seq 10); do
        orvelin term "b 3f 3f $target 1" >/dev/null 2>&1 && break
        sleep 0.025
    done
done
wait "$watch_pid"
