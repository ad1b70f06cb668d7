#!/usr/bin/env bash
# The translator in the real window, opened through the menu with the mouse; entries picked with
# the mouse, the arrow keys and typing in the list. Each translation is read from the
# translation box as a screen reader reads it. (Lookups, the keys Home and End and the search box
# are checked on the window offscreen, in tests/translator.)
set -euo pipefail
source "$E2E_LIB"

start_tesmora
trap stop_tesmora EXIT

LIST="English words"; TRANSLATION="Translation in Spanish"
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

# Arrow keys from there: Air, Airplane, Airport, Arrival (whose translation is empty), Arrivals.
keys Down Down Down
expect_translation "" "three times Down: Arrival"
keys Down
expect_translation "Llegadas" "once more: Arrivals"

# Typing in the list goes to the entry that starts with the typed letters.
first_row
typed "Taxi"
expect_translation "Taxi , Carro de Alquiler" "typing Taxi in the list"
shot_window translator-taxi

# Typing goes to the first entry that starts so: Miss, then Down to Misses.
first_row
typed "Miss"
expect_translation "Señora" "typing Miss"
keys Down
expect_translation "Señorita" "Miss, then Down"
echo "translator: ok"
