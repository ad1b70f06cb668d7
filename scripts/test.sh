#!/usr/bin/env bash
# Sets everything up, builds, checks the formatting, the floors and the pictures, and runs the
# whole test suite.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/scripts/deps.sh"
"$top/scripts/check-format.sh"
"$top/scripts/check-floors.py"
"$top/scripts/check-images.sh"
"$top/scripts/build.sh"
ctest --test-dir "$top/build" --output-on-failure -j2 --timeout 600
