#!/bin/sh
# Builds and runs the paint benchmarks, then prints a table of the timings.
# Usage: bench/run.sh [BUILD_DIR]   (default: build-bench beside the sources)
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-"$source_dir/build-bench"}

cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DSTIRPA_BUILD_BENCH=ON -DSTIRPA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build_dir" --target paint_bench >/dev/null

QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build_dir/bench/paint_bench" 2>/dev/null | awk '
    # Result lines: name, wall time, unit, CPU time, unit, iterations, counters.
    $3 ~ /^(ns|us|ms|s)$/ && $5 ~ /^(ns|us|ms|s)$/ {
        name = $1; sub(/\/iterations:[0-9]+/, "", name)
        counters = ""
        for (i = 7; i <= NF; i++) counters = counters " " $i
        line[++count] = sprintf("| %-22s | %9s %-2s | %9s %-2s | %-26s |", name, $2, $3, $4, $5, counters)
        wall[name] = $2; cpu[name] = $4
    }
    END {
        printf "| %-22s | %12s | %12s | %-26s |\n", "benchmark", "wall", "CPU", "counters"
        printf "|------------------------|--------------|--------------|----------------------------|\n"
        for (i = 1; i <= count; i++) print line[i]
        if (cpu["paintViewport/100"] > 0)
            printf "\nviewport, 100,000 boxes / 100 boxes: %.2fx CPU, %.2fx wall (limit 3x)\n",
                cpu["paintViewport/100000"] / cpu["paintViewport/100"],
                wall["paintViewport/100000"] / wall["paintViewport/100"]
    }'
