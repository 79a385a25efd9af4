#!/usr/bin/env bash
# Starts zpdemo writelog on the current X display in a scratch folder, reads
# its window geometry, name and class, sends Escape and prints the exit code
# and the log's display lines. Run from the repository root under
# scripts/with-virtual-display; needs xdotool and x11-utils.
set -u
. "$(dirname "$0")/scratch-demo.sh"
"$demo" writelog & pid=$!
win=""
for _ in $(seq 100); do
    win=$(xdotool search --class ZPDEMO_WINDOW 2>/dev/null | head -n 1)
    [ -n "$win" ] && break
    sleep 0.1
done
sleep "${WAIT_SECONDS:-3}"
[ -n "${SHOT:-}" ] && xwd -root -display "$DISPLAY" | convert xwd:- "$SHOT"
xwininfo -id "$win" | grep -E 'Width|Height|Absolute'
xprop -id "$win" WM_NAME WM_CLASS
xdotool key --window "$win" Escape
start=$(date +%s.%N)
wait "$pid"
code=$?
echo "exit=$code, $(echo "$(date +%s.%N) - $start" | bc) s after Escape"
grep -E 'Renderer|Vendor|Version|Fullscreen|Windowed|DirectSound|music' demo.log
echo "extension lines: $(sed -n '/Extensions:/,$p' demo.log | grep -c $'\t  ')"
