#!/usr/bin/env bash
# The real window: its title, the title while minimised, restoring it, and opening the menu with
# a mouse click.
set -euo pipefail
source "$E2E_LIB"

start_tesmora
trap stop_tesmora EXIT

product='^Tesmora\.     ver\. 1\.0\.9$'
wait_title "$product" 2
shot_window start

# Minimised: time and date in the title within a second, changing every second.
xdotool windowminimize --sync "$WIN"
clock='^[0-9]{2}:[0-9]{2}:[0-9]{2} \([0-9]{4}-[0-9]{2}-[0-9]{2}\) $'
wait_title "$clock" 1
first=$(title)
sleep 1.1
second=$(title)
[[ $second =~ $clock ]] || fail "title while minimised: '$second'"
[ "$first" != "$second" ] || fail "the title did not change within a second: '$first'"
note "minimised title: '$second'"

# Restored: the product title comes back within a second.
xdotool windowmap --sync "$WIN"
xdotool windowactivate --sync "$WIN" 2>/dev/null || true
wait_title "$product" 1

# A click where the bulb button is opens the menu bar: where the date frame was plain, the
# telephone button of the menu shows its picture.
colours_at_menu_button() {
  import -window "$WIN" -crop 28x28+18+162 +repage png:- | convert png:- -format %k info:
}
plain=$(colours_at_menu_button)
[ "$plain" -le 3 ] || fail "the date frame is not plain where the menu opens ($plain colours)"
click_twips $((6240 + 300)) $((2280 + 300))
sleep 0.5
pictured=$(colours_at_menu_button)
[ "$pictured" -gt 4 ] || fail "clicking the bulb did not open the menu ($pictured colours)"
note "menu button area: $plain colours before the click, $pictured after"
shot_window menu-open
echo "window: ok"
