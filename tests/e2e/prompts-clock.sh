#!/usr/bin/env bash
# The timer and stopwatch prompts in the real window: a mouse click on the time or the date
# opens the input box, which is found by its title and answered from the keyboard; a refused
# answer brings up "Wrong number" in a message box titled with the product name.
set -euo pipefail
source "$E2E_LIB"

start_tesmora
trap stop_tesmora EXIT


# Centres of the two clock labels, in twips of the client area.
TIME="3547 1087" # Label1 in Frame2
DATE="2587 2587" # Label2 in Frame1

# Fails when a window whose title matches $1 is visible within $2 seconds.
no_window() {
  local steps=$(($2 * 10))
  for _ in $(seq "$steps"); do
    if xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; then
      fail "unexpected window titled like '$1'"
    fi
    sleep 0.1
  done
}
# The prompt must belong to the clock window.
owned() {
  local owner
  owner=$(xprop -id "$1" WM_TRANSIENT_FOR | grep -o '0x[0-9a-f]*' || true)
  [ -n "$owner" ] && [ $((owner)) -eq "$WIN" ] || fail "window $1 is not a dialog of the clock"
}
# Opens the prompt with a click on $1 (twips), expects the title $2, types $3 (or presses
# Escape when it is "<cancel>").
answer() {
  local at=$1 title=$2 typed=$3 dlg
  click_twips $at
  dlg=$(wait_window "^${title//./\\.}\$")
  owned "$dlg"
  xdotool windowactivate --sync "$dlg" 2>/dev/null || true
  if [ "$typed" = "<cancel>" ]; then
    xdotool key Escape
  else
    xdotool type --delay 40 -- "$typed"
    xdotool key Return
  fi
  gone "$dlg"
}

# Cancel: the prompt closes and nothing else shows.
answer "$TIME" "Timer." "<cancel>"
no_window '^Tesmora$' 2
note "timer, Cancel: no message"

# "abc": "Wrong number", with an OK button that closes it.
click_twips $TIME
dlg=$(wait_window '^Timer\.$')
sleep 0.3
shot prompt-timer
xdotool windowactivate --sync "$dlg" 2>/dev/null || true
xdotool type --delay 40 abc
xdotool key Return
gone "$dlg"
box=$(wait_window '^Tesmora$')
owned "$box"
sleep 0.3
shot wrong-number
xdotool windowactivate --sync "$box" 2>/dev/null || true
xdotool key Return
gone "$box"
note "timer, abc: message shown and closed"

# Accepted answers end silently.
answer "$TIME" "Timer." "90"
no_window '^Tesmora$' 1
answer "$DATE" "Stopwatch." " 5 "
no_window '^Tesmora$' 1
note "timer 90, stopwatch ' 5 ': no message"

# The stopwatch refuses a negative number too.
answer "$DATE" "Stopwatch." "-3"
box=$(wait_window '^Tesmora$')
xdotool windowactivate --sync "$box" 2>/dev/null || true
xdotool key Return
gone "$box"
note "stopwatch, -3: message"

# The clock kept running throughout.
kill -0 "$APP_PID" || fail "the program ended"
echo "prompts: ok"
