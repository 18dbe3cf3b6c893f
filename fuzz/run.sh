#!/usr/bin/env bash
# Runs every fuzz target of the fuzz tree for a bounded time each.
#   fuzz/run.sh BUILD_DIR SECONDS
set -u
build=$(cd "$1" && pwd)
seconds=$2
seeds=$(cd "$(dirname "$0")" && pwd)/corpus
status=0
for target in "$build"/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    work="$build/corpus/$name"
    mkdir -p "$work"
    echo "== $name for $seconds s"
    if ! "$target" -max_total_time="$seconds" -print_final_stats=1 -close_fd_mask=2 "$work" "$seeds/$name" >"$build/$name.log" 2>&1; then
        status=1
        tail -n 40 "$build/$name.log"
        echo "$name: FINDING (log: $build/$name.log; crash input in $(pwd))"
    fi
    grep -E '^stat::number_of_executed_units|^Done' "$build/$name.log"
done
exit $status
