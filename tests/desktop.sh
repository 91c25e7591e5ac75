# Shared by the checks that start the installed program as a user would:
# sourced after the script defines fail(), $work and the variables xvfb and wm.

# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

# Whether process $1, a child of this script, has ended (gone, or a zombie not yet waited for).
ended() {
    local stat
    stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 0
    [[ ${stat##*) } == Z* ]]
}

# A virtual display with a window manager on it, as DISPLAY; the caller's
# clean-up stops $wm and $xvfb.
start_desktop() {
    Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb=$!
    wait_for 20 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    export DISPLAY=":$(cat "$work/display")"
    openbox --startup "touch $work/wm-ready" >"$work/openbox.log" 2>&1 &
    wm=$!
    wait_for 20 test -e "$work/wm-ready" || fail "openbox did not start: $(cat "$work/openbox.log")"
}
