#!/usr/bin/env bash
# Installs the Debian package, plays the installed show the way a user
# starts it (from PATH, with a fresh home, under a virtual display), checks
# that it played from the installed pak and wrote its log in the user's
# folder only, then purges the package and checks that none of its files
# remain. lintian must find no error in it. The machine is used again after
# this check: a trap purges the package however the check ends.
# Usage (as root, or a user with sudo): tests/release/check-deb.sh zpdemo_<version>_amd64.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    echo "usage: tests/release/check-deb.sh PACKAGE.deb" >&2
    exit 2
fi
deb=$(realpath "$1")
if [ -z "${ZP_CHECK_DEB_DISPLAY:-}" ]; then
    ZP_CHECK_DEB_DISPLAY=1 exec "$root/scripts/with-virtual-display" "$0" "$@"
fi
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
package=zpdemo
scratch=$(mktemp -d)
demo_pid=""
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
installed() { dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep 'install ok installed' >/dev/null; }
cleanup() {
    [ -n "$demo_pid" ] && kill "$demo_pid" 2>/dev/null
    $sudo dpkg --purge "$package" >/dev/null 2>&1 || true
    rm -rf "$scratch"
}
trap cleanup EXIT

lint=$(lintian "$deb" 2>&1 | grep -v 'running with root privileges' || true)
[ -n "$lint" ] && echo "$lint"
if grep -q '^E:' <<<"$lint"; then fail "lintian reports errors"; else pass "lintian: no error"; fi

if installed; then
    echo "note: $package was installed; purging it first"
    $sudo dpkg --purge "$package" >/dev/null
fi
if ! $sudo dpkg -i "$deb" >"$scratch/dpkg.out" 2>&1; then
    # Dependencies missing on this machine: let apt bring them and finish.
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -f -y -qq >>"$scratch/dpkg.out" 2>&1 || true
fi
if ! installed; then
    cat "$scratch/dpkg.out"
    echo "FAIL: $deb does not install"
    exit 1
fi
pass "installed $(dpkg-query -W -f='${Version}' "$package")"
dpkg -L "$package" >"$scratch/files"
desktop-file-validate /usr/share/applications/zpdemo.desktop && pass "the menu entry is valid" ||
    fail "the menu entry is not valid"
[ "$(command -v zpdemo)" = /usr/bin/zpdemo ] && pass "zpdemo on PATH is the launcher" ||
    fail "zpdemo on PATH is $(command -v zpdemo || echo nothing)"

# A user with an empty home and no XDG_DATA_HOME.
home="$scratch/home"
mkdir "$home"
work="$home/.local/share/zpdemo"
log="$work/demo.log"
run_as_user() {
    env -u XDG_DATA_HOME HOME="$home" ZPDEMO_NO_DIALOGS=1 \
        SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$scratch/audio.raw" "$@"
}

run_as_user timeout --kill-after=5 120 zpdemo writelog >"$scratch/out.txt" 2>&1 &
demo_pid=$!
started=""
for _ in $(seq 600); do
    if grep -qF $'\tStarting music playback...' "$log" 2>/dev/null; then
        started=1
        break
    fi
    kill -0 "$demo_pid" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$started" ]; then
    if [ ! -e "$log" ] && ! kill -0 "$demo_pid" 2>/dev/null; then
        fail "zpdemo ended without a log: does another zpdemo of this user hold the single-instance guard?"
    else
        fail "the show did not start playing within 60 s"
    fi
    cat "$scratch/out.txt"
    tail -n 20 "$log" 2>/dev/null || echo "(no demo.log in $work)"
else
    pass "the show plays"
    sleep 1
    xdotool search --class ZPDEMO_WINDOW key --window %1 Escape >/dev/null 2>&1 || fail "no show window to send Escape to"
fi
exit_code=124
for _ in $(seq 100); do
    if ! kill -0 "$demo_pid" 2>/dev/null; then
        wait "$demo_pid" && exit_code=0 || exit_code=$?
        demo_pid=""
        break
    fi
    sleep 0.1
done
[ "$exit_code" -eq 0 ] && pass "exit 0 on Escape" || fail "exit $exit_code after Escape"

if [ -f "$log" ]; then
    pass "demo.log written in $work"
    grep -qF $'\tBase directory: '"$work" "$log" || fail "the show did not run in $work"
    grep -qF 'Could not load pak file.' "$log" && fail "the show did not load the pak"
    errors=$(grep -F $'\tERROR\t' "$log" || true)
    [ -z "$errors" ] && pass "no ERROR line in the log" || fail "ERROR lines in the log: $errors"
else
    fail "no demo.log in $work"
fi
[ "$(readlink "$work/zplumenweaver.dat")" = /usr/share/zpdemo/zplumenweaver.dat ] &&
    pass "the folder links the installed pak" || fail "$work/zplumenweaver.dat is no link to the installed pak"
[ ! -e "$work/data" ] && pass "no data/ tree beside it: the show played from the pak" || fail "$work holds a data/ tree"

refused=0
run_as_user zpdemo buildpak >"$scratch/buildpak.out" 2>&1 || refused=$?
[ "$refused" -ne 0 ] && pass "buildpak refused: $(head -n 1 "$scratch/buildpak.out")" || fail "buildpak was not refused"
[ -L "$work/zplumenweaver.dat" ] || fail "buildpak replaced the link to the installed pak"

# Nothing but the package's own files under its folders in /usr.
extra=$(find /usr/lib/zpdemo /usr/share/zpdemo /usr/share/doc/zpdemo | grep -vxFf "$scratch/files" || true)
[ -z "$extra" ] && pass "nothing written under /usr" || fail "files under /usr not from the package: $extra"

$sudo dpkg --purge "$package" >/dev/null
left=""
while read -r path; do
    [ -e "$path" ] || [ -L "$path" ] || continue
    # A folder stays when another package owns it too.
    [ -d "$path" ] && [ ! -L "$path" ] && dpkg-query -S "$path" >/dev/null 2>&1 && continue
    left+="$path "
done <"$scratch/files"
[ -z "$left" ] && pass "purged: none of its $(wc -l <"$scratch/files") paths remain, bar shared folders" ||
    fail "left after purge: $left"

if [ "$failures" -ne 0 ]; then
    echo "--- demo.log"
    head -n 60 "$log" 2>/dev/null
    exit 1
fi
echo "OK: the Debian package installs, plays from its pak, and purges clean (${SECONDS} s)"
