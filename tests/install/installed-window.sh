#!/usr/bin/env bash
# The installed binary opens the clock window with the product title, and the window names its
# desktop entry to the window manager.
set -euo pipefail
source "$E2E_LIB"

start_tesmora
trap stop_tesmora EXIT
wait_title '^Tesmora\.     ver\. 1\.0\.9$' 2
shot_window installed
echo "installed window: ok"
