#!/usr/bin/env bash
# The About panel in the real window: a mouse click on the link hands the web-site address to
# the user's browser (here a recording script named by BROWSER, reached through xdg-open), a
# click on the donate picture hands over the donation address, and the link is drawn in its two
# colours.
set -euo pipefail
source "$E2E_LIB"
command -v xdg-open >/dev/null || fail "xdg-open is not installed (package xdg-utils)"

# The configured addresses, from the build that made the binary.
cache=$(dirname "$TESMORA")/CMakeCache.txt
[ -f "$cache" ] || fail "no CMakeCache.txt next to $TESMORA"
setting() { sed -n "s/^$1:[A-Z]*=//p" "$cache"; }
site=$(setting TESMORA_WEBSITE_URL)
donation="$(setting TESMORA_DONATION_HOST)/xclick/business=$(setting TESMORA_DONATION_ACCOUNT)&no_shipping=0&no_note=1&tax=0&currency_code=USD"

# A browser that only writes down what it was asked to open (the home of this test keeps the
# user's desktop settings from choosing another browser).
opened=$E2E_WORK/opened.txt
cat >"$E2E_WORK/browser" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$1" >>"$opened"
SCRIPT
chmod +x "$E2E_WORK/browser"
export BROWSER=$E2E_WORK/browser

start_tesmora
trap stop_tesmora EXIT

LINK="Web site link"
BACKGROUND="3187 1650" # twips of the client area: the bare panel between picture and link
caption="Please visit my website for more freeware"

# Waits until the recording browser holds $1 lines.
opened_lines() { [ -f "$opened" ] && [ "$(wc -l <"$opened")" -ge "$1" ]; }
# How many pixels of the link area are of colour $1.
pixels_of() {
  import -window "$WIN" -crop 233x65+224+88 +repage png:- \
    | convert png:- -fill black +opaque "$1" -fill white -opaque "$1" -format '%[fx:int(mean*w*h)]' info:
}
link_drawn_in() { [ "$(pixels_of "$1")" -gt 50 ]; }

click_on "Utilities"
click_on "About"
wait_shown "$LINK"
hover_twips $BACKGROUND
expect_text "$LINK" "$caption" "the link at rest"
wait_until 5 "the link to be drawn dark blue" link_drawn_in '#0000C0'
shot_window about

click_on "$LINK"
wait_until 5 "the browser to be asked for the web site" opened_lines 1
got=$(sed -n 1p "$opened")
[ "$got" = "$site" ] || fail "the link opened '$got', expected '$site'"
note "link opened '$got'"

click_on "Donate"
wait_until 5 "the browser to be asked for the donation page" opened_lines 2
got=$(sed -n 2p "$opened")
[ "$got" = "$donation" ] || fail "the donate picture opened '$got', expected '$donation'"
note "donate picture opened '$got'"

# The pointer on the link: it is drawn red. (Which text the link carries after which move is the
# unit tests'; here the colours as the X server shows them.)
hover_on "$LINK"
wait_until 5 "the link to turn red" link_drawn_in '#FF0000'
shot_window about-red
[ "$(wc -l <"$opened")" -eq 2 ] || fail "hovering opened a page"
echo "about: ok"
