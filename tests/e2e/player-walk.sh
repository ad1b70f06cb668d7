#!/usr/bin/env bash
# The music player in the real window: open it through the menu with the mouse, walk down to a
# folder of MP3 files with the folder list, click a file, play and stop it. With a PulseAudio
# null sink of our own, the sound that comes out is recorded: the binary plays through the real
# audio output. (Silence before play and after stop, and the level at each slider position, are
# measured in tests/player, TestPlayerSound.)
set -euo pipefail
source "$E2E_LIB"

music=$E2E_WORK/music/Album
mkdir -p "$music"
sox -n -r 44100 -c 2 -b 16 "$E2E_WORK/tone.wav" synth 30 sine 440 vol 0.5
lame --quiet -b 192 "$E2E_WORK/tone.wav" "$music/01 first tone.mp3"
cp "$music/01 first tone.mp3" "$music/02 second tone.MP3"

# A sound server of our own, when one can run here.
sound=no
pulse_dir=$E2E_WORK/pulse
mkdir -p "$pulse_dir" && chmod 700 "$pulse_dir"
if command -v pulseaudio >/dev/null && command -v parec >/dev/null; then
  HOME=$pulse_dir XDG_RUNTIME_DIR=$pulse_dir pulseaudio --daemonize=no -n --exit-idle-time=-1 \
    --use-pid-file=no --system=no \
    -L "module-null-sink sink_name=e2e_sink rate=44100 channels=2" \
    -L "module-native-protocol-unix socket=$pulse_dir/native auth-anonymous=1" \
    >"$E2E_WORK/pulse.log" 2>&1 &
  pulse_pid=$!
  export PULSE_SERVER=unix:$pulse_dir/native
  # Up when it answers; a server that ends at start cannot run here.
  pulse_up() { kill -0 "$pulse_pid" 2>/dev/null || return 0; pactl info >/dev/null 2>&1 && sound=yes; }
  wait_until 30 "PulseAudio to answer" pulse_up
fi
[ "$sound" = yes ] || note "PulseAudio cannot start here: the sound is not measured"

finish() {
  stop_tesmora
  [ -n "${parec_pid:-}" ] && kill "$parec_pid" 2>/dev/null || true
  [ -n "${pulse_pid:-}" ] && kill "$pulse_pid" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap finish EXIT

# One recording of the sink's monitor runs all along; a fresh one would first hand over seconds
# of what the sink had buffered.
record=$E2E_WORK/monitor.raw
if [ "$sound" = yes ]; then
  parec --device=e2e_sink.monitor --format=s16le --rate=44100 --channels=1 --raw \
    --latency-msec=20 >"$record" 2>/dev/null &
  parec_pid=$!
fi

# The level (RMS, full scale 1) of what the sink plays over the next $1 seconds.
level() {
  local from to
  from=$(stat -c %s "$record")
  sleep "$1"
  to=$(stat -c %s "$record")
  from=$((from / 2 * 2)) to=$((to / 2 * 2))
  if [ "$to" -le "$from" ]; then echo 0; return; fi
  tail -c +$((from + 1)) "$record" | head -c $((to - from)) |
    sox -t raw -r 44100 -e signed -b 16 -c 1 - -n stat 2>&1 | awk '/RMS +amplitude/{print $3}'
}
louder() { awk -v a="$1" -v b="$2" 'BEGIN{exit !(a > b)}'; }

# Waits up to 5 s until two quarter seconds in a row are louder than $1: the null sink passes a
# change on with a delay of its own.
settle() {
  local in_a_row=0 l
  for _ in $(seq 20); do
    l=$(level 0.25)
    if louder "$l" "$1"; then
      in_a_row=$((in_a_row + 1))
      [ "$in_a_row" -eq 2 ] && return 0
    else
      in_a_row=0
    fi
  done
  return 1
}

# The program starts in the folder that holds "music".
cd "$E2E_WORK"
start_tesmora

# The bulb opens the menu; the disc button opens the player.
click_on "Utilities"
click_on "MP3 player"
wait_shown "Folders"
shot_window player-open

# The folder list shows the chain "/", "tmp", "<work folder>" and highlights the current folder,
# the last of the chain.
chain=$(( $(tr -cd / <<<"$E2E_WORK" | wc -c) + 1 ))
selected() { atspi selected "$APP_PID" "Folders"; }
selected_is() { [ "$(selected)" = "$1 $2" ]; }
wait_until 5 "the current folder to be highlighted (rows: '$(selected)')" \
  selected_is $((chain - 1)) "$(basename "$E2E_WORK")"
note "the current folder is row $((chain - 1))"

# Double-clicks the folder entry called $1; waits until it is the current folder: highlighted,
# with its own sub-folders below it ($2, joined by "|"; empty for none). A single click would only
# highlight it.
open_folder() {
  local rows row
  rows=$(atspi rows "$APP_PID" "Folders")
  row=$(grep -nxF -- "$1" <<<"$rows" | head -n1 | cut -d: -f1)
  [ -n "$row" ] || fail "no folder '$1' in the folder list: $(paste -sd '|' <<<"$rows")"
  atspi where "$APP_PID" "Folders" $((row - 1)) >/dev/null \
    || fail "folder '$1' is not in view: $(paste -sd '|' <<<"$rows")"
  hover_on "Folders" $((row - 1))
  xdotool click --repeat 2 --delay 60 1
  opened() {
    local sel after
    sel=$(selected) # "<row> <name>"
    [ "${sel#* }" = "$1" ] || return 1
    after=$(atspi rows "$APP_PID" "Folders" | tail -n +$((${sel%% *} + 2)) | paste -sd '|')
    [ "$after" = "$2" ]
  }
  wait_until 5 "folder '$1' to become the current one (rows: $(atspi rows "$APP_PID" "Folders" | paste -sd '|'); selected: $(selected); focus: $(atspi focused "$APP_PID"))" opened "$1" "${2:-}"
}
open_folder music Album
open_folder Album
shot_window player-album

# The file list now shows the two MP3 files; click the first.
files() { atspi rows "$APP_PID" "Music files" | paste -sd '|'; }
two_files() { [ "$(files)" = "01 first tone.mp3|02 second tone.MP3" ]; }
wait_until 5 "the file list to show the two MP3 files (it shows '$(files)')" two_files
click_on "Music files" 0
picked() { [ "$(atspi selected "$APP_PID" "Music files")" = "0 01 first tone.mp3" ]; }
wait_until 5 "the first file to be picked" picked

click_on "Play"
if [ "$sound" = yes ]; then
  settle 0.1 || fail "no sound within 5 s of play"
  note "playing: level $(level 1)"
fi
shot_window player-playing

click_on "Stop"

# No message box came up on the way.
app_answers
windows=$(atspi windows "$APP_PID")
[ "$(printf '%s\n' "$windows" | grep -c .)" -eq 1 ] || fail "windows shown: $windows"
echo "player: ok"
