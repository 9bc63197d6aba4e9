#!/bin/sh
# The published web page of generated charts of 100,000 and 1,000,000 boxes:
# the export against a --save-as of the same chart (median of three runs each),
# the page's size against the chart file's, then the page in headless Chromium
# (bench/web_bench.mjs: first paint, persons list, the longest task meanwhile,
# pan and zoom steps at 100, 35, 8 and 2 %, find keystroke by keystroke).
# Usage: bench/web_bench.sh [BUILD_DIR]   (default: build-bench beside the sources,
# made as a Release build; a build folder given keeps its own build type)
# Needs the browser tests' modules: scripts/install-deps.sh installs them.
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-"$source_dir/build-bench"}
if [ -f "$build_dir/CMakeCache.txt" ]; then
    cmake -B "$build_dir" -DSTIRPA_BUILD_BENCH=ON >/dev/null
else
    cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DSTIRPA_BUILD_TESTS=OFF -DSTIRPA_BUILD_BENCH=ON >/dev/null
fi
cmake --build "$build_dir" --target stirpa web_chart >/dev/null
stirpa="$build_dir/src/app/stirpa"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The median of three runs of a command, in seconds.
median_time() {
    for run in 1 2 3; do
        start=$(date +%s.%N)
        "$@"
        end=$(date +%s.%N)
        awk "BEGIN { print $end - $start }"
    done | sort -n | sed -n 2p
}
for boxes in 100000 1000000; do
    "$build_dir/bench/web_chart" "$boxes" "$work/chart.txt"
    save=$(median_time "$stirpa" --save-as "$work/chart.txt" "$work/saved.txt")
    export=$(median_time "$stirpa" --export-web "$work/chart.txt" "$work/chart.html" --test-hooks)
    chart_size=$(stat -c %s "$work/chart.txt")
    page_size=$(stat -c %s "$work/chart.html")
    printf '%s\texport against --save-as\t%.3f s / %.3f s = %.2fx\t<= 2x\n' "$boxes" "$export" "$save" \
        "$(awk "BEGIN { print $export / $save }")"
    printf '%s\tpage size against the chart file\t%d / %d bytes = %.2fx\t<= 1.3x + the viewer\n' \
        "$boxes" "$page_size" "$chart_size" "$(awk "BEGIN { print $page_size / $chart_size }")"
    node "$source_dir/bench/web_bench.mjs" "$work/chart.html" "$boxes"
done
