# Helpers for the end-to-end scripts: start the program, find its window, read its title,
# click at a control's place, take screenshots. Sourced by each script.

fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "-- $*"; }

# Starts the program; sets APP_PID and WIN (the window id of the clock).
start_tesmora() {
  "$TESMORA" >"$E2E_WORK/tesmora.log" 2>&1 &
  APP_PID=$!
  WIN=""
  for _ in $(seq 100); do
    WIN=$(xdotool search --onlyvisible --pid "$APP_PID" --name '^Tesmora\.' 2>/dev/null | head -n1 || true)
    [ -n "$WIN" ] && break
    sleep 0.1
  done
  [ -n "$WIN" ] || { cat "$E2E_WORK/tesmora.log"; fail "the clock window did not appear"; }
  xdotool windowactivate --sync "$WIN" 2>/dev/null || true
  sleep 0.5
}

stop_tesmora() {
  kill "$APP_PID" 2>/dev/null || true
  wait "$APP_PID" 2>/dev/null || true
}

title() { xprop -id "$WIN" _NET_WM_NAME | sed -e 's/^[^"]*"//' -e 's/"$//'; }

# Waits up to $2 seconds (default 2) until the title matches the extended regex $1.
wait_title() {
  local re=$1 limit=${2:-2} t
  local steps=$((limit * 10))
  for _ in $(seq "$steps"); do
    t=$(title)
    [[ $t =~ $re ]] && return 0
    sleep 0.1
  done
  fail "title '$(title)' does not match '$re' within ${limit}s"
}

# The window's client area origin on the screen.
client_origin() {
  xwininfo -id "$WIN" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}'
}

# Clicks at a point of the client area given in twips (15 twips to the pixel).
click_twips() {
  local x=$(( $1 / 15 )) y=$(( $2 / 15 ))
  read -r ox oy < <(client_origin)
  # No --sync: it waits for a motion that never comes when the pointer is already there.
  xdotool mousemove $((ox + x)) $((oy + y)) sleep 0.1 click 1
  sleep 0.3
}

# Screenshot of the whole screen into $SHOTS/<name>.png.
shot() {
  import -window root "$SHOTS/$1.png"
  note "screenshot $SHOTS/$1.png"
}

# Screenshot of the clock window only.
shot_window() {
  import -window "$WIN" "$SHOTS/$1.png"
  note "screenshot $SHOTS/$1.png"
}

# Prints the id of the visible window whose title matches $1, waiting up to 3 s.
wait_window() {
  local id=""
  for _ in $(seq 30); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  fail "no window titled like '$1' appeared"
}

# Waits up to 3 s until window $1 is no longer shown.
gone() {
  for _ in $(seq 30); do
    xwininfo -id "$1" 2>/dev/null | grep -q IsViewable || return 0
    sleep 0.1
  done
  fail "window $1 is still shown"
}
