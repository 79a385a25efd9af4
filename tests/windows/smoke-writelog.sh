#!/usr/bin/env bash
# Runs `zpdemo.exe writelog` under Wine on the current X display: it must open
# the display with Mesa's renderer, log its start-up, draw frames (its title
# counts them), refuse a second instance at once with exit code 0, and exit 0
# on Escape. With
# ZP_SMOKE_FULL_RUN=1 it runs a second time to its end, which must also exit 0.
# Usage (needs DISPLAY, xdotool): smoke-writelog.sh <zpdemo.exe> [data directory]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
windows_demo=$(realpath "$1")
data=$(realpath "${2:-$here/../../data}")
export ZP_WIN_BUILD_DIR=${ZP_WIN_BUILD_DIR:-$(dirname "$windows_demo")}
. "$here/wine-env.sh"
: "${DISPLAY:?smoke-writelog.sh needs an X display}"
start_limit=${ZP_SMOKE_START_SECONDS:-120}
play_seconds=${ZP_SMOKE_PLAY_SECONDS:-5}

scratch=$(mktemp -d "$ZP_WIN_BUILD_DIR/smoke-writelog.XXXXXX")
demo_pid=""
cleanup() {
    [ -n "$demo_pid" ] && kill "$demo_pid" 2>/dev/null
    wine_stop_server
    rm -rf "$scratch"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

# Starts the demo in a directory of its own, with the data beside it.
start_demo() {
    local dir=$1 limit=$2
    mkdir -p "$dir"
    ln -sfn "$data" "$dir/data"
    (cd "$dir" && exec timeout --kill-after=10 "$limit" "$zp_wine" "$windows_demo" writelog >out.txt 2>&1) &
    demo_pid=$!
}

press_escape() {
    local window
    window=$(show_window)
    if [ -z "$window" ]; then
        fail "no visible window on $DISPLAY"
        return
    fi
    show_send_key "$window" Escape
}

# Waits for the demo's exit and sets exit_code (124 when it had to be
# stopped). Not for a subshell: only this shell can wait for the demo.
wait_for_exit() {
    show_wait_for_exit "$demo_pid" "$1"
    demo_pid=""
}

check_log() {
    local log=$1.lf
    # The Windows runtime ends its text lines with CR LF.
    tr -d '\r' <"$1" >"$log" 2>/dev/null
    # Versions from 6 on are described without a "Microsoft Windows" prefix.
    grep -qE $'\tSYSTEM\tPlatform: .*\\(Build [0-9]+\\)$' "$log" &&
        pass "the log names the Windows platform: $(grep -m1 -o 'Platform: .*' "$log")" ||
        fail "no Windows platform line in the log"
    grep -qF "Opening display..." "$log" || fail "the display was not opened"
    grep -qE 'Renderer: .*llvmpipe' "$log" && pass "$(grep -m1 -o 'Renderer: .*' "$log")" ||
        fail "no llvmpipe renderer line in the log"
    if grep -qF "Could not initialize DirectSound." "$log"; then
        pass "no audio device: \"Could not initialize DirectSound.\" logged, the show runs on the clock"
    fi
    grep -qF "Starting precalc thread..." "$log" || fail "the precalculation never started"
    grep -q "^File closed at " "$log" && pass "the log was closed" || fail "the log was not closed"
}

wine_prepare_prefix
wine_stop_server
log="$scratch/first/demo.log"
start_demo "$scratch/first" 600
if ! title=$(show_wait_for_frames "$demo_pid" "$start_limit"); then
    kill -0 "$demo_pid" 2>/dev/null && fail "no frames drawn within ${start_limit} s" ||
        fail "the demo ended before it drew a frame"
    tail -n 20 "$log" "$scratch/first/out.txt" 2>/dev/null
else
    pass "frames drawn: \"$title\""
    first_pid=$demo_pid
    # A second instance must give way at once, with nothing written.
    started=$(date +%s)
    (cd "$scratch" && mkdir second && ln -s "$data" second/data && cd second &&
        timeout 60 "$zp_wine" "$windows_demo" writelog >out.txt 2>&1)
    second=$?
    took=$(($(date +%s) - started))
    [ "$second" -eq 0 ] && [ ! -e "$scratch/second/demo.log" ] && pass "a second instance exited 0 in ${took} s" ||
        fail "a second instance exited $second after ${took} s (log written: $([ -e "$scratch/second/demo.log" ] && echo yes || echo no))"
    demo_pid=$first_pid
    sleep "$play_seconds"
    press_escape
    wait_for_exit 30
    [ "$exit_code" -eq 0 ] && pass "exit 0 on Escape" || fail "exit $exit_code after Escape"
fi
check_log "$log"

if [ "${ZP_SMOKE_FULL_RUN:-0}" = 1 ]; then
    log="$scratch/full/demo.log"
    start_demo "$scratch/full" 900
    wait_for_exit 900
    [ "$exit_code" -eq 0 ] && pass "a run to the end exited 0 by itself" || fail "a run to the end exited $exit_code"
    check_log "$log"
fi

if [ "$failures" -ne 0 ]; then
    echo "--- log of the last run"
    cat "$log" 2>/dev/null | head -n 80
    exit 1
fi
echo "OK: writelog under Wine"
