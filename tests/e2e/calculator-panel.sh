#!/usr/bin/env bash
# The calculator in the real window, used with the mouse and the keyboard; controls are found by
# their accessible names. Each result is read from the result box as a screen reader reads it,
# and then from the X clipboard after the copy button.
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

type_into "First number" 10
type_into "Second number" 4
click_on "Subtract"
expect_result "  6" "10 - 4"

type_into "First number" 6
type_into "Second number" 7
click_on "Multiply"
expect_result "  42" "6 * 7"

# The copied result ("  42"), blanks included, pasted into an operand reads as its number.
type_into "Second number" 3.5
click_on "First number"
keys ctrl+a ctrl+v
expect_text "First number" "  42" "pasted" >/dev/null
click_on "Add"
expect_result "  45.5" "pasted 42 + 3.5"

# A failed division replaces the previous result.
type_into "First number" 1
type_into "Second number" 0
click_on "Divide"
expect_result "Cannot divide by zero" "1 / 0"
shot_window calculator-divide-by-zero

# Clear leaves the caret in the first operand; the focus follows the pointer onto the second
# one without a click, and not onto the result box.
click_on "Clear"
wait_focus "First number"
typed 12
hover_on "Second number"
wait_focus "Second number"
typed 3
hover_on "Result"
typed 4
expect_text "Second number" "34" "typed with the pointer on the result box" >/dev/null
click_on "Add"
expect_result "  46" "12 + 34 typed after clear, with the pointer moving"
echo "calculator: ok"
