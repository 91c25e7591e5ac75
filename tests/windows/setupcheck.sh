#!/usr/bin/env bash
# The Windows setup as a Windows user meets it, under Wine:
#   tests/windows/setupcheck.sh build/package/kobalin-<version>-setup.exe
# Installed silently (/S) into a fresh Wine prefix, for this user alone; the
# language and link choice preset in that prefix's registry; the program
# started from the Start menu shortcut's target on a virtual display with a
# window manager shows its window "Kobalin", is closed through the window
# manager and exits with status 0, having written "koppel"; the silent
# uninstall then leaves nothing of it in its folder or the Start menu, and
# the user's settings where they were.
set -euo pipefail

setup=$(realpath "$1")
work=$(mktemp -d /tmp/kobalin-setup.XXXXXX)
xvfb= wm= program=
export WINEPREFIX="$work/wine" WINEDEBUG=-all
# No menu entries or file associations in this machine's own desktop, no Mono or Gecko.
export WINEDLLOVERRIDES="winemenubuilder.exe,mscoree,mshtml=d"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

cleanup() {
    local pid
    for pid in $program $wm $xvfb; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

fail() {
    echo "setup check: $*" >&2
    exit 1
}

# shellcheck source=../desktop.sh
source "$(dirname "$0")/../desktop.sh"

echo "== a fresh Wine prefix"
wineboot -i >/dev/null 2>&1
wineserver -w
profile=$(wine cmd /c echo %USERPROFILE% 2>/dev/null | tr -d '\r')
profile=$(winepath -u "$profile")
folder="$profile/AppData/Local/Programs/Kobalin"
menu="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"

echo "== $setup /S"
wine "$setup" /S
wineserver -w
[ -f "$folder/kobalin.exe" ] || fail "no kobalin.exe in $folder"
[ -f "$menu/Kobalin.lnk" ] || fail "no shortcut Kobalin in the Start menu ($menu)"
for value in DisplayName DisplayVersion Publisher DisplayIcon UninstallString; do
    wine reg query "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kobalin" /v "$value" 2>/dev/null |
        tr -d '\r' | grep "$value" || fail "the uninstall entry has no $value"
done
wine reg query "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kobalin" /v DisplayVersion |
    grep -q '1\.0\.4\.8' || fail "the uninstall entry's version is not 1.0.4.8"
(cd "$folder" && find . -type f | sort) >"$work/installed"
echo "installed: $(wc -l <"$work/installed") files in $folder"

# The program as the shortcut starts it: the target the .lnk names.
# The target the .lnk names: its local base path, a whole path with drive letter.
target=$(strings "$menu/Kobalin.lnk" | grep -iE '^[A-Z]:\\.*\\kobalin\.exe$' | head -n 1)
[ -n "$target" ] || fail "the shortcut names no kobalin.exe"
[ "$(realpath "$(winepath -u "$target")")" = "$(realpath "$folder/kobalin.exe")" ] ||
    fail "the shortcut starts $target, not the installed program"

# The language is chosen already, so the wizard opens at once.
wine reg add "HKCU\\Software\\Tendrik\\kobalin" /v taal /t REG_DWORD /d 1000 /f >/dev/null
wine reg add "HKCU\\Software\\Tendrik\\kobalin" /v koppel /t REG_DWORD /d 1 /f >/dev/null
# A template the user kept, which the uninstall must leave.
wine reg add "HKCU\\Software\\Tendrik\\kobalin\\template" /v aantal /t REG_DWORD /d 1 /f >/dev/null
wine reg add "HKCU\\Software\\Tendrik\\kobalin\\template" /v 0 /t REG_SZ /d Zand /f >/dev/null

start_desktop

echo "== start: $target"
# The program writes "koppel" back at start as it read it, and Wine leaves a
# value written unchanged untouched (not even its key's time), so the write
# itself is seen in Wine's trace of the registry calls.
WINEDEBUG=-all,trace+reg wine "$target" >"$work/kobalin.log" 2>&1 &
program=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Kobalin$' | head -n 1) ||
    fail "no window named Kobalin appeared within 60 s: $(grep -v ':trace:' "$work/kobalin.log")"
echo "window $window: $(xdotool getwindowgeometry "$window" | tr -s '\n ' ' ')"
if [ -n "${KOBALIN_SETUP_SCREENSHOT:-}" ]; then
    sleep 2
    import -window root "$KOBALIN_SETUP_SCREENSHOT"
fi
wmctrl -i -c "$window"
wait_for 30 ended "$program" || fail "the program still runs 30 s after its window was closed"
status=0
wait "$program" || status=$?
program=
((status == 0)) || fail "the program exited with status $status: $(grep -v ':trace:' "$work/kobalin.log")"
echo "closed, exit status 0"
grep -q 'NtSetValueKey (.*,L"koppel",4,' "$work/kobalin.log" || fail "the program did not write \"koppel\" as a REG_DWORD"
wine reg query "HKCU\\Software\\Tendrik\\kobalin" /v koppel | tr -d '\r' | grep -q 'REG_DWORD *0x1$' ||
    fail "\"koppel\" is not the 1 it was"
echo "\"koppel\" written"

echo "== uninstall /S"
wine "$folder/uninstall.exe" /S
wineserver -w
# The uninstaller finishes from a copy of itself in the temporary folder.
wait_for 30 test ! -e "$folder/uninstall.exe" || fail "the uninstaller did not remove itself"
wineserver -w
if [ -e "$folder" ]; then
    left=$(cd "$folder" && find . -mindepth 1)
    [ -z "$left" ] || fail "left behind in $folder: $left"
    fail "the empty folder $folder was left behind"
fi
[ ! -e "$menu/Kobalin.lnk" ] || fail "the Start menu shortcut was left behind"
! wine reg query "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kobalin" >/dev/null 2>&1 ||
    fail "the uninstall entry was left behind"
# Each preset value, as it was.
for kept in 'kobalin taal REG_DWORD *0x3e8' 'kobalin koppel REG_DWORD *0x1' 'kobalin\template aantal REG_DWORD *0x1' 'kobalin\template 0 REG_SZ *Zand'; do
    read -r key value data <<<"$kept"
    wine reg query "HKCU\\Software\\Tendrik\\$key" /v "$value" 2>/dev/null | tr -d '\r' | grep -q "^ *$value *$data\$" ||
        fail "the uninstall did not leave $key \"$value\" ($data)"
done
echo "uninstalled: nothing left in the folder or the Start menu; the settings are kept"
