#!/usr/bin/env bash
# Checks cmake/deps-common.sh with stand-ins for the builder and for apt:
# the cache folder's life (build, reuse, key change, a build cut short, a
# failed build) and clear failures when Debian's sources cannot be had.
# Nothing is compiled or downloaded; a few seconds.
# shellcheck disable=SC2016 # check evaluates its conditions itself
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
common="$here/../../cmake/deps-common.sh"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export ZP_DEPS_CACHE="$scratch/cache" BUILD_LOG="$scratch/builds"
passed=0 failed=0

# check WHAT CONDITION: CONDITION is shell code.
check() {
    if eval "$2"; then passed=$((passed + 1)); else failed=$((failed + 1)) && echo "FAILED: $1" >&2; fi
}

# Runs a build the way the scripts do, in a process of its own with set -e;
# its standard output goes to $scratch/out, its status to $scratch/status.
cat >"$scratch/driver.sh" <<EOF
set -euo pipefail
. "$common"
works() { echo noise; mkdir -p "\$1/lib"; echo "\$1" >>"\$BUILD_LOG"; }
breaks() { echo noise; false; echo "\$1" >>"\$BUILD_LOG"; }
"\$@"
EOF
run() {
    local status=0
    bash "$scratch/driver.sh" "$@" >"$scratch/out" 2>"$scratch/err" || status=$?
    echo "$status" >"$scratch/status"
}
builds() { if [ -f "$BUILD_LOG" ]; then wc -l <"$BUILD_LOG"; else echo 0; fi; }
out_is() { [ "$(cat "$scratch/out")" = "$1" ]; }
status_is() { [ "$(cat "$scratch/status")" = "$1" ]; }
err_has() { grep -q "$1" "$scratch/err"; }

# The cache folder's life.
run deps_cached_build web aaa works
check "a first run prints the prefix alone on standard output" 'out_is "$ZP_DEPS_CACHE/web-aaa/prefix"'
check "a first run builds" '[ "$(builds)" = 1 ]'
run deps_cached_build web aaa works
check "a second run prints the same prefix" 'out_is "$ZP_DEPS_CACHE/web-aaa/prefix"'
check "a second run builds nothing" '[ "$(builds)" = 1 ]'
mkdir -p "$ZP_DEPS_CACHE/mingw-aaa"
run deps_cached_build web bbb works
check "a new key builds a new folder" '[ "$(builds)" = 2 ] && [ -f "$ZP_DEPS_CACHE/web-bbb/complete" ]'
check "a new key removes the old folder, not another kind's" '[ ! -e "$ZP_DEPS_CACHE/web-aaa" ] && [ -d "$ZP_DEPS_CACHE/mingw-aaa" ]'
mkdir -p "$ZP_DEPS_CACHE/web-ccc/prefix/lib" && touch "$ZP_DEPS_CACHE/web-ccc/prefix/lib/half.a"
run deps_cached_build web ccc works
check "a build cut short is built again from nothing" '[ "$(builds)" = 3 ] && [ ! -e "$ZP_DEPS_CACHE/web-ccc/prefix/lib/half.a" ]'
run deps_cached_build web ddd breaks
check "a failed build fails, prints no prefix and leaves no stamp" 'status_is 1 && out_is "" && [ ! -e "$ZP_DEPS_CACHE/web-ddd/complete" ] && [ "$(builds)" = 3 ]'

# Debian's sources out of reach: apt's words and ours, no folder printed.
mkdir -p "$scratch/bin" "$scratch/src"
printf '#!/bin/sh\necho "E: Unable to find a source package for $*" >&2\nexit 100\n' >"$scratch/bin/apt-get"
printf '#!/bin/sh\nexit 0\n' >"$scratch/bin/apt-cache"
chmod +x "$scratch/bin/apt-get" "$scratch/bin/apt-cache"
PATH="$scratch/bin:$PATH" run deps_fetch_source "$scratch/src" libogg
check "a source package apt cannot fetch fails with apt's message" 'status_is 1 && out_is "" && err_has "E: Unable to find" && err_has "apt-get source libogg failed"'
PATH="$scratch/bin:$PATH" run eval 'versions=$(deps_versions libogg); echo "$versions"'
check "a package apt has no version of fails the key, asking for apt-get update" 'status_is 1 && out_is "" && err_has "apt-get update"'

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
