#!/usr/bin/env bash
# Sets everything up, builds, checks the formatting, the floors and the pictures, and runs the
# whole test suite twice: in the normal build (build/) and in the sanitizer build (build-asan/:
# AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer, where any report fails the
# test). The number rules are fuzzed for a minute (scripts/fuzz.sh) while the normal build's
# suite runs, which spends most of its time waiting on X servers.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/scripts/deps.sh" --tests
"$top/scripts/check-format.sh"
"$top/scripts/check-floors.py"
"$top/scripts/check-images.sh"
"$top/scripts/build.sh"
"$top/scripts/build.sh" --sanitize
mkdir -p "$top/build-fuzz"
fuzz_log=$top/build-fuzz/fuzz.log
"$top/scripts/fuzz.sh" 60 >"$fuzz_log" 2>&1 &
fuzz=$!
echo "test: the normal build (fuzzing beside it, into $fuzz_log)"
ctest --test-dir "$top/build" --output-on-failure -j2 --timeout 600 || { wait "$fuzz" || true; exit 1; }
fuzzed=0
wait "$fuzz" || fuzzed=$?
cat "$fuzz_log"
[ "$fuzzed" -eq 0 ] || exit "$fuzzed"
echo "test: the sanitizer build"
ctest --test-dir "$top/build-asan" --output-on-failure -j2 --timeout 600
