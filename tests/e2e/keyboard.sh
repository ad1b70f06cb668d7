#!/usr/bin/env bash
# The keyboard alone in the real window: the menu, two tools and the timer prompt, reached with
# Tab, Space, Enter and Escape only, the focus going where the window manager puts it. What the
# tools do with the keys is their own tests'; here: where the focus goes, read as a screen reader
# reads it.
set -euo pipefail
source "$E2E_LIB"

start_tesmora
trap stop_tesmora EXIT
# The pointer stays out of the window all along.
pointer_to 1000 750

wait_focus "Utilities" 5
keys space
wait_shown "Spanish translator"
note "Space on the bulb opens the menu"

# Space opens the translator with the focus inside; Tab reaches the word list.
tab_to "Spanish translator"
keys space
wait_focus "Search in English"
tab_to "English words"
keys Escape
wait_gone "English words"
wait_focus "Spanish translator"
note "Escape closes the translator and the focus is back on its button"

# Enter opens the calculator with the focus in its first box; Tab goes on to the second.
tab_to "Calculator"
keys Return
wait_focus "First number"
keys Tab
wait_focus "Second number"
tab_to "Calculator"
keys space
wait_gone "First number"
wait_focus "Calculator"
note "Space on its button closes the calculator"

# Escape closes the menu; Enter on the focused time opens the timer prompt, which takes the keys.
keys Escape
wait_gone "Spanish translator"
wait_focus "Utilities"
tab_to "Click to Timer."
keys Return
dlg=$(wait_window '^Timer\.$')
keys Escape
gone "$dlg"
note "Enter on the time opens the timer prompt; Escape closes it"
echo "keyboard: ok"
