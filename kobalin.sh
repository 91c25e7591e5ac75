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
#
# Every build is a preset of CMakePresets.json (app, test, sanitize, fuzz,
# package, windows, bench), in a folder of its own under build/; Qt for Windows
# is built by tools/qt-windows.sh.
set -euo pipefail
cd "$(dirname "$0")"

BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins qt6-translations-l10n fonts-dejavu-core)
# Google Benchmark too: the benchmarks are built with the tests, so that CI compiles them.
# poppler-utils: pdftotext reads the layer sheet back, pdftoppm draws its first page.
# clang-format-14: the tests fail on a source file it would change.
TEST_PACKAGES=(libgtest-dev locales libbenchmark-dev poppler-utils clang-format-14)
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

# Configures and builds one of CMakePresets.json's presets.
build() {
    cmake --preset "$1"
    cmake --build --preset "$1"
}

# Runs a part of the checks and says how long it took; `./kobalin.sh test`
# sums them up at its end.
TIMES=()
timed() {
    local started=$SECONDS
    "${@:2}"
    TIMES+=("$1: $((SECONDS - started)) s")
    echo "${TIMES[-1]}"
}

# The whole program for Windows against Qt for Windows, and its setup in
# build/package.
windows() {
    local prefix
    tools/qt-windows.sh
    prefix=$(tools/qt-windows.sh --prefix)
    KOBALIN_QT_WINDOWS=$prefix build windows
    cmake --build --preset windows-setup
    mkdir -p build/package
    cp "build/windows/kobalin-$(project_version)-setup.exe" build/package/
    echo "Windows setup: build/package/kobalin-$(project_version)-setup.exe"
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
# Wine.
windows_tests() {
    ctest --preset windows
    with_display ctest --preset windows-display
    # Wine's server outlives the last test for a moment; let it finish with the prefix.
    WINEPREFIX="$PWD/build/windows/wineprefix" wineserver -w
}


# libFuzzer on what reads untrusted text, KOBALIN_FUZZ_SECONDS (60) per target,
# starting from the seeds in tests/fuzz/corpus, as many targets at a time as
# there are cores. New inputs it finds go to build/fuzz/corpus, an input that
# fails to build/fuzz/artifacts.
FUZZ_TARGETS=(regfile decimal namerule layerfile paste)
fuzz_one() {
    local dir=build/fuzz target=$1 started=$SECONDS
    local log="$dir/fuzz_$target.log"
    local options=(-max_total_time="${KOBALIN_FUZZ_SECONDS:-60}" -timeout=10 -print_final_stats=1
                   -artifact_prefix="$dir/artifacts/$target/")
    case $target in
    regfile) options+=(-max_len=8192 -dict=tests/fuzz/regfile.dict) ;;
    layerfile) options+=(-max_len=8192 -dict=tests/fuzz/layerfile.dict) ;;
    paste) options+=(-max_len=8192 -dict=tests/fuzz/paste.dict) ;;
    *) options+=(-max_len=256) ;;
    esac
    mkdir -p "$dir/corpus/$target" "$dir/artifacts/$target"
    if ! "$dir/tests/fuzz/fuzz_$target" "${options[@]}" "$dir/corpus/$target" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "fuzz_$target failed; the input is in $dir/artifacts/$target/" >&2
        return 1
    fi
    echo "fuzz_$target: $(sed -n 's/^stat::number_of_executed_units: *//p' "$log") runs in $((SECONDS - started)) s"
}
fuzz_tests() {
    local target running=0 failed=0 cores
    cores=$(nproc)
    for target in "${FUZZ_TARGETS[@]}"; do
        if ((running >= cores)); then
            wait -n || failed=1
            running=$((running - 1))
        fi
        fuzz_one "$target" &
        running=$((running + 1))
    done
    while ((running > 0)); do
        wait -n || failed=1
        running=$((running - 1))
    done
    return $failed
}

# Every step and dialog in each language, drawn on a virtual display.
screenshots() {
    rm -rf build/screenshots
    xvfb-run -a -s "-screen 0 1600x1000x24" build/test/tests/gui/kobalin_screenshots build/screenshots
    local sheet pages
    for sheet in build/screenshots/*.pdf; do
        pdftoppm -png -r 100 -f 1 -l 1 -singlefile "$sheet" "${sheet%.pdf}"
        # The last page too, with the block to sign, where it is another.
        pages=$(pdfinfo "$sheet" | awk '/^Pages:/ { print $2 }')
        if [ "$pages" -gt 1 ]; then
            pdftoppm -png -r 100 -f "$pages" -l "$pages" -singlefile "$sheet" "${sheet%.pdf}-last"
        fi
    done
    echo "Pictures of every step and dialog: build/screenshots/"
}

# The benchmarks (bench/), offscreen, in a build of their own; arguments go to
# Google Benchmark, e.g. --benchmark_filter=Refresh. docs/performance.md says
# what the figures are.
benchmarks() {
    build bench
    build/bench/bench/kobalin_bench "$@"
}

# The Debian package: a Release build of the program alone with Debian's
# hardening flags (which the preset takes from the environment), packed by
# CPack into build/package/.
package() {
    local cppflags cxxflags ldflags
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    cppflags=$(dpkg-buildflags --get CPPFLAGS)
    cxxflags=$(dpkg-buildflags --get CXXFLAGS)
    ldflags=$(dpkg-buildflags --get LDFLAGS)
    export KOBALIN_DEB_CXXFLAGS="$cppflags $cxxflags" KOBALIN_DEB_LDFLAGS=$ldflags
    build package
    rm -rf build/package
    cpack --preset package
    rm -rf build/package/_CPack_Packages
    echo "Package: $(ls build/package/*.deb)"
}

case "${1:-}" in
start)
    install_missing "${BUILD_PACKAGES[@]}"
    build app
    exec build/app/kobalin
    ;;
package)
    install_missing "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
    package
    ;;
test)
    timed "Packages installed" install_missing "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${WINDOWS_BUILD_PACKAGES[@]}" "${WINDOWS_TEST_PACKAGES[@]}" "${SCREENSHOT_PACKAGES[@]}" \
        "${HARDENING_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}" "${PACKAGE_TEST_PACKAGES[@]}"
    comma_locale
    timed "Test build" build test
    timed "Tests" ctest --preset test
    timed "Screenshots" screenshots
    # The whole test suite again, the windows included, under AddressSanitizer
    # (leaks too) and UndefinedBehaviorSanitizer; any finding fails the run.
    timed "Sanitizer build" build sanitize
    timed "Sanitizer tests" ctest --preset sanitize
    timed "Fuzz targets built" build fuzz
    timed "Fuzzing" fuzz_tests
    timed "Package built" package
    # As a user meets it: lintian, then installed with apt-get, started from
    # its menu entry on a virtual display, closed, and purged.
    timed "Package checked" tests/package/check.sh build/package/kobalin_*.deb
    # Last, so that a failure of the Windows part leaves every Linux part run.
    timed "Qt for Windows" tools/qt-windows.sh
    timed "Windows program and setup" windows
    timed "Windows tests under Wine" windows_tests
    # The setup as a user meets it.
    timed "Windows setup checked" tests/windows/setupcheck.sh "build/package/kobalin-$(project_version)-setup.exe"
    echo "Times of the parts (${SECONDS} s in all):"
    printf '  %s\n' "${TIMES[@]}"
    ;;
windows)
    install_missing "${BUILD_PACKAGES[@]}" "${WINDOWS_BUILD_PACKAGES[@]}"
    timed "Windows program and setup" windows
    ;;
qt-windows)
    install_missing "${BUILD_PACKAGES[@]}" "${WINDOWS_BUILD_PACKAGES[@]}"
    tools/qt-windows.sh
    ;;
screenshots)
    install_missing "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${SCREENSHOT_PACKAGES[@]}"
    build test
    screenshots
    ;;
bench)
    install_missing "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    benchmarks "${@:2}"
    ;;
*)
    sed -n '2,16s/^# \{0,1\}//p' "$0"
    exit 2
    ;;
esac
