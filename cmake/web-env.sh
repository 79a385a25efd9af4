# shellcheck shell=bash
# Sourced by everything that runs emscripten here (cmake/build-web-deps.sh,
# the web build), so that all of them share one emscripten cache:
#   . cmake/web-env.sh
#
# EM_CACHE holds emscripten's own system libraries (libc, libc++, ...) for
# each set of flags. Debian's emscripten ships them prebuilt, in a frozen
# cache under /usr/share/emscripten/cache that emscripten refuses to add to;
# an empty writable cache takes about 12 minutes of building from source
# before the first link. So the writable cache in the deps cache starts as a
# copy of Debian's (seconds, once), and what Debian did not prebuild is
# built there on first use and kept. Emscripten empties it itself when its
# version or clang's changes.
#
# NODE_PATH: emscripten's JavaScript passes need acorn, which Debian keeps
# in /usr/share/nodejs; a node from elsewhere does not look there.

export EM_CACHE="${ZP_DEPS_CACHE:-$HOME/.cache/zpdemo}/emscripten"
# Debian's configuration freezes the cache; an empty value unfreezes it.
export EM_FROZEN_CACHE=
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"

zp_seed_em_cache() {
    local debian=/usr/share/emscripten/cache seed
    if [ -f "$EM_CACHE/sysroot_install.stamp" ] || [ ! -d "$debian" ]; then
        return 0
    fi
    mkdir -p "$(dirname "$EM_CACHE")"
    seed=$(mktemp -d "$EM_CACHE.seed.XXXXXX")
    cp -a "$debian/." "$seed/"
    # Another shell may have seeded it meanwhile: its copy is as good.
    mv -T "$seed" "$EM_CACHE" 2>/dev/null || rm -rf "$seed"
}
zp_seed_em_cache
