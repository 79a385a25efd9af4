# shellcheck shell=bash
# Sourced by cmake/build-*-deps.sh, which build libraries from Debian's own
# source packages for targets Debian ships no build of.
#
# The cache: each script builds into
#   ${ZP_DEPS_CACHE:-$HOME/.cache/zpdemo}/<kind>-<key>/
# prefix/ holds the result (include/, lib/, lib/pkgconfig/), src/ the
# unpacked sources and their build trees. The key hashes the build script,
# this file, the source packages' versions and the compiler's version: a
# change to any of them builds a new folder, and the other folders of the
# same kind are removed. The stamp `complete` is written last; a folder
# without it was cut short and is built again from nothing.

deps_common_file=${BASH_SOURCE[0]}
# A failure inside $(...) fails the script too, as set -e does elsewhere,
# and names the command that failed, which may have said nothing.
shopt -s inherit_errexit
set -o errtrace
deps_report_failure() { echo "${0##*/}: line $1: $2 failed ($3)" >&2; }
trap 'deps_report_failure "$LINENO" "$BASH_COMMAND" "$?"' ERR

deps_fail() {
    echo "$(basename "$0"): $*" >&2
    exit 1
}

deps_jobs() { echo "${ZP_DEPS_JOBS:-2}"; }

# Progress, with the seconds since the script started.
deps_say() { echo "$* ($SECONDS s)" >&2; }

# The suite the system's own package lists use, so that the sources match
# the installed headers' versions.
deps_debian_suite() {
    . /etc/os-release
    echo "${VERSION_CODENAME:?no VERSION_CODENAME in /etc/os-release}"
}

deps_ensure_deb_src() {
    grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/ && return
    local suite list=/etc/apt/sources.list.d/zpdemo-deb-src.sources sudo=""
    suite=$(deps_debian_suite)
    echo "Adding a deb-src entry for $suite ($list)" >&2
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo tee "$list" >/dev/null <<EOF
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $suite $suite-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    $sudo apt-get update -qq >&2
}

# The version apt would fetch, so that the key changes when Debian's does.
deps_source_version() {
    local version
    version=$(apt-cache showsrc "$1" 2>/dev/null | awk '/^Version:/ { print $2; exit }')
    [ -n "$version" ] || deps_fail "apt knows no source package $1: run apt-get update"
    echo "$version"
}

# Prints the key of a build: TEXT (versions) and the FILEs that build it.
deps_key() {
    local text=$1
    shift
    { cat "$@" "$deps_common_file"; echo "$text"; } | sha256sum | cut -c1-12
}

deps_versions() {
    local package version
    for package; do
        version=$(deps_source_version "$package")
        echo "$package $version"
    done
}

# Unpacks a source package into SOURCES (once) and prints its folder.
deps_fetch_source() {
    local sources=$1 package=$2 dir
    dir=$(find "$sources" -maxdepth 1 -type d -name "$package-[0-9]*" | head -n 1)
    if [ -z "$dir" ]; then
        # Quiet when it works; apt's own words when it does not.
        (cd "$sources" && apt-get source -qq "$package" >/dev/null 2>&1) ||
            (cd "$sources" && apt-get source "$package" >&2) ||
            deps_fail "apt-get source $package failed"
        dir=$(find "$sources" -maxdepth 1 -type d -name "$package-[0-9]*" | head -n 1)
        [ -n "$dir" ] || deps_fail "apt-get source $package left no $package-<version> folder"
    fi
    echo "$dir"
}

# Runs COMMAND > LOG in the current folder; shows the log's end if it fails.
deps_logged() {
    local log=$1
    shift
    "$@" >"$log" 2>&1 || { tail -n 40 "$log" >&2; deps_fail "$* failed (log: $PWD/$log)"; }
}

# Configures an autotools package in a folder of its own beside its
# sources, builds it and installs it into PREFIX, static only. The words
# before -- start configure (a wrapper such as emconfigure, or none); those
# after it are configure's own. PKG_CONFIG_LIBDIR keeps the host's .pc files
# out: a package must find the libraries built before it, not the system's.
deps_autotools_install() {
    local source=$1 prefix=$2 launcher=()
    shift 2
    while [ "$1" != -- ]; do launcher+=("$1"); shift; done
    shift
    deps_say "Building $(basename "$source")"
    [ -x "$source/configure" ] || (cd "$source" && deps_logged autoreconf.out autoreconf -fi)
    mkdir -p "$source-build"
    (
        cd "$source-build" || exit
        PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig" deps_logged configure.out \
            "${launcher[@]}" "$source/configure" --prefix="$prefix" --disable-shared --enable-static "$@"
        deps_logged make.out make -j"$(deps_jobs)"
        deps_logged install.out make install
    )
}

# Runs FUNCTION ITEM for each ITEM, ZP_DEPS_JOBS at a time; any failure
# fails the whole.
deps_parallel() {
    local function=$1 item pids=() pid
    shift
    for item; do
        "$function" "$item" &
        pids+=($!)
        if [ ${#pids[@]} -ge "$(deps_jobs)" ]; then
            wait "${pids[0]}"
            pids=("${pids[@]:1}")
        fi
    done
    for pid in "${pids[@]}"; do wait "$pid"; done
}

# Builds KIND for KEY with BUILDER PREFIX SOURCES unless the cache holds it
# complete, removes the kind's other folders and prints the prefix: the only
# line on standard output. The builder's output goes to standard error.
deps_cached_build() {
    local kind=$1 key=$2 builder=$3 root dir lock stale
    root=${ZP_DEPS_CACHE:-$HOME/.cache/zpdemo}
    dir="$root/$kind-$key"
    mkdir -p "$root" || deps_fail "cannot make the cache folder $root"
    # One build of a kind at a time: whoever waited finds it complete.
    exec {lock}>"$root/$kind.lock"
    flock "$lock"
    if [ -f "$dir/complete" ]; then
        echo "The $kind libraries are up to date in $dir" >&2
    else
        rm -rf "$dir"
        mkdir -p "$dir/prefix" "$dir/src"
        deps_say "Building the $kind libraries into $dir"
        "$builder" "$dir/prefix" "$dir/src" >&2
        echo "$key" >"$dir/complete"
        deps_say "Built the $kind libraries"
    fi
    for stale in "$root/$kind"-*; do
        [ "$stale" = "$dir" ] || [ ! -d "$stale" ] || { echo "Removing $stale" >&2; rm -rf "$stale"; }
    done
    exec {lock}>&-
    echo "$dir/prefix"
}
