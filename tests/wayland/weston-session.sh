#!/usr/bin/env bash
# The clock in a Wayland session, on a headless weston with XWayland. Where XWayland is there the
# window goes through it: an X11 window, whose state the X window manager reports to the clock, so
# that the title carries the time; where it is not, the window opens on Wayland itself.
# Usage: weston-session.sh <tesmora binary> <desktop id>
set -euo pipefail
export TESMORA=$1
id=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "-- $*"; }
for tool in weston Xwayland xdotool xprop wmctrl; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/deps.sh installs it)"
done
# within <seconds> <command...>: runs the command until it succeeds, for at most that long.
within() {
    local steps=$(($1 * 20))
    shift
    for _ in $(seq "$steps"); do
        "$@" && return 0
        sleep 0.05
    done
    return 1
}

work=$(mktemp -d)
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime
socket=tesmora-$$
: >"$work/weston.log" # there before the background start opens it
weston --backend=headless-backend.so --xwayland --socket="$socket" --idle-time=0 \
    >"$work/weston.log" 2>&1 &
weston=$!
APP_PID=""
stop_tesmora() {
    [ -n "$APP_PID" ] || return 0
    kill "$APP_PID" 2>/dev/null || true
    wait "$APP_PID" 2>/dev/null || true
    APP_PID=""
}
cleanup() {
    stop_tesmora
    kill "$weston" 2>/dev/null || true
    wait "$weston" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# weston names the X display it serves once it listens (XWayland itself starts on first use).
x11=""
listening() {
    x11=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log")
    [ -n "$x11" ] && [ -S "$XDG_RUNTIME_DIR/$socket" ]
}
within 10 listening || { cat "$work/weston.log"; fail "weston did not start with XWayland"; }

# A Wayland desktop, as a session manager describes it; the user chose no platform.
unset QT_QPA_PLATFORM
export WAYLAND_DISPLAY=$socket XDG_SESSION_TYPE=wayland LC_ALL=C.UTF-8 LANG=C.UTF-8

# With XWayland: the clock's window is on the X display. weston's own X window manager does not
# iconify windows (a minimise request leaves WM_STATE Normal; the minimised title is tested under
# openbox in tests/e2e), but it does maximise them, and the state it reports reaches the title.
export DISPLAY=$x11
"$TESMORA" >"$work/x11.log" 2>&1 &
APP_PID=$!
WIN=""
x11_window() {
    WIN=$(xdotool search --onlyvisible --pid "$APP_PID" --name '^Tesmora\.' 2>/dev/null | head -n1 || true)
    [ -n "$WIN" ]
}
within 60 x11_window || { cat "$work/x11.log"; fail "no clock window on the X display $x11"; }
title() { xprop -id "$WIN" _NET_WM_NAME | sed -e 's/^[^"]*"//' -e 's/"$//'; }
title_matches() { [[ $(title) =~ $1 ]]; }
product='^Tesmora\.     ver\. 1\.0\.9$'
clock='^[0-9]{2}:[0-9]{2}:[0-9]{2} \([0-9]{4}-[0-9]{2}-[0-9]{2}\) $'
within 2 title_matches "$product" || fail "title '$(title)', not the product title"
wmctrl -i -r "$WIN" -b add,maximized_vert,maximized_horz
within 2 title_matches "$clock" || fail "title '$(title)' while maximised"
note "maximised under XWayland: '$(title)'"
wmctrl -i -r "$WIN" -b remove,maximized_vert,maximized_horz
within 2 title_matches "$product" || fail "title '$(title)' after maximising"
stop_tesmora

# Without XWayland: the window opens on Wayland itself, with the product title and the desktop id
# (read from the protocol messages the clock sends to the compositor).
unset DISPLAY
: >"$work/wayland.log"
WAYLAND_DEBUG=client "$TESMORA" >>"$work/wayland.log" 2>&1 &
APP_PID=$!
wayland_window() {
    grep -q 'set_title("Tesmora\.     ver\. 1\.0\.9")' "$work/wayland.log" &&
        grep -q "set_app_id(\"$id\")" "$work/wayland.log"
}
within 60 wayland_window || {
    grep -v '^\[' "$work/wayland.log" | tail -20
    fail "no Wayland window with the product title and id $id"
}
kill -0 "$APP_PID" 2>/dev/null || fail "the clock ended on Wayland"
note "on Wayland alone: a toplevel titled 'Tesmora.     ver. 1.0.9', app id $id"
echo "wayland session: ok"
