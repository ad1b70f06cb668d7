#!/usr/bin/env bash
# The clock in a Wayland session, on a headless weston with XWayland. Where XWayland is there the
# window goes through it: an X11 window, whose state the X window manager reports to the clock, so
# that the title carries the time; where it is not, the window opens on Wayland itself.
# Usage: weston-session.sh <tesmora binary> <desktop id>
set -euo pipefail
export TESMORA=$1
id=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
for tool in weston Xwayland xdotool xprop wmctrl; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (scripts/deps.sh installs it)" >&2; exit 1; }
done

work=$(mktemp -d)
export E2E_WORK=$work
# shellcheck source=../e2e/lib.sh
source "$here/../e2e/lib.sh"
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime
socket=tesmora-$$
: >"$work/weston.log" # there before the background start opens it
weston --backend=headless-backend.so --xwayland --socket="$socket" --idle-time=0 \
    >"$work/weston.log" 2>&1 &
weston=$!
cleanup() {
    [ -n "${APP_PID:-}" ] && stop_tesmora
    kill "$weston" 2>/dev/null || true
    wait "$weston" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# weston names the X display it serves once it listens (XWayland itself starts on first use).
x11=""
for _ in $(seq 100); do
    x11=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log")
    [ -n "$x11" ] && [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
    sleep 0.1
done
[ -n "$x11" ] || { cat "$work/weston.log"; fail "weston did not start with XWayland"; }

# A Wayland desktop, as a session manager describes it; the user chose no platform.
unset QT_QPA_PLATFORM
export WAYLAND_DISPLAY=$socket XDG_SESSION_TYPE=wayland LC_ALL=C.UTF-8 LANG=C.UTF-8

# With XWayland: the clock's window is on the X display. weston's own X window manager does not
# iconify windows (a minimise request leaves WM_STATE Normal; the minimised title is tested under
# openbox in tests/e2e), but it does maximise them, and the state it reports reaches the title.
export DISPLAY=$x11
start_tesmora
product='^Tesmora\.     ver\. 1\.0\.9$'
wait_title "$product" 2
wmctrl -i -r "$WIN" -b add,maximized_vert,maximized_horz
wait_title '^[0-9]{2}:[0-9]{2}:[0-9]{2} \([0-9]{4}-[0-9]{2}-[0-9]{2}\) $' 2
note "maximised under XWayland: '$(title)'"
wmctrl -i -r "$WIN" -b remove,maximized_vert,maximized_horz
wait_title "$product" 2
stop_tesmora
APP_PID=""

# Without XWayland: the window opens on Wayland itself, with the product title and the desktop id
# (read from the protocol messages the clock sends to the compositor).
unset DISPLAY
: >"$work/wayland.log"
WAYLAND_DEBUG=client "$TESMORA" >>"$work/wayland.log" 2>&1 &
APP_PID=$!
shown=""
for _ in $(seq 200); do
    if grep -q 'set_title("Tesmora\.     ver\. 1\.0\.9")' "$work/wayland.log" &&
        grep -q "set_app_id(\"$id\")" "$work/wayland.log"; then
        shown=yes
        break
    fi
    kill -0 "$APP_PID" 2>/dev/null || break
    sleep 0.1
done
[ -n "$shown" ] || { grep -v '^\[' "$work/wayland.log" | tail -20; fail "no Wayland window with the product title and id $id"; }
kill -0 "$APP_PID" 2>/dev/null || fail "the clock ended on Wayland"
note "on Wayland alone: a toplevel titled 'Tesmora.     ver. 1.0.9', app id $id"
echo "wayland session: ok"
