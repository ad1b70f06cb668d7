#!/usr/bin/env bash
# The code lookups in the real window, opened through the menu with the mouse; entries picked
# from the drop-down lists with the mouse and the keyboard, and text typed into a field. The
# fields and the result labels are read as a screen reader reads them.
set -euo pipefail
source "$E2E_LIB"

start_tesmora
trap stop_tesmora EXIT

AREAS="Area codes"; COUNTRIES="Country codes"; INTERNET="Internet country codes"
AREA="Area code"; COUNTRY="Country code"; DOMAIN="Internet country code"

# The three result labels, in that order, must read $1 $2 $3 ("-" for blank).
expect_labels() {
  local want=("$1" "$2" "$3") names=("$AREA" "$COUNTRY" "$DOMAIN") i
  for i in 0 1 2; do
    [ "${want[$i]}" = - ] && want[$i]=""
    expect_text "${names[$i]}" "${want[$i]}" "$4: ${names[$i]}" >/dev/null
  done
  note "$4: labels '$1' '$2' '$3'"
}
field() { click_on "$1"; wait_focus "$1"; }

click_on "Utilities"
click_on "Area and country codes"
wait_shown "$COUNTRIES"
shot_window codes-open
expect_labels - - - "at start"

# Italy from the country list with the keyboard: open it with Alt+Down, walk, take with Return.
field "$COUNTRIES"
keys alt+Down Home
keys $(printf 'Down %.0s' $(seq 19))
keys Return
expect_text "$COUNTRIES" "Italy" "country field"
expect_labels - ITA - "Italy picked with the keys"
shot_window codes-italy

# Guatemala, five rows up, with the arrow keys on the closed box: the label keeps ITA.
field "$COUNTRIES"
keys Up Up Up Up Up
expect_text "$COUNTRIES" "Guatemala" "country field"
expect_labels - ITA - "Guatemala after Italy"

# Typed into the field, then Return and Tab: no lookup, the label keeps ITA.
field "$COUNTRIES"
keys ctrl+a
typed "El Salvador"
keys Return Tab
wait_focus "$INTERNET"
expect_text "$COUNTRIES" "El Salvador" "country field"
expect_labels - ITA - "El Salvador typed into the field"
shot_window codes-typed

# El Salvador from the internet list with the mouse: the first row of its drop-down list.
click_on "$INTERNET" right
click_on "$INTERNET" 0
expect_text "$INTERNET" "El Salvador" "internet field"
expect_labels - ITA SV "El Salvador picked with the mouse"
shot_window codes-salvador

# Area list: a blank row and Texas leave the area label blank.
field "$AREAS"
keys alt+Down Home Down Down Return
expect_labels - ITA SV "a blank area picked"
field "$AREAS"
keys alt+Down End Up Return
expect_text "$AREAS" "Texas" "area field"
expect_labels - ITA SV "Texas picked"
shot_window codes-area
echo "codes: ok"
