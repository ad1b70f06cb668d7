#!/usr/bin/env bash
# The keyboard alone: the menu, a translator lookup, a calculator sum and the timer prompt, with
# Tab, Space, Enter and Escape only. What the program shows is read as a screen reader reads it.
set -euo pipefail
source "$E2E_LIB"
command -v xclip >/dev/null || fail "xclip is not installed"

start_tesmora
trap stop_tesmora EXIT
# The pointer stays out of the window all along.
pointer_to 1000 750

wait_focus "Utilities" 5
keys space
wait_shown "Spanish translator"
note "Space on the bulb opens the menu"

# A translator lookup: Space opens it with the focus inside; type in the word list.
tab_to "Spanish translator"
keys space
wait_focus "Search in English"
tab_to "English words"
typed "Taxi"
expect_text "Translation in Spanish" "Taxi , Carro de Alquiler" "Taxi typed in the word list"
keys Escape
wait_gone "English words"
wait_focus "Spanish translator"
note "Escape closes the translator and the focus is back on its button"

# A calculator sum: Enter opens it; Tab between the boxes; Enter on Add.
tab_to "Calculator"
keys Return
wait_focus "First number"
typed 7
keys Tab
wait_focus "Second number"
typed 5
tab_to "Add"
keys Return
expect_text "Result" "  12" "7 + 5 by keyboard"
tab_to "Copy result"
keys space
copied() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "  12" ]; }
wait_until 5 "the clipboard to hold the result" copied
tab_to "Calculator"
keys space
wait_gone "First number"
wait_focus "Calculator"
note "Space on its button closes the calculator"

# Escape closes the menu; Enter on the focused time opens the timer prompt.
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
