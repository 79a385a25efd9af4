#!/usr/bin/env bash
# Builds static SDL2, zlib, libogg and libvorbis (with vorbisfile) for the
# web with emscripten, from Debian's own source packages: emscripten's ports
# download their sources at build time, which cannot work here.
#   prefix=$(cmake/build-web-deps.sh)
# Standard output carries only the prefix (include/, lib/*.a,
# lib/pkgconfig/*.pc); progress and errors go to standard error. The build
# and its sources live in the cache that cmake/deps-common.sh describes: a
# second run with nothing changed prints the prefix at once.
#
# Everything is built with -pthread: wasm objects with and without threads
# do not link together. Compile with -I<prefix>/include/SDL2 before
# -I<prefix>/include, since emcc puts SDL 1 headers of its own on the path.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/deps-common.sh"
. "$here/web-env.sh"

packages=(zlib libogg libvorbis libsdl2)
cflags=(-O2 -pthread)

compiler_version() { emcc -v 2>&1 | grep -E '^emcc|clang version'; }

# zlib's CMake list needs a file Debian's source leaves out, and its
# configure a few edits: the library is small enough to compile directly.
zlib_sources=(adler32 compress crc32 deflate gzclose gzlib gzread gzwrite
    infback inffast inflate inftrees trees uncompr zutil)

# Called from build_zlib: its source and build folders are in scope.
compile_zlib() {
    emcc "${cflags[@]}" -DHAVE_UNISTD_H -DHAVE_STDARG_H -c "$source/$1.c" -o "$build/$1.o"
}

build_zlib() {
    local prefix=$1 source build version objects
    source=$(deps_fetch_source "$2" zlib)
    build="$source-build"
    deps_say "Building $(basename "$source")"
    mkdir -p "$build" "$prefix/include" "$prefix/lib/pkgconfig"
    deps_parallel compile_zlib "${zlib_sources[@]}"
    objects=("${zlib_sources[@]/#/$build/}")
    emar rcs "$prefix/lib/libz.a" "${objects[@]/%/.o}"
    install -m 0644 "$source/zlib.h" "$prefix/include/"
    # What zlib's configure writes into its installed zconf.h.
    sed -e 's/^#ifdef HAVE_UNISTD_H\(.*\) may be/#if 1\1 was/' \
        -e 's/^#ifdef HAVE_STDARG_H\(.*\) may be/#if 1\1 was/' \
        "$source/zconf.h" >"$prefix/include/zconf.h"
    version=$(sed -n 's/^#define ZLIB_VERSION "\(.*\)"/\1/p' "$source/zlib.h")
    cat >"$prefix/lib/pkgconfig/zlib.pc" <<EOF
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: zlib
Description: zlib compression library, for emscripten with threads
Version: $version
Libs: -L\${libdir} -lz
Cflags: -I\${includedir}
EOF
}

# --host=wasm32 makes configure cross-compile: it would otherwise run its
# test programs, which node cannot start with threads, and fail on
# libogg's type sizes.
build_autotools() {
    local prefix=$1 source
    source=$(deps_fetch_source "$2" "$3")
    shift 3
    deps_autotools_install "$source" "$prefix" emconfigure -- --host=wasm32 \
        CFLAGS="${cflags[*]}" CPPFLAGS="-I$prefix/include" LDFLAGS="-pthread -L$prefix/lib" "$@"
}

# SDL2 through its CMake list: its configure script knows no wasm32 host.
# Configuring takes minutes, each check a link with emcc. The engine draws
# with GL itself: no 2D renderer, no haptics.
build_sdl2() {
    local prefix=$1 source
    source=$(deps_fetch_source "$2" libsdl2)
    deps_say "Building $(basename "$source")"
    (
        cd "$2"
        deps_logged sdl2-configure.out emcmake cmake -S "$source" -B "$source-build" \
            -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
            -DCMAKE_C_FLAGS=-pthread -DCMAKE_EXE_LINKER_FLAGS=-pthread \
            -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_CCACHE=OFF \
            -DSDL_PTHREADS=ON -DSDL_RENDER=OFF -DSDL_HAPTIC=OFF
        deps_logged sdl2-build.out cmake --build "$source-build" -j"$(deps_jobs)"
        deps_logged sdl2-install.out cmake --install "$source-build"
    )
}

build_all() {
    build_zlib "$1" "$2"
    build_autotools "$1" "$2" libogg
    build_autotools "$1" "$2" libvorbis --disable-oggtest --disable-docs --disable-examples
    build_sdl2 "$1" "$2"
}

command -v emcc >/dev/null || deps_fail "emcc not found: run scripts/install-deps"
deps_ensure_deb_src
versions=$(deps_versions "${packages[@]}")
compiler=$(compiler_version)
key=$(deps_key "$versions
$compiler" "${BASH_SOURCE[0]}" "$here/web-env.sh")
deps_cached_build web "$key" build_all
