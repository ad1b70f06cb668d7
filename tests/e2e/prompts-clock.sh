#!/usr/bin/env bash
# The timer and stopwatch prompts in the real window: a mouse click on the time or the date
# opens the input box, which is found by its title and answered from the keyboard; a refused
# answer brings up "Wrong number" in a message box titled with the product name.
set -euo pipefail
source "$E2E_LIB"

start_tesmora
trap stop_tesmora EXIT

TIME="Click to Timer." # the clock labels, found by what they are for
DATE="Clck to Stopwatch"

# After the program has handled everything so far, only the clock window is shown.
only_the_clock() {
  app_answers
  local shown
  shown=$(atspi windows "$APP_PID")
  [ "$(printf '%s\n' "$shown" | grep -c .)" -eq 1 ] || fail "$1: windows shown: $(printf '%s' "$shown" | paste -sd '|')"
}
# The prompt must belong to the clock window.
owned() {
  local owner
  owner=$(xprop -id "$1" WM_TRANSIENT_FOR | grep -o '0x[0-9a-f]*' || true)
  [ -n "$owner" ] && [ $((owner)) -eq "$WIN" ] || fail "window $1 is not a dialog of the clock"
}
# Opens the prompt with a click on the label called $1, expects the title $2, types $3 (or
# presses Escape when it is "<cancel>").
answer() {
  local label=$1 title=$2 typed=$3 dlg
  click_on "$label"
  dlg=$(wait_window "^${title//./\\.}\$")
  owned "$dlg"
  focus_window "$dlg"
  if [ "$typed" = "<cancel>" ]; then
    keys Escape
  else
    typed "$typed"
    keys Return
  fi
  gone "$dlg"
}
# The message box: titled with the product name, it says "Wrong number"; Return closes it.
wrong_number() {
  local box
  box=$(wait_window '^Tesmora$')
  owned "$box"
  wait_shown "Wrong number"
  [ -n "${1:-}" ] && shot "$1"
  focus_window "$box"
  keys Return
  gone "$box"
}

# Cancel: the prompt closes and nothing else shows.
answer "$TIME" "Timer." "<cancel>"
only_the_clock "timer, Cancel"
note "timer, Cancel: no message"

# "abc": "Wrong number", with an OK button that closes it.
click_on "$TIME"
dlg=$(wait_window '^Timer\.$')
focus_window "$dlg"
wait_shown "OK"
shot prompt-timer
typed abc
keys Return
gone "$dlg"
wrong_number wrong-number
note "timer, abc: message shown and closed"

# An accepted answer ends silently. (Which answers are refused is the unit tests'.)
answer "$DATE" "Stopwatch." " 5 "
only_the_clock "stopwatch, ' 5 '"
note "stopwatch ' 5 ': no message"

# The clock kept running throughout.
kill -0 "$APP_PID" || fail "the program ended"
echo "prompts: ok"
