#!/usr/bin/env bash
# The Debian package as a user meets it:
#   tests/package/check.sh build/package/kobalin_<version>_<arch>.deb
# lintian finds no error or warning; apt-get installs it with its dependencies;
# the program, started from the installed menu entry's Exec line on a virtual
# display with a window manager, shows its window "Kobalin", is closed through
# the window manager as with the close box and exits with status 0; apt-get
# purge then leaves nothing of it under /usr.
#
# Installs into and removes from this system (as root, or through sudo), so it
# refuses to run while a kobalin package is already installed.
set -euo pipefail

deb=$(realpath "$1")
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
work=$(mktemp -d /tmp/kobalin-package.XXXXXX)
xvfb= wm= program= installed=

cleanup() {
    local pid
    # The program first, the display last.
    for pid in $program $wm $xvfb; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    if [ -n "$installed" ] && dpkg-query -W kobalin >/dev/null 2>&1; then
        echo "Removing the package left by the failed check" >&2
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get purge -y -q kobalin >/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

fail() {
    echo "package check: $*" >&2
    exit 1
}

# shellcheck source=../desktop.sh
source "$(dirname "$0")/../desktop.sh"

if dpkg-query -W -f='${Status}' kobalin 2>/dev/null | grep -q 'install ok installed'; then
    fail "a kobalin package is installed already; remove it first (apt-get purge kobalin)"
fi

echo "== lintian"
lintian --display-info --display-experimental --pedantic --fail-on error,warning "$deb" >"$work/lintian" ||
    { cat "$work/lintian"; fail "lintian reports errors or warnings"; }
if [ -s "$work/lintian" ]; then cat "$work/lintian"; else echo "no tags"; fi

echo "== apt-get install $deb"
installed=yes
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q "$deb"
dpkg -L kobalin | sort -r >"$work/files"

# The program as the menu starts it: the entry's Exec line without its field codes.
entry=/usr/share/applications/nl.tendrik.Kobalin.desktop
exec_line=$(sed -n '/^\[Desktop Entry\]/,/^\[/s/^Exec=//p' "$entry")
[ -n "$exec_line" ] || fail "$entry has no Exec line"
read -ra command <<<"$(sed -E 's/%[fFuUdDnNickvm]//g; s/%%/%/g' <<<"$exec_line")"
[ "$(command -v "${command[0]}")" = /usr/bin/kobalin ] || fail "Exec=$exec_line does not start /usr/bin/kobalin"

echo "== start: ${command[*]}"
# A home and settings of its own; the language is chosen already, so the
# wizard opens at once instead of the language dialog.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" \
    XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/Tendrik" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' '[HKEY_CURRENT_USER\SOFTWARE\Tendrik\kobalin]' \
    '"taal"=dword:000003e8' '"koppel"=dword:00000000' >"$XDG_CONFIG_HOME/Tendrik/kobalin.reg"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

start_desktop

"${command[@]}" >"$work/kobalin.log" 2>&1 &
program=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Kobalin$' | head -n 1) ||
    fail "no window named Kobalin appeared within 30 s: $(cat "$work/kobalin.log")"
echo "window $window: $(xdotool getwindowname "$window"), $(xdotool getwindowgeometry "$window" | tr -s '\n ' ' ')"
# Docks and task bars find the window's menu entry by its class.
class=$(xprop -id "$window" WM_CLASS)
wm_class=$(sed -n '/^\[Desktop Entry\]/,/^\[/s/^StartupWMClass=//p' "$entry")
[[ $class == *", \"$wm_class\"" ]] || fail "the window's $class is not the menu entry's StartupWMClass $wm_class"
echo "$class"
# What the window's close box does: the window manager is asked to close it.
wmctrl -i -c "$window"
wait_for 20 ended "$program" || fail "the program still runs 20 s after its window was closed"
status=0
wait "$program" || status=$?
program=
cat "$work/kobalin.log"
((status == 0)) || fail "the program exited with status $status"
echo "closed, exit status 0"

echo "== apt-get purge kobalin"
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get purge -y -q kobalin
installed=
! dpkg-query -W -f='${Status}' kobalin 2>/dev/null | grep -q installed || fail "kobalin is still installed"
left=0
while read -r path; do
    [ -e "$path" ] || [ -L "$path" ] || continue
    # A folder may stay when other packages keep files in it.
    if [ -d "$path" ] && [ ! -L "$path" ] && { dpkg-query -S "$path" >/dev/null 2>&1 || [ -n "$(ls -A "$path")" ]; }; then
        continue
    fi
    echo "left behind: $path" >&2
    left=1
done <"$work/files"
stray=$(find /usr -path /usr/local -prune -o \( -iname '*kobalin*' -o -name 'nl.tendrik.*' \) -print 2>/dev/null)
[ -z "$stray" ] || { echo "left behind: $stray" >&2; left=1; }
((left == 0)) || fail "the purge left files of the package under /usr"
echo "purged, nothing left under /usr"
