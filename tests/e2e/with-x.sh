#!/usr/bin/env bash
# Runs one end-to-end script against the real binary in a real X server: Xvfb with openbox as
# the window manager. Usage: with-x.sh <script> <tesmora binary>
# The script sees DISPLAY, TESMORA (the binary), SHOTS (a folder for its screenshots) and the
# helpers of tests/e2e/lib.sh.
set -euo pipefail
script=$1
export TESMORA=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export E2E_LIB=$here/lib.sh
export SHOTS=${SCREENSHOT_DIR:-$PWD/screenshots}
mkdir -p "$SHOTS"

for tool in Xvfb openbox xdotool xprop xwininfo import; do
  command -v "$tool" >/dev/null || { echo "e2e: $tool is not installed (scripts/deps.sh installs it)"; exit 1; }
done

# A display number nobody uses.
n=90
while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
export DISPLAY=:$n
work=$(mktemp -d)
export E2E_WORK=$work
Xvfb "$DISPLAY" -screen 0 1024x768x24 -dpi 96 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
cleanup() {
  [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done 2>/dev/null || true
for _ in $(seq 100); do xprop -root >/dev/null 2>&1 && break; sleep 0.1; done
HOME=$work openbox >"$work/openbox.log" 2>&1 &
wm=$!
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done

unset QT_QPA_PLATFORM
export LC_ALL=C.UTF-8 LANG=C.UTF-8
bash "$script"
