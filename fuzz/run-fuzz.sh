#!/bin/bash
# Builds the fuzz harnesses with clang++ in BUILD_DIR and runs each for SECONDS on
# a fresh copy of its seed corpus; fails on any finding. usage: run-fuzz.sh BUILD_DIR [SECONDS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?usage: run-fuzz.sh BUILD_DIR [SECONDS]}
seconds=${2:-30}
cxx=${GLOUTON_CLANGXX:-clang++}

cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 >/dev/null

status=0
for harness in key_script sim_cli replay replay_link board_submission; do
  corpus="$build/corpus/$harness"
  rm -rf "$corpus"
  mkdir -p "$corpus" "$build/findings"
  cp "$here/corpus/$harness"/* "$corpus/"
  # The links' harness also takes replays' texts, to put them in links.
  [ "$harness" != replay_link ] || cp "$here/corpus/replay"/* "$corpus/"
  log="$build/$harness.log"
  if "$build/${harness}_fuzz" -max_total_time="$seconds" -timeout=5 -print_final_stats=1 \
      -artifact_prefix="$build/findings/$harness-" "$corpus" >"$log" 2>&1; then
    echo "$harness: $(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}') executions," \
         "$(ls "$corpus" | wc -l) inputs in the corpus, no finding"
  else
    echo "$harness: FINDING (log $log, input in $build/findings/):"
    grep -a -E -m1 -A4 'fuzz check failed|ERROR: (AddressSanitizer|libFuzzer|UndefinedBehavior)|runtime error' "$log" || tail -20 "$log"
    status=1
  fi
done
exit $status
