#!/bin/bash
# Records what LibreOffice Calc puts on the clipboard when cells of
# libreoffice-sheet.fods are copied, in the language of LANG/LC_ALL. Run it
# under a virtual display with a window manager, for example
#   LANG=nl_NL.UTF-8 LC_ALL=nl_NL.UTF-8 xvfb-run -a -s "-screen 0 1600x1000x24" ./record-clipboard.sh nl
# Needs libreoffice-calc, xclip, xdotool and openbox; writes libreoffice-<tag>-*.txt here.
set -eu
tag=$1
here=$(cd "$(dirname "$0")" && pwd)
profile=$(mktemp -d)
openbox &
soffice --norestore --nologo -env:UserInstallation="file://$profile" --calc "$here/libreoffice-sheet.fods" &
for _ in $(seq 60); do
    window=$(xdotool search --name 'libreoffice-sheet' 2>/dev/null | tail -1 || true)
    [ -n "$window" ] && break
    sleep 1
done
sleep 4
xdotool windowactivate --sync "$window"
sleep 1
copy() {  # the selection, as text and with the list of formats offered
    xdotool key ctrl+c
    sleep 2
    xclip -o -selection clipboard -t 'text/plain;charset=utf-8' > "$here/libreoffice-$tag-$1.txt"
    xclip -o -selection clipboard -t TARGETS > "$profile/$1.targets"
    echo "$1: $(tr '\n' ' ' < "$profile/$1.targets")"
}
# Sheet "Buildup": the six layers below the column names (A2:G7).
xdotool key ctrl+Home Down shift+ctrl+End
copy buildup
# Sheet "Awkward": every used cell.
xdotool key ctrl+Next ctrl+Home shift+ctrl+End
copy awkward
xdotool key ctrl+q
sleep 2
rm -rf "$profile"
