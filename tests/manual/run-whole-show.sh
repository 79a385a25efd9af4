#!/usr/bin/env bash
# Plays the whole show with SDL's disk audio driver (the show runs on the
# music's play position) and reports how long the bar stayed, when the demo
# ended after playback started, and its exit code. Run from the repository
# root under scripts/with-virtual-display.
set -u
. "$(dirname "$0")/scratch-demo.sh"
start=$(date +%s.%N)
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$dir/audio.raw" ZPDEMO_NO_DIALOGS=1 "$demo" writelog 2>/dev/null
code=$?
end=$(date +%s.%N)
precalc=$(awk -F'\t' '$3 == "Starting precalc thread..." { print $1 }' demo.log)
playback=$(awk -F'\t' '$3 == "Starting music playback..." { print $1 }' demo.log)
echo "exit code $code"
echo "progress bar: $(echo "$playback - $precalc" | bc) s"
echo "ended $(echo "$end - $start - $playback" | bc) s after playback started (54 patterns + 3 s = 151.114 s)"
echo "errors in the log: $(grep -c $'\tERROR\t' demo.log)"
