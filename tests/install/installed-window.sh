#!/usr/bin/env bash
# The installed binary opens the clock window with the product title, and the desktop entry
# (DESKTOP_ENTRY) names the window's class, by which a desktop shows the window under the entry's
# name and icon.
set -euo pipefail
source "$E2E_LIB"

# openbox names itself on the root window before it manages new windows; a window mapped in
# between is never shown. It lists its clients once it does.
for _ in $(seq 100); do
    xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
done
start_tesmora
trap stop_tesmora EXIT
wait_title '^Tesmora\.     ver\. 1\.0\.9$' 2
shot_window installed
class=$(xprop -id "$WIN" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = "[^"]*", "\([^"]*\)"$/\1/p')
grep -qx "StartupWMClass=$class" "$DESKTOP_ENTRY" ||
    fail "the window's class '$class' is not the entry's $(grep StartupWMClass "$DESKTOP_ENTRY" || echo 'StartupWMClass (none)')"
echo "installed window: ok"
