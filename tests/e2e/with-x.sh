#!/usr/bin/env bash
# Runs one end-to-end script against the real binary, in surroundings of its own that no other
# test shares: an X server (Xvfb) with openbox as the window manager, a D-Bus session with its
# accessibility bus, and a home, runtime and config folder in a fresh temporary folder.
# Usage: with-x.sh <script> <tesmora binary>
# The script sees DISPLAY, TESMORA (the binary), SHOTS (a folder for its screenshots), E2E_WORK
# (its temporary folder) and the helpers of tests/e2e/lib.sh.
set -euo pipefail
script=$1
export TESMORA=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export E2E_LIB=$here/lib.sh E2E_ATSPI=$here/atspi.py
export SHOTS=${SCREENSHOT_DIR:-$PWD/screenshots}
mkdir -p "$SHOTS"
source "$E2E_LIB"

for tool in Xvfb openbox xdotool xprop xwininfo import dbus-run-session; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/deps.sh installs it)"
done
"$E2E_ATSPI" --help >/dev/null 2>&1 || /usr/bin/python3 -c 'import pyatspi' \
  || fail "pyatspi is not installed (package python3-pyatspi)"

work=$(mktemp -d)
export E2E_WORK=$work
# Hidden, so that a script's own folders are all that the program's folder list shows of it.
session=$work/.session
mkdir -p "$session/home" "$session/runtime" && chmod 700 "$session/runtime"
export HOME=$session/home XDG_RUNTIME_DIR=$session/runtime XDG_CONFIG_HOME=$session/home/.config
unset DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER XDG_CURRENT_DESKTOP DESKTOP_SESSION || true

cleanup() {
  [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The server picks a free display itself and writes its number once it takes connections: no
# probing of /tmp/.X11-unix that another server can race, and no guessing when it is ready.
# -noreset: the server would otherwise start afresh each time its last client leaves, and refuse
# whoever connects during that moment.
: >"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp -noreset 3>"$work/display" \
  >"$work/xvfb.log" 2>&1 &
xvfb=$!
xvfb_ready() {
  kill -0 "$xvfb" 2>/dev/null || { cat "$work/xvfb.log" >&2; fail "Xvfb ended at start"; }
  [ "$(wc -l <"$work/display")" -ge 1 ] # the number and its newline
}
explain_x() {
  echo "-- Xvfb:"; cat "$work/xvfb.log"
  echo "-- openbox:"; cat "$work/openbox.log" 2>/dev/null || true
  echo "-- X sockets:"; ls -la /tmp/.X11-unix/ 2>/dev/null || true
}
E2E_EXPLAIN=explain_x
wait_until 30 "Xvfb to take connections" xvfb_ready
export DISPLAY=:$(head -n1 "$work/display")
# A client of its own must get through before the window manager starts.
x_answers() { xprop -root >/dev/null 2>&1; }
wait_until 30 "the X server $DISPLAY to answer a client" x_answers

openbox >"$work/openbox.log" 2>&1 &
wm=$!
wm_ready() {
  kill -0 "$wm" 2>/dev/null || { cat "$work/openbox.log" >&2; fail "openbox ended at start"; }
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}
wait_until 30 "openbox to manage the screen" wm_ready
E2E_EXPLAIN=

unset QT_QPA_PLATFORM
export LC_ALL=C.UTF-8 LANG=C.UTF-8
# Qt talks to the accessibility bus of this session, found through the session bus.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
dbus-run-session -- bash "$script"
