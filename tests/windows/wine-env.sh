# Sourced by the Windows smoke checks: the Wine set-up every run shares.
# A prefix of the build's own, no offers to install Mono or Gecko, no debug
# chatter, and never a dialog box that would wait for a click.
: "${ZP_WIN_BUILD_DIR:?ZP_WIN_BUILD_DIR must name the Windows build directory}"
export WINEPREFIX="${WINEPREFIX:-$ZP_WIN_BUILD_DIR/wineprefix}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
export ZPDEMO_NO_DIALOGS=1
. "$(dirname "${BASH_SOURCE[0]}")/../helpers/show-window.sh"

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
