#!/usr/bin/env bash
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
# Builds the libFuzzer targets in build-fuzz (clang, ASan, UBSan) and runs each
# (or only the named ones) one after another for SECONDS (default 60). Prints
# each target's execution count; exits non-zero when any target has a finding,
# leaving the input in build-fuzz/artifacts/.
set -euo pipefail
seconds="${1:-60}"
shift || true
only=("$@")
cd "$(dirname "$0")/.."
root="$PWD"
build="$root/build-fuzz"

# The fuzzers need clang and its runtime libraries; nothing else does.
scripts/install-deps.sh clang-14 libclang-rt-14-dev cmake ninja-build

cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build "$build" -j2

# target  seed folder  dictionary
runs=(
  "chart_round_trip_fuzzer chart chart.dict"
  "gedcom_import_fuzzer gedcom gedcom.dict"
  "html_export_fuzzer html html.dict"
  "journal_fuzzer journal journal.dict"
  "pair_text_fuzzer pair pair.dict"
)
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
for run in "${runs[@]}"; do
  read -r target seeds dict <<<"$run"
  if ((${#only[@]})) && [[ " ${only[*]} " != *" $target "* ]]; then
    continue
  fi
  corpus="$build/corpus/$target"
  artifacts="$build/artifacts/$target/"
  mkdir -p "$corpus" "$artifacts"
  cp -n "$root/fuzz/seeds/$seeds/"* "$corpus/"
  [ "$seeds" = pair ] || [ "$seeds" = gedcom ] || [ "$seeds" = journal ] || cp -n "$root/resources/sample.txt" "$corpus/"
  log="$build/$target.log"
  if "$build/$target" "$corpus" -dict="$root/fuzz/$dict" -max_total_time="$seconds" \
       -timeout=60 -print_final_stats=1 -artifact_prefix="$artifacts" >"$log" 2>&1; then
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    echo "$target: ${executions:-?} executions in ${seconds} s, no finding"
  else
    echo "$target: FINDING (log: $log, inputs in $artifacts)"
    tail -n 60 "$log"
    status=1
  fi
done
exit "$status"
