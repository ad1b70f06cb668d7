#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer into build-fuzz/ and runs each for a bounded
# time (seconds, 60 unless given) from its checked-in seed corpus under fuzz/corpus. What the
# run adds to the corpus stays in build-fuzz/; an input that breaks a property is written there
# as crash-* and fails the script.
#   scripts/fuzz.sh [seconds]
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
out=$top/build-fuzz
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$top/fuzz" -B "$out" -G Ninja -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" >/dev/null
cmake --build "$out"
for seeds in "$top"/fuzz/corpus/*/; do
  name=$(basename "$seeds")
  corpus=$out/corpus/$name
  mkdir -p "$corpus"
  log=$out/$name.log
  echo "fuzz: $name for ${seconds}s from $(find "$seeds" -type f | wc -l) seeds"
  if ! (cd "$out" && "./fuzz_$name" -max_total_time="$seconds" -timeout=10 -max_len=1024 \
          -print_final_stats=1 "$corpus" "$seeds") >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "fuzz: $name broke a property; the input is in $out (crash-*), the log in $log" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "fuzz: $name passed: $runs runs, corpus of $(find "$corpus" -type f | wc -l) inputs"
done
