# Sourced by the release checks: plays a released program in the folder it
# was unpacked into, on the current X display, as a viewer would.
here_release=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here_release/../helpers/show-window.sh"
play_start_limit=${ZP_SMOKE_START_SECONDS:-180}

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

# demo.log without the CR of the Windows runtime's line ends.
# Searched with `grep >/dev/null`, never `grep -q`: under pipefail, -q stops
# reading at the first match and the writer's SIGPIPE fails the pipeline.
play_log() { tr -d '\r' 2>/dev/null <"$1/demo.log"; }

# Waits up to LIMIT seconds for a whole line in DIR's demo.log while PID runs.
play_wait_for_log_line() {
    local dir=$1 line=$2 pid=$3 limit=$4
    for _ in $(seq $((limit * 10))); do
        play_log "$dir" | grep -F -- "$line" >/dev/null && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Runs `COMMAND... writelog` in DIR: the display opens, the precalculation
# finishes, frames are drawn after the bar, Escape ends it with exit code 0,
# and demo.log holds no ERROR line but those matching ALLOWED (a regular
# expression; empty: none).
play_from_folder() {
    local dir=$1 window_pattern=$2 allowed=$3 title
    shift 3
    (cd "$dir" && exec timeout --kill-after=10 600 "$@" writelog >out.txt 2>&1) &
    local pid=$!
    # The texture uploads are the first work once the precalculation has
    # ended, with or without music (as in tests/e2e/ShowRun.h).
    if ! play_wait_for_log_line "$dir" "Loading texture 'data/textures/festa.tga'..." "$pid" "$play_start_limit"; then
        fail "the precalculation did not finish within $play_start_limit s"
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        play_log "$dir" | tail -n 20
        tail -n 20 "$dir/out.txt"
        return
    fi
    play_log "$dir" | grep -F "Opening display..." >/dev/null && pass "the display opened" || fail "the display was not opened"
    pass "the precalculation finished"
    sleep 2
    if title=$(show_wait_for_frames "$pid" 30 "$window_pattern"); then
        pass "frames drawn after the bar: \"$title\""
    else
        fail "no frames drawn after the bar"
    fi
    local window
    window=$(show_window "$window_pattern")
    [ -n "$window" ] && show_send_key "$window" Escape || fail "no window to press Escape in"
    show_wait_for_exit "$pid" 30
    [ "$exit_code" -eq 0 ] && pass "exit 0 on Escape" || fail "exit $exit_code after Escape"
    local errors
    errors=$(play_log "$dir" | grep -P '\tERROR\t' | { [ -n "$allowed" ] && grep -vE "$allowed" || cat; })
    [ -z "$errors" ] && pass "no ERROR line in demo.log" || fail "errors in demo.log: $errors"
}
