#!/usr/bin/env bash
# The About panel in the real window: a mouse click on the link hands the web-site address to
# the user's browser (here a recording script named by BROWSER, reached through xdg-open), a
# click on the donate picture hands over the donation address, and the hover effect shows.
set -euo pipefail
source "$E2E_LIB"
command -v xdg-open >/dev/null || fail "xdg-open is not installed (package xdg-utils)"

# The configured addresses, from the build that made the binary.
cache=$(dirname "$TESMORA")/CMakeCache.txt
[ -f "$cache" ] || fail "no CMakeCache.txt next to $TESMORA"
setting() { sed -n "s/^$1:[A-Z]*=//p" "$cache"; }
site=$(setting TESMORA_WEBSITE_URL)
donation="$(setting TESMORA_DONATION_HOST)/xclick/business=$(setting TESMORA_DONATION_ACCOUNT)&no_shipping=0&no_note=1&tax=0&currency_code=USD"

# A browser that only writes down what it was asked to open. A home of its own keeps the
# user's desktop settings from choosing another browser.
opened=$E2E_WORK/opened.txt
cat >"$E2E_WORK/browser" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$1" >>"$opened"
SCRIPT
chmod +x "$E2E_WORK/browser"
mkdir -p "$E2E_WORK/home"
export BROWSER=$E2E_WORK/browser HOME=$E2E_WORK/home XDG_CONFIG_HOME=$E2E_WORK/home/.config
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID || true

start_tesmora
trap stop_tesmora EXIT

# Centres in twips of the client area: the About panel sits at (120, 120).
BULB="6540 2580"; ABOUT_BUTTON="4807 2647"
LINK="5107 1807"; DONATE="2467 1650"; BACKGROUND="3187 1650"

hover_twips() {
  read -r ox oy < <(client_origin)
  xdotool mousemove --sync $((ox + $1 / 15)) $((oy + $2 / 15))
  sleep 0.3
}
# Waits until the recording browser holds $1 lines.
wait_opened() {
  for _ in $(seq 50); do
    [ -f "$opened" ] && [ "$(wc -l <"$opened")" -ge "$1" ] && return 0
    sleep 0.1
  done
  fail "the browser was not asked to open page number $1"
}
# How many pixels of the link area are pure red / dark blue.
pixels_of() {
  import -window "$WIN" -crop 233x65+224+88 +repage png:- \
    | convert png:- -fill black +opaque "$1" -fill white -opaque "$1" -format '%[fx:int(mean*w*h)]' info:
}

click_twips $BULB
click_twips $ABOUT_BUTTON
hover_twips $BACKGROUND
shot_window about
blue=$(pixels_of '#0000C0')
[ "$blue" -gt 50 ] || fail "the link is not dark blue ($blue pixels)"

click_twips $LINK
wait_opened 1
got=$(sed -n 1p "$opened")
[ "$got" = "$site" ] || fail "the link opened '$got', expected '$site'"
note "link opened '$got'"

click_twips $DONATE
wait_opened 2
got=$(sed -n 2p "$opened")
[ "$got" = "$donation" ] || fail "the donate picture opened '$got', expected '$donation'"
note "donate picture opened '$got'"

# From the donate picture straight onto the link: the coffee message on a red link.
hover_twips $BACKGROUND
hover_twips $DONATE
hover_twips $LINK
shot_window about-coffee-red
red=$(pixels_of '#FF0000')
[ "$red" -gt 50 ] || fail "the link did not turn red ($red pixels)"
[ "$(wc -l <"$opened")" -eq 2 ] || fail "hovering opened a page"
echo "about: ok"
