#!/usr/bin/env bash
# Builds static libogg, libvorbis and Dear ImGui for x86_64-w64-mingw32 from
# Debian's own source packages: Debian ships no MinGW build of them.
#   prefix=$(cmake/build-mingw-deps.sh)
#   cmake --preset windows -DZP_MINGW_DEPS_DIR="$prefix"
# Standard output carries only the prefix (include/, lib/*.a,
# lib/pkgconfig/*.pc); progress and errors go to standard error. The build
# and its sources live in the cache that cmake/deps-common.sh describes: a
# second run with nothing changed prints the prefix at once.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/deps-common.sh"

host=x86_64-w64-mingw32
packages=(libogg libvorbis imgui)

compiler_version() {
    dpkg-query -W -f='${Package} ${Version}\n' gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix
}

build_autotools() {
    local prefix=$1 source
    source=$(deps_fetch_source "$2" "$3")
    deps_autotools_install "$source" "$prefix" -- --host="$host" \
        CC="$host-gcc-posix" AR="$host-ar" RANLIB="$host-ranlib" \
        CPPFLAGS="-I$prefix/include" LDFLAGS="-L$prefix/lib"
}

# Its warnings are upstream's: kept in a log, shown when the compiler fails.
# Called from build_imgui: its source and build folders are in scope.
compile_imgui() {
    local object
    object="$build/$(basename "${1%.cpp}").o"
    "$host-g++-posix" -std=c++17 -O2 -g -I"$source" -c "$source/$1" -o "$object" >"$object.log" 2>&1 ||
        { cat "$object.log" >&2; return 1; }
}

# Dear ImGui for the live tool's overlay: the core and the OpenGL 3 renderer
# (with its own GL loader) in one static library. Debian's own build takes
# stb from libstb, which has no MinGW build: this one compiles ImGui's
# bundled copies.
build_imgui() {
    local prefix=$1 source build version units
    source=$(deps_fetch_source "$2" imgui)
    build="$source-build"
    version=$(basename "$source")
    version=${version#imgui-}
    version=${version%%+*}
    deps_say "Building $(basename "$source")"
    mkdir -p "$build" "$prefix/lib/pkgconfig" "$prefix/include/imgui/backends"
    units=(imgui.cpp imgui_draw.cpp imgui_tables.cpp imgui_widgets.cpp backends/imgui_impl_opengl3.cpp)
    deps_parallel compile_imgui "${units[@]}"
    "$host-ar" rcs "$prefix/lib/libimgui.a" "$build"/*.o
    install -m 0644 "$source"/*.h "$prefix/include/imgui/"
    install -m 0644 "$source"/backends/imgui_impl_opengl3*.h "$prefix/include/imgui/backends/"
    # The same name and layout as Debian's libimgui-dev: <imgui.h> and
    # <backends/imgui_impl_opengl3.h>. Its clipboard needs user32.
    cat >"$prefix/lib/pkgconfig/imgui.pc" <<EOF
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include/imgui

Name: imgui
Description: Dear ImGui with the OpenGL 3 renderer, for $host
Version: $version
Libs: -L\${libdir} -limgui -luser32
Cflags: -I\${includedir}
EOF
}

build_all() {
    build_autotools "$1" "$2" libogg
    build_autotools "$1" "$2" libvorbis
    build_imgui "$1" "$2"
}

command -v "$host-gcc-posix" >/dev/null || deps_fail "$host-gcc-posix not found: run scripts/install-deps"
deps_ensure_deb_src
versions=$(deps_versions "${packages[@]}")
compiler=$(compiler_version)
key=$(deps_key "$versions
$compiler" "${BASH_SOURCE[0]}")
deps_cached_build mingw "$key" build_all
