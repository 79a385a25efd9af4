#!/usr/bin/env bash
# Runs `zplive.exe` under Wine on the current X display, in a directory with a
# copy of the data tree, and drives it as someone at the keyboard would: it
# must start paused where it is told, reload a shader saved while it runs
# (through the Windows directory monitor), step one beat on, play, and exit 0
# on Escape. Every line it prints is matched whole.
# Usage (needs DISPLAY, xdotool): smoke-live.sh <zplive.exe> [data directory]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
live=$(realpath "$1")
data=$(realpath "${2:-$here/../../data}")
# zplive.exe lies in tools/live/ of the build; the prefix is the build's own.
export ZP_WIN_BUILD_DIR=${ZP_WIN_BUILD_DIR:-$(cd "$(dirname "$live")/../.." && pwd)}
. "$here/wine-env.sh"
: "${DISPLAY:?smoke-live.sh needs an X display}"
start_limit=${ZP_SMOKE_START_SECONDS:-60}
shader=data/shaders/postfx/mainpostfx.fs

scratch=$(mktemp -d "$ZP_WIN_BUILD_DIR/smoke-live.XXXXXX")
live_pid=""
cleanup() {
    [ -n "$live_pid" ] && kill "$live_pid" 2>/dev/null
    wine_stop_server
    rm -rf "$scratch"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

# A copy, not a link: the check writes to a shader.
cp -RL "$data" "$scratch/data"

# What zplive has printed so far; the Windows runtime ends lines with CR LF.
printed() { tr -d '\r' <"$scratch/out.txt" 2>/dev/null; }

# True once the whole line has been printed `times` times in all.
has_line() {
    local line=$1 times=${2:-1}
    [ "$(printed | grep -cxF -- "$line")" -ge "$times" ]
}

# Waits up to `limit` seconds for the line; false at once if zplive has ended.
wait_for_line() {
    local line=$1 limit=$2 times=${3:-1}
    for _ in $(seq $((limit * 10))); do
        has_line "$line" "$times" && return 0
        kill -0 "$live_pid" 2>/dev/null || { has_line "$line" "$times"; return; }
        sleep 0.1
    done
    return 1
}

# Expects the line within the limit; stops the check when it does not come,
# since every later step builds on it.
expect_line() {
    local what=$1 line=$2 limit=$3 times=${4:-1} started=$SECONDS
    if wait_for_line "$line" "$limit" "$times"; then
        pass "$what: \"$line\" after $((SECONDS - started)) s"
    else
        fail "$what: no line \"$line\" within $limit s"
        finish
    fi
}

live_window() {
    xdotool search --onlyvisible --name '^Zephal - Lumenweaver' 2>/dev/null | tail -n 1
}

press() {
    local window
    window=$(live_window)
    if [ -z "$window" ]; then
        fail "no visible zplive window on $DISPLAY"
        finish
    fi
    show_send_key "$window" "$1"
}

# Waits for zplive's exit and sets exit_code (124 when it had to be stopped).
wait_for_exit() {
    show_wait_for_exit "$live_pid" "$1"
    live_pid=""
}

finish() {
    if [ "$failures" -ne 0 ]; then
        echo "--- standard output"
        printed
        echo "--- standard error (last lines, without the sound library's)"
        grep -v '^ALSA lib ' "$scratch/err.txt" 2>/dev/null | tail -n 20
        exit 1
    fi
    echo "OK: zplive under Wine in $SECONDS s"
    exit 0
}

wine_prepare_prefix
wine_stop_server
SECONDS=0
(cd "$scratch" && exec timeout --kill-after=10 $((start_limit + 60)) "$zp_wine" "$live" \
    --size 320x240 --start 30 --paused >out.txt 2>err.txt) &
live_pid=$!

# 1. Paused at 30 s: pattern 10, row 7 at 175 beats a minute.
expect_line "started" "time 30.000 pattern 10.7 paused" "$start_limit"
first=$(printed | grep -m1 '^time ')
[ "$first" = "time 30.000 pattern 10.7 paused" ] || fail "the first transport line is \"$first\""
if printed | grep '^reload ' >/dev/null; then
    fail "reloads reported before any file changed: $(printed | grep '^reload ' | head -n 3)"
    finish
fi

# 2. A comment appended to a shader: reloaded through the directory monitor.
printf '// saved while the show runs\n' >>"$scratch/$shader"
expect_line "shader saved" "reload $shader ok" 10
if printed | grep '^reload .* error ' >/dev/null; then
    fail "a reload failed: $(printed | grep -m1 '^reload .* error ')"
fi

# 3. One beat on (60/175 s), still paused; then playing from there.
press Right
expect_line "Right" "time 30.343 pattern 11.0 paused" 10
press space
expect_line "Space" "time 30.343 pattern 11.0 playing" 10

# 4. Escape ends it with exit code 0.
press Escape
pressed=$SECONDS
wait_for_exit 15
[ "$exit_code" -eq 0 ] && pass "exit 0 on Escape after $((SECONDS - pressed)) s" ||
    fail "exit $exit_code after Escape"
finish
