#!/usr/bin/env bash
# Sets everything up, builds, checks the formatting, the floors and the pictures, and runs the
# whole test suite twice: in the normal build (build/) and in the sanitizer build (build-asan/:
# AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer, where any report fails the
# test). Then fuzzes the number rules for a minute (scripts/fuzz.sh).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/scripts/deps.sh" --tests
"$top/scripts/check-format.sh"
"$top/scripts/check-floors.py"
"$top/scripts/check-images.sh"
"$top/scripts/build.sh"
"$top/scripts/build.sh" --sanitize
echo "test: the normal build"
ctest --test-dir "$top/build" --output-on-failure -j2 --timeout 600
echo "test: the sanitizer build"
ctest --test-dir "$top/build-asan" --output-on-failure -j2 --timeout 600
"$top/scripts/fuzz.sh" 60
