#!/usr/bin/env bash
# The translator in the real window, opened through the menu with the mouse; entries picked with
# the mouse, the arrow keys and typing in the list. Each translation is read back by copying the
# result box to the X clipboard.
set -euo pipefail
source "$E2E_LIB"
command -v xclip >/dev/null || fail "xclip is not installed"

start_tesmora
trap stop_tesmora EXIT

# Centres, in twips of the client area. The translator panel covers the window from (0, 0).
BULB="6547 2587"; TRANSLATOR_BUTTON="1927 2647"
FIRST_ROW="1500 330"; TEXT6="5407 667"; TEXT7="5407 1747"

keys() { xdotool key --delay 60 "$@"; sleep 0.3; }
typed() { xdotool type --delay 60 "$1"; sleep 0.3; }
# An empty box copies nothing, so the clipboard is first given a text the box never holds.
NOTHING="<nothing copied>"
translation() {
  echo -n "$NOTHING" | xclip -selection clipboard >/dev/null 2>&1
  click_twips $TEXT7
  xdotool key ctrl+a ctrl+c
  sleep 0.2
  local got; got=$(xclip -o -selection clipboard 2>/dev/null || true)
  [ "$got" = "$NOTHING" ] && got=""
  printf '%s' "$got"
}
expect_translation() {
  local got; got=$(translation)
  [ "$got" = "$1" ] || fail "$2: the translation box holds '$got', expected '$1'"
  note "$2: '$got'"
}

click_twips $BULB
click_twips $TRANSLATOR_BUTTON
xdotool mousemove 900 700
sleep 0.5
shot_window translator-open

# A click on the top row: the first entry.
click_twips $FIRST_ROW
expect_translation "Aire" "click on the first row"

# Arrow keys from there: Air, Airplane, Airport, Arrival (whose translation is empty).
echo -n "typed by the user" | xclip -selection clipboard
click_twips $TEXT7; xdotool key ctrl+a ctrl+v; sleep 0.2
click_twips $FIRST_ROW
keys Down Down Down
expect_translation "" "three times Down: Arrival"
click_twips $FIRST_ROW
keys Down Down Down Down
expect_translation "Llegadas" "four times Down: Arrivals"

# Typing in the list goes to the entry that starts with the typed letters.
click_twips $FIRST_ROW
typed "Taxi"
expect_translation "Taxi , Carro de Alquiler" "typing Taxi in the list"
shot_window translator-taxi

click_twips $FIRST_ROW
keys End
expect_translation "Ayer" "End: the last entry"

# The search box searches nothing: the translation stays.
click_twips $TEXT6
typed "Dog"
keys Return
expect_translation "Ayer" "Dog typed into the search box"
shot_window translator-search-typed

# Typing goes to the first entry that starts so: Miss, then Down to Misses.
click_twips $FIRST_ROW
typed "Miss"
expect_translation "Señora" "typing Miss"
click_twips $FIRST_ROW
typed "Miss"
keys Down
expect_translation "Señorita" "Miss, then Down"
echo "translator: ok"
