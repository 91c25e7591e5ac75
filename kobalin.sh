#!/usr/bin/env bash
# Set-up, build and checks of Kobalin on Debian 12. Installs what is missing
# with apt-get (as root, or through sudo).
#
#   ./kobalin.sh start   build and start the wizard
#   ./kobalin.sh test    build and run every test
set -euo pipefail
cd "$(dirname "$0")"

BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins fonts-dejavu-core)
TEST_PACKAGES=(libgtest-dev locales)

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

case "${1:-}" in
start)
    install_missing "${BUILD_PACKAGES[@]}"
    build build/app -DBUILD_TESTING=OFF
    exec build/app/kobalin
    ;;
test)
    install_missing "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    comma_locale
    build build/test
    ctest --test-dir build/test --output-on-failure
    ;;
*)
    sed -n '2,7s/^# \{0,1\}//p' "$0"
    exit 2
    ;;
esac
