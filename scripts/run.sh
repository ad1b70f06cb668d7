#!/usr/bin/env bash
# Sets up what the clock needs, builds the program alone and starts it.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/scripts/deps.sh"
"$top/scripts/build.sh" --program
exec "$top/build/tesmora"
