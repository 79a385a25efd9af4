# Sourced by the Windows smoke checks: the Wine set-up every run shares.
# A prefix of the build's own, no offers to install Mono or Gecko, no debug
# chatter, and never a dialog box that would wait for a click.
: "${ZP_WIN_BUILD_DIR:?ZP_WIN_BUILD_DIR must name the Windows build directory}"
export WINEPREFIX="${WINEPREFIX:-$ZP_WIN_BUILD_DIR/wineprefix}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
export ZPDEMO_NO_DIALOGS=1

zp_wine=$(command -v wine64 || true)
[ -n "$zp_wine" ] || zp_wine=/usr/lib/wine/wine64
zp_wineserver=$(command -v wineserver || true)
[ -n "$zp_wineserver" ] || zp_wineserver=/usr/lib/wine/wineserver

# Runs a Windows program with a time limit (seconds first).
wine_run() {
    local limit=$1
    shift
    timeout --kill-after=10 "$limit" "$zp_wine" "$@"
}

# Creates the prefix once; a fresh one takes a while to set up.
wine_prepare_prefix() {
    [ -f "$WINEPREFIX/system.reg" ] && return 0
    mkdir -p "$WINEPREFIX"
    timeout 300 "$zp_wine" wineboot --init >/dev/null 2>&1
    "$zp_wineserver" --wait 2>/dev/null || true
}

# Ends the prefix's Wine server and what runs in it. A server left from a run
# on another X display hands new programs a desktop on that display, where
# no pixel format can be found once its X server has gone.
wine_stop_server() {
    "$zp_wineserver" -k 2>/dev/null || true
    "$zp_wineserver" -w 2>/dev/null || true
}

# Sends a key to a window as a person's key press arrives: the window
# focused, the pointer over it, no modifier left held.
wine_send_key() {
    local window=$1 key=$2
    xdotool windowfocus --sync "$window" 2>/dev/null
    xdotool mousemove --window "$window" 10 10 2>/dev/null
    xdotool key --clearmodifiers "$key"
}

# Waits up to LIMIT seconds for the process to end and sets exit_code (124
# when it had to be stopped). Not for a subshell: only the shell that
# started the process can wait for it.
wine_wait_for_exit() {
    local pid=$1 limit=$2
    for _ in $(seq $((limit * 10))); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        exit_code=124
    else
        wait "$pid"
        exit_code=$?
    fi
}
