#!/usr/bin/env bash
# The appearance toggles as drawn on a real screen: the black-or-white button, and a colour chosen
# in the colour dialog that a click on the bare window opens. Colours are read from the screen,
# waiting until the window shows the expected one. Which colour each step sets, a cancelled
# dialog and the toggle after a chosen colour are the window tests' (tests/app/tst_appearance).
set -euo pipefail
source "$E2E_LIB"

start_tesmora
trap stop_tesmora EXIT

TOGGLE="Black or white background"
# Points of the client area, in pixels: the bare surface, beside the bulb, where the bulb is.
SURFACE="3 3"; BESIDE_BULB="404 172"; ON_BULB="436 172"

# The colour at a pixel of the client area, as #RRGGBB.
pixel() {
  import -window "$WIN" -crop 1x1+$1+$2 +repage -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -n1
}
pixel_is() { [ "$(pixel $1 $2)" = "$3" ]; }
expect_pixel() {
  wait_until 5 "$4: pixel ($1, $2) to be $3 (it is $(pixel $1 $2))" pixel_is $1 $2 "$3"
}
# The share of pure white pixels in the time label's area.
white_in_time() {
  import -window "$WIN" -crop 425x97+24+24 +repage png:- \
    | convert png:- -fill black +opaque white -format '%[fx:mean]' info:
}
time_is_white() { awk -v w="$(white_in_time)" 'BEGIN { exit !(w > 0.02) }'; }

face=$(pixel $SURFACE)
bulb=$(pixel $ON_BULB)
[ "$bulb" != "$face" ] || fail "the bulb button is not drawn at start"
note "start: surface $face"

# Dark look: white time on black, the bulb gone.
click_on "$TOGGLE"
expect_pixel $SURFACE "#000000" "dark look, surface"
expect_pixel $ON_BULB "#000000" "dark look, where the bulb was"
expect_pixel 30 30 "#000000" "dark look, behind the time"
wait_until 5 "the time to be drawn in white" time_is_white
shot_window dark-look

# Normal look: the desktop's colours and the bulb again.
click_on "$TOGGLE"
expect_pixel $SURFACE "$face" "normal look, surface"
expect_pixel $ON_BULB "$bulb" "normal look, the bulb button"
note "dark and back: ok"

# A chosen colour: the dialog opens at the window's colour; the HTML field takes the new one.
click_twips 45 45
dlg=$(wait_window '^Select Color$')
focus_window "$dlg"
keys alt+h ctrl+a
typed '#2060c0'
keys Return
gone "$dlg"
expect_pixel $SURFACE "#2060C0" "chosen colour, surface"
expect_pixel $BESIDE_BULB "#2060C0" "chosen colour, beside the bulb"
expect_pixel $ON_BULB "#2060C0" "chosen colour, where the bulb was"
shot_window chosen-colour

echo "appearance: ok"
