#!/usr/bin/env bash
# The real window under a window manager: its title, the title while minimised, and restoring it.
set -euo pipefail
source "$E2E_LIB"

start_tesmora
trap stop_tesmora EXIT

product='^Tesmora\.     ver\. 1\.0\.9$'
wait_title "$product" 2
shot_window start

# Minimised: time and date in the title within a second, changing every second.
xdotool windowminimize "$WIN"
clock='^[0-9]{2}:[0-9]{2}:[0-9]{2} \([0-9]{4}-[0-9]{2}-[0-9]{2}\) $'
wait_title "$clock" 2
first=$(title)
changed() { local t; t=$(title); [[ $t =~ $clock ]] && [ "$t" != "$first" ]; }
wait_until 2 "the minimised title to change from '$first'" changed
note "minimised title: '$(title)'"

# Restored: the product title comes back within a second.
xdotool windowmap "$WIN"
focus_window "$WIN"
wait_title "$product" 2

echo "window: ok"
