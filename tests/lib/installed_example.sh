#!/usr/bin/env bash
# The C++ example built the way a user's project is: the library installed
# into a prefix of the test's own, examples/ configured against it with
# find_package(orvelin), and the program run against a bus of virtual servos.
#   installed_example.sh CMAKE BUILD_TREE EXAMPLES WORK_DIR SERVO CXX [CXX_FLAGS]
set -euo pipefail
cmake=$1 tree=$2 examples=$3 work=$4 servo=$5 cxx=$6 flags=${7:-}

rm -rf "$work"
mkdir -p "$work"
"$cmake" --install "$tree" --component dev --prefix "$work/prefix" >"$work/install.log"
"$cmake" -S "$examples" -B "$work/build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_PREFIX_PATH="$work/prefix" >"$work/configure.log"
"$cmake" --build "$work/build" >"$work/build.log"

# Servo 1 stands at 0x03E8.
"$servo" --ids 1,2,5 --set 20=68,07 --link "$work/servo" >"$work/servo.out" &
servo_pid=$!
trap 'kill "$servo_pid" 2>/dev/null; wait "$servo_pid" 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    [ -s "$work/servo.out" ] && break
    sleep 0.1
done
[ -s "$work/servo.out" ] || { echo "the virtual servo did not start" >&2; exit 1; }

"$work/build/scan_positions" "$work/servo" 115200 >"$work/positions.txt"
cat "$work/positions.txt"
lines=$(cut -c1-9 "$work/positions.txt" | tr '\n' ' ')
[ "$lines" = "01 M_POS  02 M_POS  05 M_POS  " ] || { echo "not the three servos: $lines" >&2; exit 1; }
grep -qx "01 M_POS 0x03E8" "$work/positions.txt" || { echo "servo 1 is not at 0x03E8" >&2; exit 1; }
