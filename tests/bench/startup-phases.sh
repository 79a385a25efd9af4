#!/usr/bin/env bash
# Times the start-up of zpdemo from the outside, in seconds from the execve
# of the process, and prints the median of several runs for each phase:
#
#   log_opened        demo.log opened (its first line written)
#   display_open      "Opened OpenGL display" logged
#   shaders_loaded    "Adding tasks to precalc thread..." logged: every
#                     scene and effect has its shader programs
#   precalc_started   "Starting precalc thread..." logged
#   first_bar_frame   the first image put to the X server (MIT-SHM PutImage,
#                     as Mesa's software path presents) after precalc_started
#   first_show_frame  the second image after "Starting music playback...":
#                     the frame that starts playback draws nothing
#
# The process cannot see when its frames reach the screen, so every phase
# comes from one strace of its execve, log writes and X requests; strace
# slows the process a little, so the figures are upper bounds. Only those
# three calls stop the process (seccomp-bpf): tracing every openat as well,
# as Mesa loads its driver, added about 50 ms before the first frame. Each run
# starts in a scratch folder with the data beside it, with writelog,
# SDL_AUDIODRIVER=dummy (unless set) and ZPDEMO_NO_DIALOGS=1, and is stopped
# once its last phase is seen. One untimed run goes first, so that files
# (and, warm, Mesa's shader cache) are in place.
#
# Usage: tests/bench/startup-phases.sh [--runs N] [--cold] [--quick] [--json] [DEMO]
#   --runs N  timed runs (default 5)
#   --cold    without Mesa's shader cache (MESA_SHADER_CACHE_DISABLE=true)
#   --quick   stop each run at its first progress-bar frame (no first_show_frame)
#   --json    one JSON object instead of the lines
#   DEMO      the executable (default build/zpdemo)
#
# Output: one "phase seconds" line per phase, in the order above, e.g.
#   first_bar_frame 0.291
# or with --json:
#   {"mode":"warm","runs":5,"phases":{"log_opened":0.012,...}}
# Each run's figures go to stderr. Runs on $DISPLAY, or without one under
# scripts/with-virtual-display. Needs strace. Wrap it in flock
# /tmp/zp-build.lock when builds may run beside it.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
runs=5
cold=0
quick=0
json=0
demo=build/zpdemo

usage() {
    sed -n '/^# Usage:/,/^#   DEMO/s/^# \{0,1\}//p' "$0" >&2
    exit 2
}

die() {
    echo "startup-phases: $*" >&2
    exit 1
}

while [ $# -gt 0 ]; do
    case "$1" in
    --runs)
        [ $# -ge 2 ] || usage
        runs=$2
        shift 2
        ;;
    --cold) cold=1; shift ;;
    --quick) quick=1; shift ;;
    --json) json=1; shift ;;
    -h | --help) usage ;;
    -*) echo "startup-phases: unknown option $1" >&2; usage ;;
    *) demo=$1; shift ;;
    esac
done
[[ "$runs" =~ ^[1-9][0-9]*$ ]] || die "--runs takes a positive whole number, not '$runs'"
[ -x "$demo" ] || die "no executable at $demo (build it: cmake --build --preset default --target zpdemo)"
command -v strace >/dev/null || die "strace is missing (apt-get install strace)"
demo=$(realpath "$demo")

if [ -z "${DISPLAY:-}" ]; then
    exec "$root/scripts/with-virtual-display" "$0" --runs "$runs" \
        $([ $cold = 1 ] && echo --cold) $([ $quick = 1 ] && echo --quick) $([ $json = 1 ] && echo --json) "$demo"
fi

phases="log_opened display_open shaders_loaded precalc_started first_bar_frame"
[ $quick = 1 ] || phases="$phases first_show_frame"
last_phase=${phases##* }

work=$(mktemp -d)
tracer=""
trap '[ -n "$tracer" ] && kill "$tracer" 2>/dev/null; rm -rf "$work"' EXIT
ln -s "$root/data" "$work/data"

# The phases found so far in a trace, as "phase seconds" lines. With -f every
# line starts with the thread id; the first line is the demo's execve.
read_phases() {
    awk '
        NR == 1 { main = $1; start = $2 }
        function note(phase) { if (!(phase in seen)) { seen[phase] = 1; printf "%s %.3f\n", phase, $2 - start } }
        $1 == main && /write\(.*"File opened at / { note("log_opened") }
        /Opened OpenGL display/ { note("display_open") }
        /Adding tasks to precalc thread/ { note("shaders_loaded") }
        /Starting precalc thread/ { note("precalc_started"); precalc = 1 }
        /Starting music playback/ { playback = 1 }
        $1 == main && /writev\(/ && index($0, "\\202\\3\\n\\0") {
            if (playback && ++shown == 2) note("first_show_frame")
            else if (precalc) note("first_bar_frame")
        }
    ' "$1"
}

# One run; its phases go to the file $1.
run_once() {
    local out=$1 trace="$work/trace" pid="" deadline=$((SECONDS + 60))
    rm -f "$trace" "$work/demo.log"
    (
        cd "$work"
        export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} ZPDEMO_NO_DIALOGS=1
        [ $cold = 1 ] && export MESA_SHADER_CACHE_DISABLE=true
        exec strace -f --seccomp-bpf -ttt -s 64 -e trace=execve,write,writev -o "$trace" \
            "$demo" writelog >/dev/null 2>&1
    ) &
    tracer=$!
    # The trace keeps its own times, so the run can be stopped late: look
    # rarely. Every look forks tools that would take CPU time from the start
    # being measured, on a machine with few cores (checking every 50 ms made
    # the first frame about 80 ms later here).
    sleep 1
    while kill -0 "$tracer" 2>/dev/null; do
        [ -z "$pid" ] && [ -s "$trace" ] && pid=$(awk 'NR == 1 { print $1; exit }' "$trace")
        if { [ -s "$trace" ] && read_phases "$trace" | grep "^$last_phase " >/dev/null; } || [ $SECONDS -ge $deadline ]; then
            # SIGKILL: on SIGTERM SDL asks for an orderly end, which waits for the precalc.
            [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
            break
        fi
        sleep 0.5
    done
    wait "$tracer" 2>/dev/null || true
    tracer=""
    [ -s "$trace" ] || die "strace wrote no trace; is ptrace allowed here?"
    read_phases "$trace" >"$out"
    if ! grep -q "^$last_phase " "$out"; then
        grep -q "^log_opened " "$out" || die "zpdemo ended before it opened its log (is another instance running?)"
        die "zpdemo did not reach $last_phase within 60 s; its log ends with: $(tail -n 3 "$work/demo.log" 2>/dev/null)"
    fi
}

run_once "$work/warm-up"
for run in $(seq "$runs"); do
    run_once "$work/run$run"
    echo "run $run: $(tr '\n' ' ' <"$work/run$run")" >&2
done

median() {
    sort -n | awk '{ v[NR] = $1 } END { printf "%.3f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

mode=$([ $cold = 1 ] && echo cold || echo warm)
separator=""
[ $json = 1 ] && printf '{"mode":"%s","runs":%d,"phases":{' "$mode" "$runs"
for phase in $phases; do
    value=$(cat "$work"/run* | awk -v p="$phase" '$1 == p { print $2 }' | median)
    if [ $json = 1 ]; then
        printf '%s"%s":%s' "$separator" "$phase" "$value"
        separator=","
    else
        echo "$phase $value"
    fi
done
[ $json = 1 ] && echo "}}"
exit 0
