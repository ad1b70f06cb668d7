#!/usr/bin/env bash
# The translator in the real window, opened through the menu with the mouse; entries picked with
# the mouse, the arrow keys and typing in the list. Each translation is read from the
# translation box as a screen reader reads it.
set -euo pipefail
source "$E2E_LIB"

start_tesmora
trap stop_tesmora EXIT

LIST="English words"; TRANSLATION="Translation in Spanish"; SEARCH="Search in English"
expect_translation() { expect_text "$TRANSLATION" "$1" "$2"; }
# The top row the list shows.
first_row() { click_on "$LIST" top; wait_focus "$LIST"; }

click_on "Utilities"
click_on "Spanish translator"
wait_shown "$LIST"
xdotool mousemove 900 700
shot_window translator-open

# A click on the top row: the first entry.
first_row
expect_translation "Aire" "click on the first row"

# Arrow keys from there: Air, Airplane, Airport, Arrival (whose translation is empty).
click_on "$TRANSLATION"
keys ctrl+a
typed "typed by the user"
expect_text "$TRANSLATION" "typed by the user" "typed over the translation" >/dev/null
first_row
expect_translation "Aire" "the first row again"
keys Down Down Down
expect_translation "" "three times Down: Arrival"
first_row
keys Down Down Down Down
expect_translation "Llegadas" "four times Down: Arrivals"

# Typing in the list goes to the entry that starts with the typed letters.
first_row
typed "Taxi"
expect_translation "Taxi , Carro de Alquiler" "typing Taxi in the list"
shot_window translator-taxi

first_row
keys End
expect_translation "Ayer" "End: the last entry"

# The search box searches nothing: the translation stays.
click_on "$SEARCH"
wait_focus "$SEARCH"
typed "Dog"
keys Return
expect_text "$SEARCH" "Dog" "typed into the search box" >/dev/null
expect_translation "Ayer" "Dog typed into the search box"
shot_window translator-search-typed

# Typing goes to the first entry that starts so: Miss, then Down to Misses.
first_row
typed "Miss"
expect_translation "Señora" "typing Miss"
keys Down
expect_translation "Señorita" "Miss, then Down"
echo "translator: ok"
