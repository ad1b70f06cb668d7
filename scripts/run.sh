#!/usr/bin/env bash
# Sets everything up, builds and starts the clock.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/scripts/deps.sh"
"$top/scripts/build.sh"
exec "$top/build/tesmora"
