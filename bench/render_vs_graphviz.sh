#!/bin/sh
# Times `stirpa --render` against Graphviz drawing the same picture (neato -n2:
# every box a node pinned at its place and size, the same labels and
# connectors; bench/chart_files writes both files) and prints one table: the
# median of several runs of each, the ratio, Stirpa's peak memory and the target.
# Usage: bench/render_vs_graphviz.sh [BUILD_DIR]   (default: build)
# REPETITIONS (default 3) sets the runs per timing; SIZES the chart sizes;
# GRAPHVIZ_MAX the largest chart Graphviz draws (default 100000).
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-"$source_dir/build"}
repetitions=${REPETITIONS:-3}
sizes=${SIZES:-"1000 10000 100000 1000000"}
# Graphviz needs gigabytes past this many boxes: larger charts hold our memory only.
graphviz_max=${GRAPHVIZ_MAX:-100000}
cmake -S "$source_dir" -B "$build_dir" -DSTIRPA_BUILD_BENCH=ON >/dev/null
cmake --build "$build_dir" --target stirpa chart_files >/dev/null
stirpa="$build_dir/src/app/stirpa"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

# Files go to memory where there is a tmpfs: the flush to disk that makes
# Stirpa's writes durable would otherwise be most of a small render's time.
if [ -d /dev/shm ]; then work=$(mktemp -d -p /dev/shm); else work=$(mktemp -d); fi
trap 'rm -rf "$work"' EXIT

# Runs a command REPETITIONS times; prints the median seconds (to the
# millisecond) and the largest
# peak resident size in MB.
measure() {
    for _ in $(seq "$repetitions"); do
        start=$(date +%s%N)
        /usr/bin/time -f "%M" -o "$work/time" "$@" >/dev/null 2>&1 || echo "failed: $*" >&2
        end=$(date +%s%N)
        echo "$(( (end - start) / 1000000 )) $(cat "$work/time")"
    done | sort -n | awk '{ t[NR] = $1; if ($2 > m) m = $2 } END { printf "%.3f %.0f\n", t[int((NR + 1) / 2)] / 1000, m / 1024 }'
}

# The targets: 2x Graphviz for SVG (up to 100k), PNG (up to 10k) and PDF at
# 1,000 boxes, where start-up is most of the time; faster for larger PDFs;
# every render within 512 MB.
target() {
    case "$1:$2" in
    svg:1000|svg:10000|svg:100000|png:1000|png:10000|pdf:1000) echo 2 ;;
    pdf:*) echo 1 ;;
    *) echo 0 ;;
    esac
}

printf '| %-6s | %9s | %10s | %10s | %7s | %9s | %-16s | %-4s |\n' \
    format boxes stirpa graphviz ratio "peak MB" target met
printf '|--------|-----------|------------|------------|---------|-----------|------------------|------|\n'
for boxes in $sizes; do
    "$build_dir/bench/chart_files" "$boxes" "$work/chart.txt" "$work/chart.dot"
    for format in svg png pdf; do
        need=$(target "$format" "$boxes")
        [ "$boxes" -gt "$graphviz_max" ] && need=0
        # A PNG of a million boxes is ten gigapixels: only its memory is held.
        [ "$format" = png ] && [ "$boxes" -gt 100000 ] && continue
        set -- $(measure "$stirpa" --render "$work/chart.txt" "$work/out.$format")
        ours=$1 peak=$2
        theirs=-
        ratio=-
        if [ "$need" != 0 ]; then
            set -- $(measure neato -n2 -T"$format" "$work/chart.dot" -o "$work/graphviz.$format")
            theirs=$1
            ratio=$(awk -v a="$theirs" -v b="$ours" 'BEGIN { printf "%.1f", a / (b > 0 ? b : 0.01) }')
        fi
        rm -f "$work/out.$format" "$work/graphviz.$format"
        goal="<= 512 MB"
        met=$(awk -v p="$peak" 'BEGIN { print (p <= 512 ? "pass" : "FAIL") }')
        if [ "$need" != 0 ]; then
            goal=">= ${need}x, <= 512 MB"
            met=$(awk -v r="$ratio" -v n="$need" -v p="$peak" \
                'BEGIN { print (r >= n && (n > 1 ? r >= n : r > 1) && p <= 512 ? "pass" : "FAIL") }')
        fi
        printf '| %-6s | %9s | %8s s | %8s s | %7s | %9s | %-16s | %-4s |\n' \
            "$format" "$boxes" "$ours" "$theirs" "$ratio" "$peak" "$goal" "$met"
    done
done
