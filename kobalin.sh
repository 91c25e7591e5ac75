#!/usr/bin/env bash
# Set-up, build and checks of Kobalin on Debian 12. Installs what is missing
# with apt-get (as root, or through sudo).
#
#   ./kobalin.sh start   build and start the wizard
#   ./kobalin.sh test    build and run every test
#   ./kobalin.sh screenshots   pictures of every step and dialog in build/screenshots
#   ./kobalin.sh bench   build and run the benchmarks, each figure beside its floor
#   ./kobalin.sh package   the Debian package, in build/package
#   ./kobalin.sh windows   the Windows program and its setup, in build/package
#   ./kobalin.sh qt-windows   only Qt for Windows, built once into ~/.cache/kobalin
set -euo pipefail
cd "$(dirname "$0")"

BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins fonts-dejavu-core)
# Google Benchmark too: the benchmarks are built with the tests, so that CI compiles them.
# poppler-utils: pdftotext reads the layer sheet back, pdftoppm draws its first page.
TEST_PACKAGES=(libgtest-dev locales libbenchmark-dev poppler-utils)
# A real X display without a screen, for the pictures of every step.
SCREENSHOT_PACKAGES=(xvfb xauth)
# The Windows tests: Wine to run them and the setup, DejaVu for the offscreen
# runs; a virtual display with a window manager for Windows' own platform
# plugin and the setup's check.
WINDOWS_TEST_PACKAGES=(wine wine64 fonts-dejavu-core xvfb xauth openbox xdotool wmctrl x11-utils binutils)
# Qt for Windows from Debian's source package (apt-get source unpacks with
# dpkg-source, from dpkg-dev) and the installer.
WINDOWS_BUILD_PACKAGES=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 dpkg-dev nsis)
# CPack's Debian generator needs dpkg-shlibdeps (dpkg-dev) and file.
PACKAGE_PACKAGES=(dpkg-dev file)
# The package's check: lintian, the validators of the menu entry and the
# software-centre details, and a virtual display with a window manager on
# which the installed program is started and closed.
PACKAGE_TEST_PACKAGES=(lintian desktop-file-utils appstream xvfb xauth openbox xdotool wmctrl x11-utils)
# clang with its runtimes (libFuzzer, the sanitizers) for the fuzz targets.
HARDENING_PACKAGES=(clang libclang-rt-14-dev)

install_missing() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    ((${#missing[@]})) || return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

# The tests check that a locale whose decimal mark is "," changes nothing.
comma_locale() {
    locale -a 2>/dev/null | grep -qi '^nl_NL\.utf-\?8$' && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" sed -i 's/^# *\(nl_NL.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    "${sudo[@]}" locale-gen
}

build() {
    cmake -S . -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${@:2}"
    cmake --build "$1"
}

# The whole program for Windows against Qt for Windows, and its setup in
# build/package.
windows() {
    local dir=build/windows started=$SECONDS prefix
    qt_windows
    prefix=$(qt_windows_prefix)
    build "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DKOBALIN_CORE_ONLY=OFF "-DKOBALIN_QT_WINDOWS=$prefix"
    cmake --build "$dir" --target setup
    mkdir -p build/package
    cp "$dir/kobalin-$(project_version)-setup.exe" build/package/
    echo "Windows program and setup: $((SECONDS - started)) s; build/package/kobalin-$(project_version)-setup.exe"
}

project_version() { sed -n 's/^project(kobalin VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt; }

# A virtual display with a window manager for the command given, then gone.
with_display() {
    xvfb-run -a -s "-screen 0 1600x1000x24 -nolisten tcp" sh -c 'openbox >/dev/null 2>&1 & wm=$!; "$@"; status=$?; kill $wm; exit $status' sh "$@"
}

# The program's tests under Wine against its real registry: offscreen, and
# the window tests once more on Windows' own platform plugin on a virtual
# display. The toolchain file puts the Wine prefix inside the build folder (the
# first test sets it up, some ten seconds), so no test sees the user's own
# Wine. Then the setup as a user meets it.
windows_tests() {
    local dir=build/windows started=$SECONDS part
    windows
    part=$SECONDS
    ctest --test-dir "$dir" --output-on-failure -LE display
    with_display ctest --test-dir "$dir" --output-on-failure -L display
    # Wine's server outlives the last test for a moment; let it finish with the prefix.
    WINEPREFIX="$PWD/$dir/wineprefix" wineserver -w
    echo "Windows tests under Wine: $((SECONDS - part)) s"
    part=$SECONDS
    tests/windows/setupcheck.sh "build/package/kobalin-$(project_version)-setup.exe"
    echo "Windows setup checked: $((SECONDS - part)) s"
    echo "Windows part in all: $((SECONDS - started)) s"
}

# Qt for Windows, cross-built once from Debian's own qt6-base source (the
# version of the host's Qt, whose moc, rcc and uic the cross build uses) and
# kept outside the clone. The folder is named after the version and a hash of
# the configure line and the toolchain file; it counts as complete only with
# its marker, which is written last, so an interrupted build is built again.
QT_WINDOWS_CONFIGURE=(-release -shared -xplatform win32-g++ -qt-host-path /usr
    -nomake examples -nomake tests
    -no-opengl -no-dbus -no-icu -no-glib -no-openssl
    -qt-zlib -qt-libpng -qt-freetype -qt-harfbuzz -qt-pcre -qt-doubleconversion
    # Debian's source has no src/3rdparty/wintab, which tablet events need.
    -no-feature-tabletevent
    -no-feature-network -no-feature-sql -no-feature-xml -no-feature-printsupport -no-feature-concurrent
    -no-feature-jpeg -no-feature-gif -no-feature-ico -no-feature-vulkan -no-feature-zstd)
QT_WINDOWS_MARKER=kobalin-complete

# Prints the cache folder of Qt for Windows for the host's Qt version.
qt_windows_prefix() {
    # Debian keeps the host Qt's CMake files under the multiarch folder.
    QT_WINDOWS_CMAKE=(-G Ninja "-DQT_HOST_PATH_CMAKE_DIR=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake")
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

qt_windows() {
    local prefix started=$SECONDS part
    qt_windows_prefix >/dev/null
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
    if [ ! -f "$src/kobalin-unpacked" ]; then
        part=$SECONDS
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
    fi
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

# The whole test suite again, the windows included, under AddressSanitizer
# (leaks too) and UndefinedBehaviorSanitizer; any finding fails the run.
sanitizer_tests() {
    local dir=build/sanitize started=$SECONDS
    local flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
    build "$dir" "-DCMAKE_CXX_FLAGS=$flags" "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined"
    ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:detect_stack_use_after_return=1 \
        UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --test-dir "$dir" --output-on-failure
    echo "Sanitizer build and tests: $((SECONDS - started)) s"
}

# libFuzzer on what reads untrusted text, KOBALIN_FUZZ_SECONDS (60) per target,
# starting from the seeds in tests/fuzz/corpus. New inputs it finds go to
# build/fuzz/corpus, an input that fails to build/fuzz/artifacts.
fuzz_tests() {
    local dir=build/fuzz started=$SECONDS target
    build "$dir" -DCMAKE_CXX_COMPILER=clang++ -DKOBALIN_CORE_ONLY=ON -DBUILD_TESTING=OFF -DKOBALIN_FUZZ=ON
    echo "Fuzz targets built: $((SECONDS - started)) s"
    for target in regfile decimal namerule layerfile; do
        local part=$SECONDS log="$dir/fuzz_$target.log"
        local options=(-max_total_time="${KOBALIN_FUZZ_SECONDS:-60}" -timeout=10 -print_final_stats=1
                       -artifact_prefix="$dir/artifacts/$target/")
        case $target in
        regfile) options+=(-max_len=8192 -dict=tests/fuzz/regfile.dict) ;;
        layerfile) options+=(-max_len=8192 -dict=tests/fuzz/layerfile.dict) ;;
        *) options+=(-max_len=256) ;;
        esac
        mkdir -p "$dir/corpus/$target" "$dir/artifacts/$target"
        if ! "$dir/tests/fuzz/fuzz_$target" "${options[@]}" "$dir/corpus/$target" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
            tail -n 40 "$log"
            echo "fuzz_$target failed; the input is in $dir/artifacts/$target/" >&2
            return 1
        fi
        echo "fuzz_$target: $(sed -n 's/^stat::number_of_executed_units: *//p' "$log") runs in $((SECONDS - part)) s"
    done
    echo "Fuzzing: $((SECONDS - started)) s"
}

# Every step and dialog in each language, drawn on a virtual display.
screenshots() {
    rm -rf build/screenshots
    xvfb-run -a -s "-screen 0 1600x1000x24" build/test/tests/gui/kobalin_screenshots build/screenshots
    local sheet
    for sheet in build/screenshots/*.pdf; do
        pdftoppm -png -r 100 -f 1 -l 1 -singlefile "$sheet" "${sheet%.pdf}"
    done
    echo "Pictures of every step and dialog: build/screenshots/"
}

# The benchmarks (bench/), offscreen, in a build of their own; arguments go to
# Google Benchmark, e.g. --benchmark_filter=Refresh. "Performance" in README.md
# says what the figures are.
benchmarks() {
    cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build/bench --target kobalin_bench
    build/bench/bench/kobalin_bench "$@"
}

# The Debian package: a Release build of the program alone with Debian's
# hardening flags, packed by CPack into build/package/.
package() {
    local dir=build/release
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DCMAKE_INSTALL_PREFIX=/usr \
        "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
        "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)"
    cmake --build "$dir"
    rm -rf build/package
    cpack --config "$dir/CPackConfig.cmake" -B "$PWD/build/package"
    rm -rf build/package/_CPack_Packages
    echo "Package: $(ls build/package/*.deb)"
}

# The package as a user meets it: lintian, then installed with apt-get,
# started from its menu entry on a virtual display, closed, and purged.
package_tests() {
    local started=$SECONDS
    package
    tests/package/check.sh build/package/kobalin_*.deb
    echo "Package built and checked: $((SECONDS - started)) s"
}

case "${1:-}" in
start)
    install_missing "${BUILD_PACKAGES[@]}"
    build build/app -DBUILD_TESTING=OFF
    exec build/app/kobalin
    ;;
package)
    install_missing "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
    package
    ;;
test)
    install_missing "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${WINDOWS_BUILD_PACKAGES[@]}" "${WINDOWS_TEST_PACKAGES[@]}" "${SCREENSHOT_PACKAGES[@]}" \
        "${HARDENING_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}" "${PACKAGE_TEST_PACKAGES[@]}"
    comma_locale
    build build/test
    ctest --test-dir build/test --output-on-failure
    screenshots
    sanitizer_tests
    fuzz_tests
    package_tests
    # Last, so that a failure of the Windows part leaves every Linux part run.
    windows_tests
    ;;
windows)
    install_missing "${BUILD_PACKAGES[@]}" "${WINDOWS_BUILD_PACKAGES[@]}"
    windows
    ;;
qt-windows)
    install_missing "${BUILD_PACKAGES[@]}" "${WINDOWS_BUILD_PACKAGES[@]}"
    qt_windows
    ;;
screenshots)
    install_missing "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${SCREENSHOT_PACKAGES[@]}"
    build build/test
    screenshots
    ;;
bench)
    install_missing "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    benchmarks "${@:2}"
    ;;
*)
    sed -n '2,12s/^# \{0,1\}//p' "$0"
    exit 2
    ;;
esac
