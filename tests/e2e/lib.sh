# Helpers for the end-to-end scripts: start the program, find its window, read its title, read
# and press its controls by their accessible names as a screen reader does, click, type, take
# screenshots. Sourced by each script (and by with-x.sh). Every wait is for a condition, with a
# bound; none guesses how long the program takes.

# E2E_TRACE=1 shows every step a script takes.
if [ -n "${E2E_TRACE:-}" ]; then set -x; fi

# A failure says what did not happen; during start-up it also tells what was there instead.
fail() {
  echo "FAIL: $*" >&2
  if [ -n "${E2E_EXPLAIN:-}" ]; then "$E2E_EXPLAIN" >&2 || true; fi
  exit 1
}
note() { echo "-- $*"; }

# wait_until <seconds> <what> <command...>: runs the command until it succeeds, for at most the
# given time; fails naming what did not happen.
wait_until() {
  local limit=$1 what=$2
  shift 2
  local deadline=$((${EPOCHREALTIME//[.,]/} + limit * 1000000))
  until "$@"; do
    [ "${EPOCHREALTIME//[.,]/}" -lt "$deadline" ] || fail "waited ${limit}s for $what"
    sleep 0.05
  done
}

atspi() { "$E2E_ATSPI" "$@"; }

# Starts the program; sets APP_PID and WIN (the window id of the clock). Ready means: the window
# is shown, has the keyboard focus, is on the accessibility bus and shows the time.
start_tesmora() {
  # The accessibility bus must be up before the program starts: Qt looks for it only then.
  dbus-send --session --print-reply --reply-timeout=30000 --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress >/dev/null || fail "the accessibility bus did not start"
  "$TESMORA" >"$E2E_WORK/tesmora.log" 2>&1 &
  APP_PID=$!
  WIN=""
  clock_window() {
    kill -0 "$APP_PID" 2>/dev/null || { cat "$E2E_WORK/tesmora.log" >&2; fail "the program ended at start"; }
    WIN=$(xdotool search --onlyvisible --pid "$APP_PID" --name '^Tesmora\.' 2>/dev/null | head -n1 || true)
    [ -n "$WIN" ]
  }
  E2E_EXPLAIN=explain_start
  wait_until 60 "the clock window to appear" clock_window
  has_focus() {
    xdotool windowactivate "$WIN" 2>/dev/null || true
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$WIN" ]
  }
  wait_until 10 "the clock window to get the focus" has_focus
  atspi wait-ready "$APP_PID" 30
  # Controls are found at the places the program gives; it must know where the window manager
  # put its window, or a click lands beside them.
  placed() { [ "$(atspi origin "$APP_PID" 2>/dev/null)" = "$(client_origin)" ]; }
  wait_until 10 "the program to know where the window manager put its window" placed
  atspi wait-text "$APP_PID" "Click to Timer." '.+' 10 >/dev/null
  E2E_EXPLAIN=
}

# What the program and the desktop showed when the start went wrong.
explain_start() {
  echo "-- the program's output:"
  cat "$E2E_WORK/tesmora.log"
  echo "-- its windows (id, map state, title, window-manager state):"
  local id
  for id in $(xdotool search --pid "$APP_PID" 2>/dev/null); do
    echo "$id $(xwininfo -id "$id" 2>/dev/null | awk '/Map State/{print $3}') '$(xdotool getwindowname "$id" 2>/dev/null)' $(xprop -id "$id" _NET_WM_STATE 2>/dev/null)"
  done
  echo "-- active window: $(xdotool getactivewindow 2>/dev/null || echo none)"
  echo "-- window manager: $(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null)"
}

stop_tesmora() {
  kill "$APP_PID" 2>/dev/null || true
  wait "$APP_PID" 2>/dev/null || true
}

# Texts and presses through the accessibility bus, by the control's accessible name.
read_text() { atspi text "$APP_PID" "$1"; }
# wait_text <name> <extended regex, whole text> [seconds]
wait_text() { atspi wait-text "$APP_PID" "$1" "$2" "${3:-5}" >/dev/null; }
expect_text() {
  atspi wait-text "$APP_PID" "$1" "$(printf '%s' "$2" | sed 's/[][\.*^$+?(){}|]/\\&/g')" "${4:-5}" >/dev/null \
    || fail "$3: '$1' reads '$(read_text "$1")', expected '$2'"
  note "$3: '$2'"
}
press() { atspi press "$APP_PID" "$1"; }
# Returns once the program has answered a question over the accessibility bus: by then it has
# handled every event that came before (it answers from its event loop).
app_answers() { atspi wait-ready "$APP_PID" 5; }
# Moves the pointer onto the middle of the control called $1 (or of its row $2), and clicks.
hover_on() {
  local at x y
  at=$(atspi where "$APP_PID" "$@") || fail "no control called '$1' to point at"
  read -r x y <<<"$at"
  pointer_to "$x" "$y"
}
click_on() { hover_on "$@"; xdotool click 1; }
wait_shown() { atspi wait-shown "$APP_PID" "$1" "${2:-5}"; }
wait_gone() { atspi wait-gone "$APP_PID" "$1" "${2:-5}"; }
wait_focus() { atspi wait-focus "$APP_PID" "$1" "${2:-5}"; }
# Presses Tab until the control called $1 has the focus (at most 80 times).
tab_to() {
  for _ in $(seq 80); do
    atspi wait-focus "$APP_PID" "$1" 0 2>/dev/null && return 0
    keys Tab
  done
  fail "Tab never brought the focus to '$1'"
}

title() { xprop -id "$WIN" _NET_WM_NAME | sed -e 's/^[^"]*"//' -e 's/"$//'; }

# Waits up to $2 seconds (default 2) until the title matches the extended regex $1.
wait_title() {
  local re=$1 limit=${2:-2}
  title_is() { [[ $(title) =~ $re ]]; }
  wait_until "$limit" "the title to match '$re' (it is '$(title)')" title_is
}

# The window's client area origin on the screen.
client_origin() {
  xwininfo -id "$WIN" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}'
}

# Moves the pointer to a point of the screen and waits until the server has it there (not the
# waiting flag of xdotool's pointer move: it waits for a motion that never comes when the pointer
# is there already).
pointer_to() {
  local x=$1 y=$2
  xdotool mousemove "$x" "$y"
  pointer_at() { [ "$(xdotool getmouselocation | sed 's/ screen.*//')" = "x:$x y:$y" ]; }
  wait_until 5 "the pointer to reach $x,$y" pointer_at
}

# Points of the client area given in twips (15 twips to the pixel).
hover_twips() {
  read -r ox oy < <(client_origin)
  pointer_to $((ox + $1 / 15)) $((oy + $2 / 15))
}
click_twips() {
  hover_twips "$1" "$2"
  xdotool click 1
}

# Keys and typing go to the focused control; each xdotool call returns once the server has them.
keys() { xdotool key --delay 40 "$@"; }
typed() { xdotool type --delay 40 -- "$1"; }

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

# Prints the id of the visible window whose title matches $1, waiting up to 5 s.
wait_window() {
  local id=""
  titled() { id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true); [ -n "$id" ]; }
  wait_until 5 "a window titled like '$1'" titled "$1"
  echo "$id"
}

# Waits up to 5 s until window $1 is no longer shown.
gone() {
  not_shown() { ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
  wait_until 5 "window $1 to close" not_shown "$1"
}

# Waits until window $1 has the keyboard focus (dialogs take it from the window manager).
focus_window() {
  focused() { xdotool windowactivate "$1" 2>/dev/null || true; [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
  wait_until 5 "window $1 to get the focus" focused "$1"
}
