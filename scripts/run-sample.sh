#!/usr/bin/env bash
# Builds the editor and opens it on the bundled sample chart. Without a display,
# or with one that cannot be opened, it says so and publishes the sample as a
# web page instead.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
# stirpa brings the editor and --render, its Qt programs, with it; the tests
# are left out: building them too takes more than twice as long.
cmake --build --preset default --target stirpa
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  errors=$(mktemp)
  trap 'rm -f "$errors"' EXIT
  status=0
  # The editor's errors are shown as they come and kept, to tell a display it
  # cannot open from any other failure.
  { build/src/app/stirpa resources/sample.txt 2>&1 1>&3 3>&- | tee "$errors" >&2; } 3>&1 ||
    status=$?
  if [ "$status" -ne 1 ] || ! grep -q "display" "$errors"; then
    exit "$status"
  fi
fi
out=build/sample-web
echo "No display to use: exporting the sample chart to $out/sample.html instead."
mkdir -p "$out"
cp resources/web/* "$out/"
# The charts the sample's continuation boxes lead to go first, so that their
# links find them.
for chart in sample01 sample02 sample; do
  (cd "$out" && ../src/app/stirpa --export-html "../../resources/$chart.txt" "$chart.html" --complete-page)
done
build/src/app/stirpa --render resources/sample.txt "$out/sample.png"
echo "Open $out/sample.html in a browser, or look at $out/sample.png."
