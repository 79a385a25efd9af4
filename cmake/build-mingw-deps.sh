#!/usr/bin/env bash
# Builds static libogg, libvorbis and Dear ImGui for x86_64-w64-mingw32 from
# Debian's own source packages: Debian ships no MinGW build of them. Usage:
#   cmake/build-mingw-deps.sh <build dir>
# Sources are fetched into <build dir>/deps-src and installed into
# <build dir>/deps; a stamp naming the source versions makes a second run a
# no-op. Nothing lands in the source tree.
set -euo pipefail

build_dir=$(mkdir -p "$1" && cd "$1" && pwd)
host=x86_64-w64-mingw32
prefix="$build_dir/deps"
sources="$build_dir/deps-src"
packages=(libogg libvorbis)

# The suite the system's own package lists use, so that the sources match
# the installed headers' versions.
debian_suite() {
    . /etc/os-release
    echo "${VERSION_CODENAME:?no VERSION_CODENAME in /etc/os-release}"
}

has_deb_src() {
    grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/
}

add_deb_src() {
    local suite list=/etc/apt/sources.list.d/zpdemo-deb-src.sources
    suite=$(debian_suite)
    echo "Adding a deb-src entry for $suite ($list)"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo tee "$list" >/dev/null <<EOF
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $suite $suite-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    $sudo apt-get update -qq
}

# The version apt would fetch, so the stamp changes when Debian's does.
source_version() {
    apt-cache showsrc "$1" 2>/dev/null | awk '/^Version:/ { print $2; exit }'
}

stamp_text() {
    local package
    for package in "${packages[@]}"; do
        echo "$package $(source_version "$package")"
    done
}

already_built() {
    [ -f "$prefix/.stamp" ] && [ -f "$prefix/lib/libvorbisfile.a" ] &&
        [ "$(cat "$prefix/.stamp")" = "$(stamp_text)" ]
}

# Unpacks (once) and returns the source directory of a package.
fetch_source() {
    local package=$1 dir
    dir=$(find "$sources" -maxdepth 1 -type d -name "$package-[0-9]*" | head -n 1)
    if [ -z "$dir" ]; then
        (cd "$sources" && apt-get source -qq "$package" >/dev/null 2>&1) ||
            (cd "$sources" && apt-get source "$package")
        dir=$(find "$sources" -maxdepth 1 -type d -name "$package-[0-9]*" | head -n 1)
    fi
    echo "$dir"
}

build_package() {
    local package=$1 dir
    dir=$(fetch_source "$package")
    echo "Building $package for $host from $(basename "$dir")"
    (
        cd "$dir"
        [ -x configure ] || autoreconf -fi
        # PKG_CONFIG_LIBDIR keeps the host's .pc files out of the picture:
        # libvorbis must find the libogg just built, not the system's.
        PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig" \
            ./configure --host="$host" --prefix="$prefix" \
            --disable-shared --enable-static \
            CC="$host-gcc-posix" AR="$host-ar" RANLIB="$host-ranlib" \
            CPPFLAGS="-I$prefix/include" LDFLAGS="-L$prefix/lib" \
            >configure.out 2>&1 || { tail -n 40 configure.out config.log >&2; exit 1; }
        make -j"${ZP_DEPS_JOBS:-2}" >make.out 2>&1 || { tail -n 40 make.out >&2; exit 1; }
        make install >/dev/null
    )
}

# Dear ImGui for the live tool's overlay: the core and the OpenGL 3 renderer
# (with its own GL loader) from Debian's source package, in one static
# library. Debian's own build takes stb from libstb, which has no MinGW
# build: this one compiles ImGui's bundled copies. A stamp of its own keeps
# a new ImGui from rebuilding libogg and libvorbis, and the reverse.
imgui_stamp_text() {
    echo "imgui $(source_version imgui)"
}

# Its warnings are upstream's: kept in a log, shown when the compiler fails.
compile_imgui() {
    local dir=$1 source=$2 object=$3
    "$host-g++-posix" -std=c++17 -O2 -g -I"$dir" -c "$dir/$source" -o "$object" >"$object.log" 2>&1 ||
        { cat "$object.log" >&2; return 1; }
}

build_imgui() {
    if [ -f "$prefix/.stamp-imgui" ] && [ -f "$prefix/lib/libimgui.a" ] &&
        [ "$(cat "$prefix/.stamp-imgui")" = "$(imgui_stamp_text)" ]; then
        echo "imgui for $host is up to date in $prefix"
        return
    fi
    mkdir -p "$sources" "$prefix/lib/pkgconfig" "$prefix/include/imgui/backends"
    rm -f "$prefix/.stamp-imgui"
    local dir version source objects=()
    dir=$(fetch_source imgui)
    version=$(basename "$dir")
    version=${version#imgui-}
    version=${version%%+*}
    echo "Building imgui for $host from $(basename "$dir")"
    mkdir -p "$dir/build-$host"
    for source in imgui.cpp imgui_draw.cpp imgui_tables.cpp imgui_widgets.cpp backends/imgui_impl_opengl3.cpp; do
        objects+=("$dir/build-$host/$(basename "${source%.cpp}").o")
        compile_imgui "$dir" "$source" "${objects[-1]}" &
        # At most ZP_DEPS_JOBS compilers at once.
        while [ "$(jobs -rp | wc -l)" -ge "${ZP_DEPS_JOBS:-2}" ]; do wait -n; done
    done
    while [ "$(jobs -rp | wc -l)" -gt 0 ]; do wait -n; done
    rm -f "$prefix/lib/libimgui.a"
    "$host-ar" rcs "$prefix/lib/libimgui.a" "${objects[@]}"
    install -m 0644 "$dir"/*.h "$prefix/include/imgui/"
    install -m 0644 "$dir"/backends/imgui_impl_opengl3*.h "$prefix/include/imgui/backends/"
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
    imgui_stamp_text >"$prefix/.stamp-imgui"
    echo "imgui for $host installed in $prefix"
}

has_deb_src || add_deb_src
build_imgui
if already_built; then
    echo "libogg and libvorbis for $host are up to date in $prefix"
    exit 0
fi
mkdir -p "$sources" "$prefix"
rm -f "$prefix/.stamp"
for package in "${packages[@]}"; do
    build_package "$package"
done
stamp_text >"$prefix/.stamp"
echo "libogg and libvorbis for $host installed in $prefix"
