#!/usr/bin/env bash
# The code lookups in the real window, opened through the menu with the mouse; entries picked
# from the drop-down lists with the mouse and the keyboard, and text typed into a field. The
# result labels are read from screenshots: blank, or the same picture as after an earlier pick.
set -euo pipefail
source "$E2E_LIB"
command -v xclip >/dev/null || fail "xclip is not installed"

start_tesmora
trap stop_tesmora EXIT

# In twips of the client area; the codes panel starts at (0, 120).
BULB="6547 2587"; CODES_BUTTON="487 2647"
COMBO1_FIELD="1500 570"; COMBO2_FIELD="1500 1170"; COMBO3_FIELD="1500 1770"
COMBO3_ARROW="3000 1770"; COMBO3_BOTTOM=1980
# Label areas: left top width height, in pixels of the client area.
LABEL10="240 32 105 25"; LABEL11="240 72 113 17"; LABEL12="240 104 89 25"

keys() { xdotool key --delay 80 "$@"; sleep 0.4; }
typed() { xdotool type --delay 60 "$1"; sleep 0.3; }
away() { xdotool mousemove 900 700; sleep 0.3; }
# A label's area as a picture: $1 = area, $2 = file name.
grab() {
  read -r x y w h <<<"$1"
  import -window "$WIN" -crop "${w}x${h}+${x}+${y}" +repage "$E2E_WORK/$2.png"
}
colours() { convert "$E2E_WORK/$1.png" -format %k info:; }
differing() { compare -metric AE "$E2E_WORK/$1.png" "$E2E_WORK/$2.png" null: 2>&1 || true; }
expect_blank() {
  local n; n=$(colours "$1")
  [ "$n" -le 1 ] || fail "$2: the label shows something ($n colours)"
  note "$2: blank"
}
expect_text() {
  local n; n=$(colours "$1")
  [ "$n" -gt 2 ] || fail "$2: the label is blank"
  note "$2: text ($n colours)"
}
expect_same() {
  local d; d=$(differing "$1" "$2")
  [ "$d" = 0 ] || fail "$3: the label changed ($d pixels)"
  note "$3: unchanged"
}
expect_changed() {
  local d; d=$(differing "$1" "$2")
  [ "$d" != 0 ] || fail "$3: the label did not change"
  note "$3: changed ($d pixels)"
}

# The text of a combo box's field, copied to the X clipboard.
NOTHING="<nothing copied>"
expect_field() {
  echo -n "$NOTHING" | xclip -selection clipboard >/dev/null 2>&1
  click_twips $1
  xdotool key ctrl+a ctrl+c
  sleep 0.2
  local got; got=$(xclip -o -selection clipboard 2>/dev/null || true)
  [ "$got" = "$2" ] || fail "$3 shows '$got', expected '$2'"
  note "$3: '$got'"
}

click_twips $BULB
click_twips $CODES_BUTTON
away
shot_window codes-open
grab "$LABEL10" area-start; expect_blank area-start "area label at start"
grab "$LABEL11" country-start; expect_blank country-start "country label at start"
grab "$LABEL12" internet-start; expect_blank internet-start "internet label at start"

# Italy from the country list with the keyboard: open it with Alt+Down, walk, take with Return.
click_twips $COMBO2_FIELD
keys alt+Down Home
for _ in $(seq 19); do xdotool key Down; sleep 0.05; done
keys Return
expect_field "$COMBO2_FIELD" "Italy" "country field"
away
grab "$LABEL11" italy; expect_text italy "Italy picked with the keys"
shot_window codes-italy

# Guatemala, five rows up, with the arrow keys on the closed box: the label keeps ITA.
click_twips $COMBO2_FIELD
keys Up Up Up Up Up
away
grab "$LABEL11" guatemala; expect_same italy guatemala "Guatemala after Italy"

# Typed into the field, then Return and Tab: no lookup, the label keeps ITA.
click_twips $COMBO2_FIELD
keys ctrl+a
typed "El Salvador"
keys Return Tab
away
grab "$LABEL11" typed; expect_same italy typed "El Salvador typed into the field"
shot_window codes-typed

# El Salvador from the internet list with the mouse: the first row under the box.
click_twips $COMBO3_ARROW
sleep 0.8
read -r ox oy < <(client_origin)
xdotool mousemove --sync $((ox + 1500 / 15)) $((oy + COMBO3_BOTTOM / 15 + 10))
sleep 0.3
xdotool click 1
sleep 0.5
away
grab "$LABEL12" salvador; expect_text salvador "El Salvador picked with the mouse"
grab "$LABEL11" country-after; expect_same italy country-after "country label after the internet pick"
shot_window codes-salvador

# Italy below it with the arrow key: ITA, a different picture from SV.
click_twips $COMBO3_FIELD
keys Down
away
grab "$LABEL12" internet-italy; expect_changed salvador internet-italy "Italy after El Salvador"

# Area list: a blank row and Texas leave the area label blank.
click_twips $COMBO1_FIELD
keys alt+Down Home Down Down Return
away
grab "$LABEL10" area-blank; expect_blank area-blank "a blank area picked"
click_twips $COMBO1_FIELD
keys alt+Down End Up Return
expect_field "$COMBO1_FIELD" "Texas" "area field"
away
grab "$LABEL10" area-texas; expect_blank area-texas "Texas picked"
shot_window codes-area
echo "codes: ok"
