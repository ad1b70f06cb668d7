#!/usr/bin/env bash
# The calculator in the real window, used with the mouse and the keyboard only; each result is
# read back from the X clipboard after the copy button.
set -euo pipefail
source "$E2E_LIB"
command -v xclip >/dev/null || fail "xclip is not installed"

start_tesmora
trap stop_tesmora EXIT

# Centres of the controls, in twips of the window's client area. The calculator panel sits at
# (120, 120); the menu bar at (120, 2040).
BULB="6540 2580"; CALC_BUTTON="4087 2647"
TEXT1="2947 487"; TEXT2="2947 1087"; TEXT3="2947 1807"
ADD="5827 547"; SUB="6547 547"; MUL="5827 1267"; DIV="6547 1267"
COPY="5827 1927"; CLEAR="6547 1927"

# Moves the pointer onto a place without clicking.
hover_twips() {
  read -r ox oy < <(client_origin)
  xdotool mousemove --sync $((ox + $1 / 15)) $((oy + $2 / 15))
  sleep 0.3
}
typed() { xdotool type --delay 40 "$1"; sleep 0.2; }
# Clicks into a box, selects what is there and types over it.
type_into() { click_twips $1; xdotool key ctrl+a; typed "$2"; }
copied() { click_twips $COPY; xclip -o -selection clipboard; }
expect_copy() {
  local got; got=$(copied)
  [ "$got" = "$1" ] || fail "$2: clipboard holds '$got', expected '$1'"
  note "$2: '$got'"
}

click_twips $BULB
click_twips $CALC_BUTTON

type_into "$TEXT1" 7
type_into "$TEXT2" 2
click_twips $DIV
expect_copy "  3.5" "7 / 2"
shot_window calculator

type_into "$TEXT1" 10
type_into "$TEXT2" 4
click_twips $SUB
expect_copy "  6" "10 - 4"

type_into "$TEXT1" 6
type_into "$TEXT2" 7
click_twips $MUL
expect_copy "  42" "6 * 7"

# The copied result ("  42"), blanks included, pasted into an operand reads as its number.
type_into "$TEXT2" 3.5
click_twips $TEXT1; xdotool key ctrl+a ctrl+v; sleep 0.2
click_twips $ADD
expect_copy "  45.5" "pasted 42 + 3.5"

# A failed division replaces the previous result.
type_into "$TEXT1" 1
type_into "$TEXT2" 0
click_twips $DIV
expect_copy "Cannot divide by zero" "1 / 0"
shot_window calculator-divide-by-zero

# Clear leaves the caret in the first operand; the focus follows the pointer onto the second
# one without a click, and not onto the result box.
click_twips $CLEAR
typed 12
hover_twips $TEXT2
typed 3
hover_twips $TEXT3
typed 4
click_twips $ADD
expect_copy "  46" "12 + 34 typed after clear, with the pointer moving"
echo "calculator: ok"
