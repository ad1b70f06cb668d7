#!/usr/bin/env bash
# The window as a screen reader meets it: every shown control that a user can operate says what
# it is for, in the window at rest, with the menu open and in every tool; the clock labels read
# their text, also when the keyboard brings the focus to them.
set -euo pipefail
source "$E2E_LIB"

start_tesmora
trap stop_tesmora EXIT

# Fails when a shown, operable control has no name; prints the names met.
all_named() {
  local out
  out=$(atspi unnamed "$APP_PID") || fail "$1: $(printf '%s' "$out" | grep 'no name' | paste -sd ';')"
  note "$1: $(head -n1 <<<"$out"), each with a name"
}

all_named "the clock"
wait_text "Click to Timer." '[0-9]{2}:[0-9]{2}:[0-9]{2}'
wait_text "Clck to Stopwatch" '[0-9]{4}-[0-9]{2}-[0-9]{2}'
note "the clock reads '$(read_text "Click to Timer.")' '$(read_text "Clck to Stopwatch")'"

# Tab brings the focus to the time, which is announced with its text.
tab_to "Click to Timer."
announced=$(atspi focused "$APP_PID")
[[ $announced =~ ^[0-9]{2}:[0-9]{2}:[0-9]{2}\|label\| ]] || fail "the focused time is announced as '$announced'"
note "focused time announced as '$announced'"

press "Utilities"
wait_shown "Calculator"
all_named "the menu"
atspi tree "$APP_PID" >"$SHOTS/accessible-menu.txt"

# Each tool, opened by its button, with a control that shows it is open.
while IFS='|' read -r tool inside; do
  press "$tool"
  wait_shown "$inside"
  all_named "$tool"
  atspi tree "$APP_PID" >"$SHOTS/accessible-${tool// /-}.txt"
  keys Escape
  wait_gone "$inside"
done <<'TOOLS'
Calendar|Month calendar
Spanish translator|English words
Conversions|Degrees Celsius
MP3 player|Play
Calculator|First number
About|Donate
Area and country codes|Country codes
TOOLS

# The calendar reads as one table, "Month calendar", that holds its parts; nothing around it
# bears its name.
tree=$SHOTS/accessible-Calendar.txt
named=$(grep -F "'Month calendar'" "$tree" | sed 's/^ *//')
[ "$named" = "table 'Month calendar' []" ] || fail "the calendar reads as: ${named//$'\n'/; }"
parts=$(awk -v q="'" '{ i = match($0, /[^ ]/); s = substr($0, i); sub(/ \[.*\]$/, "", s) }
  at && i <= at { exit }
  at && s !~ q q "$" { print s }
  s == "table " q "Month calendar" q { at = i }' "$tree" | paste -sd ';')
re="^push button 'Previous month';push button 'Next month';push button '[^']+';push button '[0-9]+';table 'Days of the month'$"
[[ $parts =~ $re ]] || fail "the calendar's parts read as: $parts"
note "the calendar's parts: $parts"
echo "accessibility: ok"
