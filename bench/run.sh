#!/bin/sh
# Builds and runs the benchmarks, then prints one table: each timing (the median
# of several runs) beside its floor, the ratio, the target and whether it is met.
# Usage: bench/run.sh [BUILD_DIR]   (default: build-bench beside the sources)
# REPETITIONS (default 5) sets the runs per timing; the memory figures are one
# load of a chart and one import of each hostile GEDCOM file.
# The awk program bench/table.awk makes the table.
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-"$source_dir/build-bench"}
repetitions=${REPETITIONS:-5}

# A new build folder gets no tests; an existing one keeps what it had.
tests=
[ -f "$build_dir/CMakeCache.txt" ] || tests=-DSTIRPA_BUILD_TESTS=OFF
cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DSTIRPA_BUILD_BENCH=ON $tests >/dev/null
cmake --build "$build_dir" --target paint_bench core_bench edit_bench memory_bench gedcom_bench \
    gedcom_memory_bench update_bench >/dev/null

results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
for bench in core_bench edit_bench paint_bench gedcom_bench; do
    "$build_dir/bench/$bench" --benchmark_repetitions="$repetitions" \
        --benchmark_report_aggregates_only=true --benchmark_color=false \
        >"$results/$bench.txt" 2>/dev/null
done
"$build_dir/bench/memory_bench" 1000000 >"$results/memory.txt"
"$build_dir/bench/gedcom_memory_bench" >"$results/gedcom_memory.txt"
"$build_dir/bench/update_bench" >"$results/update.txt"

# BENCH_OUTPUT names a folder that keeps the raw output.
[ -z "${BENCH_OUTPUT:-}" ] || { mkdir -p "$BENCH_OUTPUT" && cp "$results"/*.txt "$BENCH_OUTPUT"; }
cat "$results"/*.txt | awk -f "$source_dir/bench/table.awk"
echo
cat "$results/gedcom_memory.txt"
echo
cat "$results/update.txt"
