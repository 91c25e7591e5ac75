#!/usr/bin/env bash
# Qt for Windows, cross-built once from Debian's own qt6-base source (the
# version of the host's Qt, whose moc, rcc and uic the cross build uses) and
# kept outside the clone. The folder is named after the version and a hash of
# the configure line and the toolchain file; it counts as complete only with
# its marker, which is written last, so an interrupted build is built again.
#
#   tools/qt-windows.sh            build it unless it is there; ./kobalin.sh qt-windows
#   tools/qt-windows.sh --prefix   print its folder (the Windows build's KOBALIN_QT_WINDOWS)
#
# KOBALIN_JOBS sets the build's parallel jobs (2). Needs the packages that
# kobalin.sh installs for it (WINDOWS_BUILD_PACKAGES).
set -euo pipefail
cd "$(dirname "$0")/.."

# Every line here, the cmake options below and cmake/mingw-w64-base.cmake go
# into the folder's name: a change to any of them builds Qt again (some forty
# minutes).
QT_WINDOWS_CONFIGURE=(-release -shared -xplatform win32-g++ -qt-host-path /usr
    -nomake examples -nomake tests
    -no-opengl -no-dbus -no-icu -no-glib -no-openssl
    -qt-zlib -qt-libpng -qt-freetype -qt-harfbuzz -qt-pcre -qt-doubleconversion
    # Debian's source has no src/3rdparty/wintab, which tablet events need.
    -no-feature-tabletevent
    -no-feature-network -no-feature-sql -no-feature-xml -no-feature-printsupport -no-feature-concurrent
    -no-feature-jpeg -no-feature-gif -no-feature-ico -no-feature-vulkan -no-feature-zstd)
# Debian keeps the host Qt's CMake files under the multiarch folder.
QT_WINDOWS_CMAKE=(-G Ninja "-DQT_HOST_PATH_CMAKE_DIR=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake")
QT_WINDOWS_MARKER=kobalin-complete

# Prints the cache folder of Qt for Windows for the host's Qt version.
qt_windows_prefix() {
    local upstream hash
    upstream=$(dpkg-query -W -f='${source:Upstream-Version}' qt6-base-dev)
    hash=$( { printf '%s\n' "$upstream" "${QT_WINDOWS_CONFIGURE[@]}" "${QT_WINDOWS_CMAKE[@]}"; cat cmake/mingw-w64-base.cmake; } |
        sha256sum | cut -c1-12)
    echo "${XDG_CACHE_HOME:-$HOME/.cache}/kobalin/qt-${upstream%%+*}-mingw64-$hash"
}

# apt-get source needs a deb-src entry: one for the archives and suites the
# machine already takes its packages from.
deb_src_entry() {
    grep -rqs '^Types:.*deb-src\|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/ && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
        "${sudo[@]}" tee /etc/apt/sources.list.d/kobalin-src.sources >/dev/null
    "${sudo[@]}" apt-get update
}

# Debian's source package, fetched and checked once into the cache.
fetch_source() {
    local src=$1 version=$2 part=$SECONDS
    [ -f "$src/kobalin-unpacked" ] && return 0
    echo "Qt for Windows: fetching Debian's source package qt6-base $version"
    deb_src_entry
    rm -rf "$src" "$src.fetch"
    mkdir "$src.fetch"
    if ! (cd "$src.fetch" && apt-get source --download-only "qt6-base=$version"); then
        rm -rf "$src.fetch"
        echo "Could not fetch Debian's source package qt6-base $version (no network, or no deb-src entry reaching it)." >&2
        return 1
    fi
    # dpkg-source checks every file against the checksums of the .dsc,
    # which apt took from the archive's signed index.
    if ! dpkg-source --no-copy -x "$src.fetch"/qt6-base_*.dsc "$src"; then
        rm -rf "$src" "$src.fetch"
        echo "Debian's source package qt6-base $version did not pass dpkg-source's checks." >&2
        return 1
    fi
    rm -rf "$src.fetch"
    touch "$src/kobalin-unpacked"
    echo "Qt for Windows: source fetched and checked in $((SECONDS - part)) s"
}

qt_windows() {
    local prefix started=$SECONDS part
    prefix=$(qt_windows_prefix)
    if [ -f "$prefix/$QT_WINDOWS_MARKER" ]; then
        echo "Qt for Windows: $prefix (kept from an earlier build)"
        return 0
    fi
    local cache=${prefix%/*} version build=$prefix.build
    version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
    local src=$cache/qt6-base-$version
    # What an interrupted or other configure line left is not kept.
    local old
    for old in "$cache"/qt-*-mingw64-*; do
        [ -f "$old/$QT_WINDOWS_MARKER" ] || rm -rf "$old"
    done
    mkdir -p "$cache"
    fetch_source "$src" "$version"
    part=$SECONDS
    mkdir -p "$build"
    local toolchain=$PWD/cmake/mingw-w64-base.cmake
    (cd "$build" && "$src/configure" -prefix "$prefix" "${QT_WINDOWS_CONFIGURE[@]}" \
        -- "${QT_WINDOWS_CMAKE[@]}" "-DCMAKE_TOOLCHAIN_FILE=$toolchain") >"$build/configure.log" 2>&1 || {
        tail -n 40 "$build/configure.log"
        echo "Qt for Windows: configure failed; the log is $build/configure.log" >&2
        return 1
    }
    echo "Qt for Windows: configured in $((SECONDS - part)) s"
    part=$SECONDS
    cmake --build "$build" --parallel "${KOBALIN_JOBS:-2}"
    echo "Qt for Windows: built in $((SECONDS - part)) s"
    part=$SECONDS
    cmake --install "$build" >/dev/null
    rm -rf "$build"
    touch "$prefix/$QT_WINDOWS_MARKER"
    echo "Qt for Windows: installed in $prefix in $((SECONDS - part)) s; $((SECONDS - started)) s in all"
}

case "${1:-}" in
--prefix) qt_windows_prefix ;;
'') qt_windows ;;
*)
    sed -n '8,9s/^# \{0,1\}//p' "$0" >&2
    exit 2
    ;;
esac
