#!/bin/sh
# Times `stirpa --log-tree` on a generated chart against a plain C program that
# reads the chart and writes the same stirpalog.txt (bench/log_tree_floor.c),
# and counts the write calls of each with strace. Prints one row per size:
# the medians, their ratio and the writes.
# Usage: bench/log_tree.sh [BUILD_DIR]   (default: build)
# REPETITIONS (default 7) sets the runs per timing; SIZES the chart sizes;
# STIRPA another program to time in place of the build's.
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-"$source_dir/build"}
repetitions=${REPETITIONS:-7}
sizes=${SIZES:-"100000"}
cmake -S "$source_dir" -B "$build_dir" -DSTIRPA_BUILD_BENCH=ON >/dev/null
cmake --build "$build_dir" --target stirpa chart_files >/dev/null
stirpa=${STIRPA:-"$build_dir/src/app/stirpa"}

if [ -d /dev/shm ]; then work=$(mktemp -d -p /dev/shm); else work=$(mktemp -d); fi
trap 'rm -rf "$work"' EXIT
cc -O2 -o "$work/log_tree_floor" "$source_dir/bench/log_tree_floor.c"
cd "$work"

# Runs a command REPETITIONS times; prints the median seconds.
median() {
    for _ in $(seq "$repetitions"); do
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1 || echo "failed: $*" >&2
        end=$(date +%s%N)
        echo "$(( (end - start) / 1000 ))"
    done | sort -n | awk '{ t[NR] = $1 } END { printf "%.3f\n", t[int((NR + 1) / 2)] / 1000000 }'
}

# The write calls a command makes.
writes() {
    strace -f -c -e trace=write -o "$work/strace" "$@" >/dev/null 2>&1
    awk '$NF == "write" { print $4 }' "$work/strace"
}

printf '%-8s %10s %10s %7s %12s %12s\n' boxes stirpa floor ratio "writes" "floor writes"
for boxes in $sizes; do
    "$build_dir/bench/chart_files" "$boxes" chart.txt chart.dot
    "$stirpa" --log-tree chart.txt && mv stirpalog.txt stirpa.log
    ./log_tree_floor chart.txt
    cmp -s stirpalog.txt stirpa.log || echo "the floor's log differs from stirpa's" >&2
    time=$(median "$stirpa" --log-tree chart.txt)
    floor=$(median ./log_tree_floor chart.txt)
    printf '%-8s %9ss %9ss %7.2f %12s %12s\n' "$boxes" "$time" "$floor" \
        "$(echo "$time $floor" | awk '{ print $1 / $2 }')" \
        "$(writes "$stirpa" --log-tree chart.txt)" "$(writes ./log_tree_floor chart.txt)"
done
