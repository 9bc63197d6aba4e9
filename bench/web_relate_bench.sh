#!/bin/sh
# How two persons are related in the web page of a generated village's book of
# 100,000 persons: the family file, its book (--import-gedcom --split), the
# page (--export-web), then bench/web_relate_bench.mjs in headless Chromium.
# Usage: bench/web_relate_bench.sh [BUILD_DIR] [PERSONS]   (default: build-bench, 100000)
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-"$source_dir/build-bench"}
persons=${2:-100000}
if [ -f "$build_dir/CMakeCache.txt" ]; then
    cmake -B "$build_dir" -DSTIRPA_BUILD_BENCH=ON >/dev/null
else
    cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DSTIRPA_BUILD_TESTS=OFF -DSTIRPA_BUILD_BENCH=ON >/dev/null
fi
cmake --build "$build_dir" --target stirpa village_file >/dev/null
stirpa="$build_dir/src/app/stirpa"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build_dir/bench/village_file" "$persons" "$work/village.ged"
"$stirpa" --import-gedcom "$work/village.ged" "$work/book.txt" --descendants 40 --split 200 >/dev/null
start=$(date +%s.%N)
"$stirpa" --export-web "$work/book.txt" "$work/book.html" --test-hooks
end=$(date +%s.%N)
printf 'export of the book page\t%.2f s\n' "$(awk "BEGIN { print $end - $start }")"
node "$source_dir/bench/web_relate_bench.mjs" "$work/book.html"
