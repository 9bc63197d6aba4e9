#!/usr/bin/env bash
# Builds Stirpa and opens the editor on the bundled sample chart. Without a
# display it says so and publishes the sample as a web page instead.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
# stirpa brings the editor and --render, its Qt programs, with it.
cmake --build --preset default --target stirpa
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/src/app/stirpa resources/sample.txt
fi
out=build/sample-web
echo "No display: exporting the sample chart to $out/sample.html instead."
mkdir -p "$out"
cp resources/web/* "$out/"
(cd "$out" && ../src/app/stirpa --export-html ../../resources/sample.txt sample.html --complete-page)
build/src/app/stirpa --render resources/sample.txt "$out/sample.png"
echo "Open $out/sample.html in a browser, or look at $out/sample.png."
