#!/usr/bin/env bash
# The calculator in the real window, used with the mouse and the keyboard; controls are found by
# their accessible names. Each result is read from the result box as a screen reader reads it,
# and then from the X clipboard after the copy button. The arithmetic and what each button shows
# are the unit tests' (tests/calculator); here: the X clipboard, the window manager's focus and
# the real pointer.
set -euo pipefail
source "$E2E_LIB"
command -v xclip >/dev/null || fail "xclip is not installed"

start_tesmora
trap stop_tesmora EXIT

# Clicks into a box, selects what is there and types over it; waits until the box holds it.
type_into() {
  click_on "$1"
  wait_focus "$1"
  keys ctrl+a
  typed "$2"
  expect_text "$1" "$2" "typed into $1" >/dev/null
}
clipboard() { xclip -o -selection clipboard 2>/dev/null || true; }
expect_result() {
  expect_text "Result" "$1" "$2"
  echo -n "<nothing copied>" | xclip -selection clipboard
  click_on "Copy result"
  copied() { [ "$(clipboard)" = "$1" ]; }
  wait_until 5 "the clipboard to hold '$1' (it holds '$(clipboard)')" copied "$1"
}

click_on "Utilities"
click_on "Calculator"
wait_shown "First number"

type_into "First number" 7
type_into "Second number" 2
click_on "Divide"
expect_result "  3.5" "7 / 2"
shot_window calculator

# The copied result ("  3.5"), blanks included, pasted into an operand reads as its number.
type_into "Second number" 1
click_on "First number"
keys ctrl+a ctrl+v
expect_text "First number" "  3.5" "pasted" >/dev/null
click_on "Add"
expect_result "  4.5" "pasted 3.5 + 1"

# Clear leaves the caret in the first operand; the focus follows the real pointer onto the
# second one without a click.
click_on "Clear"
wait_focus "First number"
typed 12
hover_on "Second number"
wait_focus "Second number"
typed 34
click_on "Add"
expect_result "  46" "12 + 34 typed after clear, with the pointer moving"
echo "calculator: ok"
