#!/usr/bin/env bash
# The appearance toggles in the real window: the black-or-white button, and a colour chosen in
# the colour dialog that a click on the bare window opens. Colours are read from the screen.
set -euo pipefail
source "$E2E_LIB"

start_tesmora
trap stop_tesmora EXIT


TOGGLE="5587 2587" # Command2, the black-or-white button
# Points of the client area, in pixels: the bare surface, beside the bulb, where the bulb is.
SURFACE="3 3"; BESIDE_BULB="404 172"; ON_BULB="436 172"

# The colour at a pixel of the client area, as #RRGGBB.
pixel() {
  import -window "$WIN" -crop 1x1+$1+$2 +repage -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -n1
}
expect_pixel() {
  local got; got=$(pixel $1 $2)
  [ "$got" = "$3" ] || fail "$4: pixel ($1, $2) is $got, expected $3"
}
# The share of pure white pixels in the time label's area.
white_in_time() {
  import -window "$WIN" -crop 425x97+24+24 +repage png:- \
    | convert png:- -fill black +opaque white -format '%[fx:mean]' info:
}

face=$(pixel $SURFACE)
bulb=$(pixel $ON_BULB)
[ "$bulb" != "$face" ] || fail "the bulb button is not drawn at start"
note "start: surface $face"

# Dark look: white time on black, the bulb gone.
click_twips $TOGGLE
sleep 0.3
expect_pixel $SURFACE "#000000" "dark look, surface"
expect_pixel $ON_BULB "#000000" "dark look, where the bulb was"
expect_pixel 30 30 "#000000" "dark look, behind the time"
white=$(white_in_time)
awk -v w="$white" 'BEGIN { exit !(w > 0.02) }' || fail "dark look: the time is not white ($white)"
shot_window dark-look

# Normal look: the desktop's colours and the bulb again.
click_twips $TOGGLE
sleep 0.3
expect_pixel $SURFACE "$face" "normal look, surface"
[ "$(pixel $ON_BULB)" = "$bulb" ] || fail "normal look: the bulb button did not come back"
note "dark and back: ok"

# A chosen colour: the dialog opens at the window's colour; the HTML field takes the new one.
click_twips 45 45
dlg=$(wait_window '^Select Color$')
xdotool windowactivate --sync "$dlg" 2>/dev/null || true
sleep 0.3
xdotool key alt+h ctrl+a
xdotool type --delay 40 '#2060c0'
xdotool key Return
gone "$dlg"
sleep 0.3
expect_pixel $SURFACE "#2060C0" "chosen colour, surface"
expect_pixel $BESIDE_BULB "#2060C0" "chosen colour, beside the bulb"
expect_pixel $ON_BULB "#2060C0" "chosen colour, where the bulb was"
shot_window chosen-colour

# Cancelling the dialog changes no colour.
click_twips 45 45
dlg=$(wait_window '^Select Color$')
xdotool windowactivate --sync "$dlg" 2>/dev/null || true
xdotool key Escape
gone "$dlg"
sleep 0.3
expect_pixel $SURFACE "#2060C0" "after a cancelled dialog"
note "chosen colour and cancel: ok"

# The toggle still goes dark, and then back to the desktop's colours, not the chosen one.
click_twips $TOGGLE
sleep 0.3
expect_pixel $SURFACE "#000000" "dark look after a chosen colour"
click_twips $TOGGLE
sleep 0.3
expect_pixel $SURFACE "$face" "normal look after a chosen colour"
[ "$(pixel $ON_BULB)" = "$bulb" ] || fail "the bulb button did not come back"
note "toggle after a chosen colour: ok"
echo "appearance: ok"
