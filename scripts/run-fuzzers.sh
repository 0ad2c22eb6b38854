#!/usr/bin/env bash
# run-fuzzers.sh FUZZ_BUILD SECONDS
# Runs every fuzz target (FUZZ_BUILD/fuzz/fuzz_*) for SECONDS seconds, one
# after the other, on a working corpus (FUZZ_BUILD/corpus/TARGET) that
# starts from the seeds our writers made (FUZZ_BUILD/fuzz/seeds/NAME, NAME
# the target's name without "fuzz_"). Prints each target's executions per second;
# fails, showing the report and keeping the crashing input in
# FUZZ_BUILD/artifacts, when a target finds a fault.
set -euo pipefail
build=$(cd "${1:?usage: run-fuzzers.sh FUZZ_BUILD SECONDS}" && pwd)
seconds=${2:?usage: run-fuzzers.sh FUZZ_BUILD SECONDS}

mkdir -p "$build/artifacts" "$build/logs"
status=0
for program in "$build"/fuzz/fuzz_*; do
  [ -f "$program" ] && [ -x "$program" ] || continue
  target=$(basename "$program")
  reader=${target#fuzz_}
  corpus=$build/corpus/$target
  log=$build/logs/$target.log
  mkdir -p "$corpus"
  if ! "$build/fuzz/$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$build/artifacts/$target-" "$corpus" "$build/fuzz/seeds/$reader" > "$log" 2>&1; then
    echo "$target found a fault (log: $log):" >&2
    grep -A 40 -m 1 -E "ERROR: |runtime error|deadly signal" "$log" >&2 || tail -n 40 "$log" >&2
    status=1
    continue
  fi
  runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
  time=$(awk '/stat::average_exec_per_sec/ {print $2}' "$log")
  coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1)
  echo "$target: ran clean for ${seconds} s, $runs inputs, $time per second, $coverage"
done
exit $status
