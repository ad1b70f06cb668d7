#!/usr/bin/env bash
# Measures Tesmora against a minimal Qt clock and a few references and prints one table:
# the lag of the shown second (title and time label), launch to mapped window, peak RSS,
# click on play to first sound, idle CPU and wakeups, and the player's file list on a large
# folder. Not part of the test suite.
#
#   bench/run.sh [--baseline BIN [--baseline BIN]] [--long | --files | --launches | --share |
#                --slow-share]
#
# --baseline BIN  also measures another Tesmora binary (an older build, say) in the same run;
#                 given twice, two of them
# --long          instead: the resident size of an idle Tesmora over 30 minutes
# --files         only the file list (also part of the normal run): opening the player in a
#                 folder of 1,000 and of 100,000 files (a tenth not MP3), FILES_ROUNDS times
#                 each: CPU time, the window's slowest answer meanwhile, resident size
# --launches      only launch to mapped window and peak RSS (also part of the normal run), the
#                 programs taking turns LAUNCHES times: with --baseline, two builds side by side
# --share         only a network share that stops answering (a FUSE file system of the tests',
#                 tests/faults/share.py; needs root and /dev/fuse): with the share shut, the
#                 player opened, the share picked from the drive list, the window closed,
#                 SHARE_ROUNDS times: the window's slowest answer to a ping, the close's time
# --slow-share    only a slow share (the same FUSE share, needs root, /dev/fuse and the
#                 accessibility bus) whose every call takes D ms, for D in SLOW_DELAYS: the
#                 program started in the share's root, which holds album1..album3 of eight songs
#                 and intro.mp3, the player opened at once: start to both lists showing the
#                 root; then album1 opened and album2 right after, before album1 has listed:
#                 album2's opening to album2 listed, and whether a message box came; the
#                 window's slowest answer to a ping during each; SLOW_ROUNDS rounds. The lists
#                 are read through AT-SPI; a figure not reached within 30 s counts as 30000 and
#                 "never"
#
# Environment: BENCH_DIR (builds and results, default build-bench/ in the tree), RESULTS (the
# figures, default BENCH_DIR/results.tsv), LAG_ROUNDS and
# LAG_SLOT (the lag is watched in LAG_ROUNDS rounds of LAG_SLOT seconds per group of programs),
# LAUNCHES, SOUND_TRIES, IDLE_SECONDS, LONG_SECONDS, FILES_ROUNDS, SHARE_ROUNDS, SLOW_ROUNDS
# (default 3), SLOW_DELAYS (milliseconds, default "40 150"); TESMORA (a built binary to
# measure instead of building a release one from this tree).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
here=$top/bench
bench_dir=${BENCH_DIR:-$top/build-bench}
py=/usr/bin/python3 # the system's, which has python3-xlib
observe=("$py" "$here/observe.py")

baselines=() long=no files=no launches_only=no share=no slow=no
while [ $# -gt 0 ]; do
  case $1 in
    --baseline) baselines+=("$(realpath "$2")"); shift 2 ;;
    --long) long=yes; shift ;;
    --files) files=yes; shift ;;
    --launches) launches_only=yes; shift ;;
    --share) share=yes files=yes; shift ;;
    --slow-share) slow=yes files=yes; shift ;;
    *) echo "usage: bench/run.sh [--baseline BIN [--baseline BIN]] [--long | --files |" \
         "--launches | --share | --slow-share]" >&2
       exit 2 ;;
  esac
done
lag_rounds=${LAG_ROUNDS:-7} lag_slot=${LAG_SLOT:-45}
launches=${LAUNCHES:-20} sound_tries=${SOUND_TRIES:-10} idle_seconds=${IDLE_SECONDS:-60}
long_seconds=${LONG_SECONDS:-1800}

missing=() tools=(cmake ninja Xvfb openbox xdotool)
if [ "$files" = no ] && [ "$launches_only" = no ]; then
  tools+=(xclock pulseaudio parec pactl sox lame mpg123 gst-launch-1.0)
fi
[ "$slow" = yes ] && tools+=(dbus-daemon dbus-send)
for tool in "${tools[@]}"; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
"$py" -c 'import Xlib.ext.damage' 2>/dev/null || missing+=(python3-xlib)
[ "$slow" = no ] || "$py" -c 'import pyatspi' 2>/dev/null || missing+=(python3-pyatspi)
if [ ${#missing[@]} -gt 0 ]; then
  echo "bench: missing ${missing[*]}; run scripts/deps.sh --tests and install x11-apps mpg123" \
    "gstreamer1.0-tools python3-xlib" >&2
  exit 1
fi

# --- build: a release Tesmora and the minimal clock, from this tree --------------------------
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ -n "${TESMORA:-}" ]; then
  tesmora=$(realpath "$TESMORA")
else
  cmake -S "$top" -B "$bench_dir/tesmora" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DTESMORA_BUILD_TESTS=OFF "${launcher[@]}" >/dev/null
  cmake --build "$bench_dir/tesmora" --target tesmora >/dev/null
  tesmora=$bench_dir/tesmora/tesmora
fi
if [ "$files" = no ]; then
  cmake -S "$here" -B "$bench_dir/minimal" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    "${launcher[@]}" >/dev/null
  cmake --build "$bench_dir/minimal" >/dev/null
fi
minimal=$bench_dir/minimal/minimal

# --- a desktop and a sound server of our own ------------------------------------------------
work=$(mktemp -d)
pids=() apps=()
cleanup() {
  for p in "${apps[@]}" "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export TZ=UTC LC_ALL=C.UTF-8 LANG=C.UTF-8
unset QT_QPA_PLATFORM
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$work/display")
HOME=$work openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break
  sleep 0.1
done

mkdir -p "$bench_dir"
export RESULTS=${RESULTS:-$bench_dir/results.tsv}
: >"$RESULTS"
programs=(tesmora)
[ ${#baselines[@]} -gt 0 ] && programs+=(baseline)
[ ${#baselines[@]} -gt 1 ] && programs+=(baseline2)
binary() {
  case $1 in
    tesmora) echo "$tesmora" ;;
    baseline) echo "${baselines[0]}" ;;
    baseline2) echo "${baselines[1]}" ;;
  esac
}

# Points of the window, in pixels: the bulb, the player's button, the first file, play.
ui="436,172 224,176 56,78 36,44"

# --- launch to mapped window and peak RSS, alternating ---------------------------------------
launch_turns() {
  echo "bench: $launches launches of each program" >&2
  for _ in $(seq "$launches"); do
    for p in "${programs[@]}"; do "${observe[@]}" launch "$p" -- "$(binary "$p")"; done
    "${observe[@]}" launch "minimal static" -- "$minimal" static
  done
}
if [ "$launches_only" = yes ]; then
  echo "Load average before the launches: $(cut -d' ' -f1-3 /proc/loadavg)"
  launch_turns
  "${observe[@]}" table "$RESULTS"
  exit 0
fi

# Mounts the tests' FUSE share of $work/.source at $work/share, told by $work/gate*.
mount_share() {
  mkdir -p "$work/.source" "$work/share"
  "$py" "$top/tests/faults/share.py" "$work/.source" "$work/share" "$work/gate" &
  pids+=($!)
  for _ in $(seq 100); do grep -q " $work/share " /proc/self/mountinfo && break; sleep 0.1; done
  trap 'umount -l "$work/share" 2>/dev/null; cleanup' EXIT
}

if [ "$share" = yes ]; then
  # The share's root is its own drive, the last mounted; the bulb, the player, the drive list.
  mkdir -p "$work/.source"
  touch "$work/.source/far.mp3"
  mount_share
  entries=()
  for p in "${programs[@]}"; do entries+=("$p|${ui% * *} 384,26|'$(binary "$p")'"); done
  echo "bench: a share that stops answering, ${SHARE_ROUNDS:-5} rounds" >&2
  for _ in $(seq "${SHARE_ROUNDS:-5}"); do
    "${observe[@]}" share "$work/share" "$work/gate" "${entries[@]}"
  done
  "${observe[@]}" table "$RESULTS"
  exit 0
fi

if [ "$slow" = yes ]; then
  # The lists are read as a screen reader reads them, over the accessibility bus that the
  # program finds at its start through a session bus of our own. Home and runtime folders are
  # hidden, as the share's source is, so that the share is the one folder listed beside them.
  mkdir -p "$work/.session/home" "$work/.session/runtime" && chmod 700 "$work/.session/runtime"
  export HOME=$work/.session/home XDG_RUNTIME_DIR=$work/.session/runtime
  export XDG_CONFIG_HOME=$HOME/.config
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
  { read -r DBUS_SESSION_BUS_ADDRESS; read -r bus_pid; } < <(
    dbus-daemon --session --fork --print-address=1 --print-pid=1)
  export DBUS_SESSION_BUS_ADDRESS
  pids+=("$bus_pid")
  dbus-send --session --print-reply --reply-timeout=30000 --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress >/dev/null
  for album in album1 album2 album3; do
    mkdir -p "$work/.source/$album"
    for n in 1 2 3 4 5 6 7 8; do touch "$work/.source/$album/track0$n.mp3"; done
  done
  touch "$work/.source/intro.mp3"
  mount_share
  entries=()
  for p in "${programs[@]}"; do entries+=("$p|${ui% * *}|'$(binary "$p")'"); done
  for delay in ${SLOW_DELAYS:-40 150}; do
    echo "$delay" >"$work/gate.delay"
    echo "bench: a share of $delay ms a call, ${SLOW_ROUNDS:-3} rounds" >&2
    for _ in $(seq "${SLOW_ROUNDS:-3}"); do
      "${observe[@]}" slow "$work/share" "$delay" "${entries[@]}"
    done
  done
  rm -f "$work/gate.delay"
  "${observe[@]}" table "$RESULTS"
  exit 0
fi

if [ "$long" = no ]; then
  # The bulb and the player's button: the file list is read when the player is first shown.
  open_player=${ui% * *}
  for count in 1000 100000; do
    folder=$work/files-$count
    mkdir -p "$folder"
    (cd "$folder" && seq -f "track %06g.mp3" 1 $((count * 9 / 10)) | xargs -d '\n' touch &&
      seq -f "notes %06g.txt" 1 $((count / 10)) | xargs -d '\n' touch)
    echo "bench: opening the player on $count files, ${FILES_ROUNDS:-5} rounds" >&2
    entries=()
    for p in "${programs[@]}"; do entries+=("$p|$open_player|'$(binary "$p")'"); done
    for _ in $(seq "${FILES_ROUNDS:-5}"); do "${observe[@]}" files "$folder" "${entries[@]}"; done
    rm -rf "$folder"
  done
  if [ "$files" = yes ]; then
    "${observe[@]}" table "$RESULTS"
    exit 0
  fi
fi

pulse_dir=$work/pulse
mkdir -p "$pulse_dir" && chmod 700 "$pulse_dir"
HOME=$pulse_dir XDG_RUNTIME_DIR=$pulse_dir pulseaudio --daemonize=no -n --exit-idle-time=-1 \
  --use-pid-file=no --system=no \
  -L "module-null-sink sink_name=bench_sink rate=44100 channels=2" \
  -L "module-native-protocol-unix socket=$pulse_dir/native auth-anonymous=1" \
  >"$work/pulse.log" 2>&1 &
pids+=($!)
export PULSE_SERVER=unix:$pulse_dir/native MONITOR=bench_sink.monitor
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl set-default-sink bench_sink

export MUSIC=$work/music
mkdir -p "$MUSIC"
sox -n -r 44100 -c 2 -b 16 "$work/tone.wav" synth 30 sine 440 vol 0.5
lame --quiet -b 192 "$work/tone.wav" "$MUSIC/01 tone.mp3"


# Starts a program in the background and waits for its window: start NAME COMMAND...
# Sets APP_PID and APP_WIN.
start() {
  local name=$1 title
  shift
  "$@" >>"$work/${name// /-}.log" 2>&1 &
  APP_PID=$!
  apps+=("$APP_PID")
  case $name in
    xclock*) title='^xclock$' ;;
    minimal*) title='^minimal$' ;;
    *) title='^Tesmora' ;;
  esac
  APP_WIN=""
  for _ in $(seq 100); do
    APP_WIN=$(xdotool search --all --onlyvisible --pid "$APP_PID" --name "$title" 2>/dev/null | head -n1 || true)
    # xclock does not tell its pid.
    [ -z "$APP_WIN" ] && [ "$name" = xclock ] &&
      APP_WIN=$(xdotool search --onlyvisible --class xclock 2>/dev/null | head -n1 || true)
    [ -n "$APP_WIN" ] && break
    sleep 0.1
  done
  [ -n "$APP_WIN" ] || { echo "bench: $name showed no window" >&2; exit 1; }
}
stop_all() {
  for p in "${apps[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${apps[@]}"; do wait "$p" 2>/dev/null || true; done
  apps=()
}

if [ "$long" = yes ]; then
  start tesmora "$tesmora"
  echo "bench: watching the resident size of an idle Tesmora for ${long_seconds}s" >&2
  "${observe[@]}" rss "$long_seconds" 60 "tesmora:$APP_PID"
  stop_all
  "${observe[@]}" table "$RESULTS"
  exit 0
fi

launch_turns

# --- click on play to first sound; mpg123 and playbin from launch -----------------------------
echo "bench: $sound_tries tries of first sound" >&2
sounds=()
for p in "${programs[@]}"; do sounds+=("$p|$ui|'$(binary "$p")'"); done
sounds+=("mpg123||mpg123 -q -o pulse '$MUSIC/01 tone.mp3'")
sounds+=("gst playbin||gst-launch-1.0 -q playbin 'uri=file://$MUSIC/01%20tone.mp3'")
"${observe[@]}" sound "$sound_tries" "${sounds[@]}"

# --- idle cost --------------------------------------------------------------------------------
echo "bench: ${idle_seconds}s idle" >&2
watch=()
for p in "${programs[@]}"; do
  start "$p" "$(binary "$p")"
  watch+=("$p:$APP_PID")
done
start "minimal aligned" "$minimal" aligned
watch+=("minimal aligned:$APP_PID")
sleep "${IDLE_SETTLE:-35}" # the first seconds belong to the start
"${observe[@]}" idle "$idle_seconds" "${watch[@]}"
stop_all

# --- lag of the shown second ------------------------------------------------------------------
# Each program runs twice, one window minimised (its title carries the time) and one normal (its
# label does). The groups take turns; Tesmora shares its turn with xclock, whose ticks fall on
# the same boundaries, so it is measured on the busier side.
watch_group() {
  local watches=() name cmd
  for name in "$@"; do
    case $name in
      xclock) start xclock xclock -digital -update 1
        watches+=("xclock:damage:$APP_WIN"); continue ;;
      "minimal aligned") cmd=("$minimal" aligned) ;;
      "minimal free") cmd=("$minimal" free) ;;
      *) cmd=("$(binary "$name")") ;;
    esac
    start "$name" "${cmd[@]}"
    watches+=("$name:damage:$APP_WIN")
    start "$name" "${cmd[@]}"
    xdotool windowminimize "$APP_WIN"
    watches+=("$name:title:$APP_WIN")
  done
  sleep 2
  "${observe[@]}" lag "$lag_slot" "${watches[@]}"
  stop_all
}
echo "bench: lag, $lag_rounds rounds of ${lag_slot}s per group" >&2
for _ in $(seq "$lag_rounds"); do
  watch_group tesmora xclock
  watch_group "minimal aligned" "minimal free"
  for p in "${programs[@]:1}"; do watch_group "$p"; done
done

echo
echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')," \
  "load average before the lag: $(cut -d' ' -f1-3 /proc/loadavg)"
"${observe[@]}" table "$RESULTS"
