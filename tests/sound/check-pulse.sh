#!/usr/bin/env bash
# Plays the show through a real PulseAudio server of its own, as on a
# viewer's desktop, and checks what a viewer hears:
#   nosink   the server runs without any sink: no crash, the show plays silent
#   suspend  the sink suspended mid-show and resumed: the show goes on on the
#            clock, the music comes back in step; Escape while suspended ends
#            the show within 2.5 s
#   unload   the sink unloaded mid-show and loaded again: the same
#   whole    the whole show recorded from the sink's monitor equals the
#            track's decode sample for sample between dropouts (at most 3)
# Usage: check-pulse.sh ZPDEMO [CASE...] (default: every case), under an X
# display. Needs pulseaudio, pactl, parecord, oggdec and xdotool.
set -uo pipefail
[ $# -ge 1 ] || { echo "usage: check-pulse.sh ZPDEMO [nosink|suspend|unload|whole]..." >&2; exit 2; }
demo=$(realpath "$1")
shift
cases=${*:-"nosink suspend unload whole"}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$root/tests/helpers/pulse-server.sh"
. "$root/tests/helpers/show-window.sh"

scratch=$(mktemp -d)
trap 'pulse_stop; [ -n "${recorder:-}" ] && kill "$recorder" 2>/dev/null; rm -rf "$scratch"' EXIT
ln -s "$root/data" "$scratch/data"
oggdec -Q -R -o "$scratch/decode.raw" "$root/data/music/zephal_ethereal.ogg"
unset SDL_AUDIODRIVER
export ZPDEMO_NO_DIALOGS=1

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The log's time of the first line with the message, or nothing.
log_time() { awk -F'\t' -v m="$1" '$3 == m { print $1; exit }' "$scratch/demo.log"; }
log_line() { grep -F -- "$1" "$scratch/demo.log" | head -n 1; }

wait_for_log() {
    local message=$1 seconds=$2
    for _ in $(seq $((seconds * 10))); do
        grep -F -- "$message" "$scratch/demo.log" >/dev/null 2>&1 && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

start_recording() {
    rm -f "$scratch/recording.raw"
    parecord --device=demo.monitor --raw --format=s16le --rate=44100 --channels=2 "$scratch/recording.raw" &
    recorder=$!
}

start_show() {
    rm -f "$scratch/demo.log"
    start_recording
    (cd "$scratch" && exec "$demo" writelog) &
    pid=$!
    wait_for_log "Starting music playback..." 60 || fail "$1: the show did not start playing"
    playback=$(log_time "Starting music playback...")
}

# Waits up to LIMIT seconds for the show to end and sets exit_code (124 when
# it had to be stopped). SIGKILL: a show stuck on its sound device may not
# answer anything else.
wait_for_exit() {
    local limit=$1
    for _ in $(seq $((limit * 10))); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        exit_code=124
    else
        wait "$pid"
        exit_code=$?
    fi
}

stop_recording() {
    kill "$recorder" 2>/dev/null
    wait "$recorder" 2>/dev/null
    recorder=""
}

# Escape, and the show ends within LIMIT seconds with exit code 0.
quit_show() {
    local name=$1 limit=$2 began ended
    began=$(date +%s.%N)
    xdotool search --class ZPDEMO_WINDOW key --window %1 Escape >/dev/null 2>&1
    wait_for_exit 10
    ended=$(date +%s.%N)
    [ "$exit_code" -eq 0 ] || fail "$name: exit code $exit_code after Escape"
    awk -v b="$began" -v e="$ended" -v l="$limit" 'BEGIN { exit !(e - b <= l) }' ||
        fail "$name: the show took $(awk -v b="$began" -v e="$ended" 'BEGIN { printf "%.2f", e - b }') s to end after Escape"
    echo "$name: ended $(awk -v b="$began" -v e="$ended" 'BEGIN { printf "%.2f", e - b }') s after Escape, exit code $exit_code"
}

# The device went and came back: the clock ran on meanwhile, so the music
# resumes where the show is (its time since playback began), and what the
# sink played from there is the track from that time on.
check_comeback() {
    local name=$1 lost back at
    lost=$(log_time "Sound device lost; the show goes on on the clock.")
    back=$(grep -F "Sound device back; the music resumes at " "$scratch/demo.log" | head -n 1)
    [ -n "$lost" ] || { fail "$name: no warning that the device was lost"; return; }
    [ -n "$back" ] || { fail "$name: the music did not come back"; return; }
    at=$(sed -E 's/.*resumes at ([0-9.]+) s\..*/\1/' <<<"$back")
    echo "$name: lost at $lost s, $back"
    awk -v at="$at" -v logged="$(cut -f1 <<<"$back")" -v p="$playback" \
        'BEGIN { exit !(at > logged - p - 0.6 && at <= logged - p + 0.05) }' ||
        fail "$name: the music resumed at $at s, but the show had played $(cut -f1 <<<"$back") - $playback s: the clock stood still"
    python3 "$here/compare-recording.py" "$scratch/recording.raw" "$scratch/decode.raw" --from "$at" --min-seconds 2 \
        --max-dropouts 3 || fail "$name: the music after the comeback is not the track from $at s"
}

case_nosink() {
    pulse_start "$scratch/server" nosink || { fail "nosink: no sound server"; return; }
    rm -f "$scratch/demo.log"
    (cd "$scratch" && exec "$demo" writelog) &
    pid=$!
    show_wait_for_frames "$pid" 60 >/dev/null || fail "nosink: no frames (the show died or hung)"
    wait_for_log "Could not initialize DirectSound." 1 || fail "nosink: no message that there is no sound device"
    sleep 2
    kill -0 "$pid" 2>/dev/null || fail "nosink: the show ended by itself"
    grep -F "WARNING" "$scratch/demo.log" && fail "nosink: a show without sound tried to reopen it"
    quit_show nosink 2.5
    pulse_stop
}

case_suspend() {
    pulse_start "$scratch/server" || { fail "suspend: no sound server"; return; }
    start_show suspend
    sleep 4
    pactl suspend-sink demo 1
    sleep 3
    pactl suspend-sink demo 0
    wait_for_log "Sound device back" 8
    sleep 3
    # Escape at once, before the stall is even noticed.
    pactl suspend-sink demo 1
    quit_show suspend 2.5
    stop_recording
    check_comeback suspend
    pulse_stop
}

case_unload() {
    pulse_start "$scratch/server" || { fail "unload: no sound server"; return; }
    start_show unload
    sleep 4
    pactl unload-module module-null-sink
    stop_recording # the monitor went with the sink
    sleep 3
    pulse_load_sink
    start_recording
    wait_for_log "Sound device back" 10
    sleep 3
    quit_show unload 2.5
    stop_recording
    check_comeback unload
    pulse_stop
}

case_whole() {
    pulse_start "$scratch/server" || { fail "whole: no sound server"; return; }
    start_show whole
    wait_for_exit 200
    [ "$exit_code" -eq 0 ] || fail "whole: exit code $exit_code"
    sleep 0.5
    stop_recording
    grep -F "WARNING" "$scratch/demo.log" && fail "whole: the device was lost during the show"
    python3 "$here/compare-recording.py" "$scratch/recording.raw" "$scratch/decode.raw" --min-seconds 150 \
        --max-dropouts 3 || fail "whole: the recording is not the track"
    pulse_stop
}

for name in $cases; do
    echo "== $name"
    "case_$name"
done
[ "$failures" -eq 0 ] || { echo "$failures sound checks failed"; exit 1; }
echo "every sound check passed"
