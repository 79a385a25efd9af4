#!/usr/bin/env bash
# The live tool's figures, under a display (scripts/with-virtual-display):
#   - save to reload: 20 saves of a shader (in place and by rename), from the
#     write to the "reload ... ok" line; the change is drawn in the frame
#     that follows the line;
#   - seeks: keys that jump about the show, from the key to its "time" line;
#   - the overlay's cost: zplive's own figures, overlay shown and hidden;
#   - zplive against zpdemo in the same scene (spheres, 30 s in).
# From the repository root: tests/manual/live-figures.sh [build-dir]
set -euo pipefail
build=$(realpath "${1:-build}")
dir=$(mktemp -d)
trap 'kill $live 2>/dev/null || true; rm -rf "$dir"' EXIT
cp -r data "$dir/data"
cd "$dir"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null ZPDEMO_NO_DIALOGS=1 ZPLIVE_FIGURES=1

now() { date +%s.%N; }
# Waits until the output holds `count` lines matching the pattern; prints the time.
wait_lines() {
    local pattern=$1 count=$2
    for _ in $(seq 1 4000); do
        if [ "$(grep -c -- "$pattern" out.txt || true)" -ge "$count" ]; then now; return 0; fi
        sleep 0.005
    done
    echo "timed out waiting for '$pattern'" >&2
    return 1
}
key() { xdotool search --class ZPDEMO_WINDOW key --window %1 "$1" >/dev/null 2>&1; }
stats() { sort -n | awk '{a[NR]=$1} END {printf "median %.0f ms, worst %.0f ms over %d\n", a[int((NR+1)/2)], a[NR], NR}'; }

"$build/tools/live/zplive" --size 1024x768 --start 30 > out.txt 2>err.txt &
live=$!
wait_lines "^time 30.000" 1 >/dev/null

sleep 3
key Tab; sleep 3; key Tab; sleep 3
echo "overlay shown, then hidden, then shown (spheres):"
grep '^figures' out.txt | tail -9

shader=data/shaders/postfx/mainpostfx.fs
: > save.txt
for i in $(seq 1 20); do
    start=$(now)
    if [ $((i % 2)) -eq 0 ]; then
        { cat "$shader"; echo "// save $i"; } > "$shader.tmp" && mv "$shader.tmp" "$shader"
    else
        echo "// save $i" >> "$shader"
    fi
    done_at=$(wait_lines "^reload data/shaders/postfx/mainpostfx.fs ok" "$i")
    echo "($done_at - $start) * 1000" | bc -l >> save.txt
    sleep 0.3
done
echo "save to reload line: $(stats < save.txt)"

: > seek.txt
n=$(grep -c '^time' out.txt)
for k in Next Next Next Next Next Next Next Next Next Next Next Home End Prior Prior shift+Left Left Right; do
    start=$(now)
    key "$k"
    n=$((n + 1))
    done_at=$(wait_lines '^time' "$n")
    echo "($done_at - $start) * 1000" | bc -l >> seek.txt
    sleep 0.3
done
echo "key to seek line: $(stats < seek.txt)"
key Escape
wait $live || true

"$build/zpdemo" > /dev/null 2>&1 &
demo=$!
sleep 36
echo "zpdemo at about 32 s: $(xdotool search --class ZPDEMO_WINDOW getwindowname %1)"
key Escape
wait $demo || true
