# Helpers of the Windows program's tests under Wine: the program and its
# asset folder in a scratch folder, started through Wine in a private X
# display; the display, screenshot and pixel helpers are the Linux tests'.
#
# Needs VELTRANE_BUILD_DIR (the Windows build: veltrane.scr, tests/),
# VELTRANE_SOURCE_DIR and WINEPREFIX (a prepared prefix; scripts/test-windows.sh
# makes one).
. "$(dirname "${BASH_SOURCE[0]}")/../e2e/saver_lib.sh"
: "${WINEPREFIX:?run through scripts/test-windows.sh}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX

# Each test has the prefix's Wine server to itself and leaves none behind:
# a server lives on a display, and the next test has another.
cleanup() {
    wineserver -k 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    [ -n "${KEEP_WORK:-}" ] || rm -rf "$WORK"
}
wineserver -k 2>/dev/null

# install_scr DIR: the program in DIR with an empty asset folder beside it.
install_scr() {
    mkdir -p "$1/morviksoft/veltrane"
    cp "$BUILD/veltrane.scr" "$1/veltrane.scr"
}

# start_scr DIR ARGS...: starts DIR/veltrane.scr with ARGS from inside DIR,
# through a Windows parent that reports its whole exit code; sets SCR_PID.
start_scr() {
    local dir=$1
    shift
    (cd "$dir" && exec wine "$BUILD/tests/exit_code.exe" '.\veltrane.scr' "$@") \
        >"$WORK/wine.out" 2>"$WORK/wine.err" &
    SCR_PID=$!
}

# start_scr_at DIR "YYYY-mm-dd HH:MM:SS" ARGS...: the same with the clock
# starting at that time (UTC) when the process starts; sets SCR_STARTED to
# the real time then, in seconds.
start_scr_at() {
    local dir=$1 when=$2
    shift 2
    SCR_STARTED=$(date +%s.%N)
    # Wine's processes share one clock only through the wrapper.
    clear_stale_faketime
    (cd "$dir" && TZ=UTC exec faketime -f "@$when" wine "$BUILD/tests/exit_code.exe" '.\veltrane.scr' "$@") \
        >"$WORK/wine.out" 2>"$WORK/wine.err" &
    SCR_PID=$!
}

# scr_exit SECONDS: waits for the program started last; sets SCR_EXIT to
# its exit code, or to "timeout" when it outlives SECONDS.
scr_exit() {
    wait_exit "$SCR_PID" "$1" >/dev/null
    SCR_EXIT=timeout
    if [ "$WAIT_STATUS" != timeout ]; then
        SCR_EXIT=$(tr -d '\r' <"$WORK/wine.out" | sed -n 's/^exit //p' | tail -1)
        [ -n "$SCR_EXIT" ] || SCR_EXIT="none (launcher status $WAIT_STATUS)"
    else
        # The launcher is gone; the program itself goes with the server.
        wineserver -k 2>/dev/null
    fi
}

# wait_window NAME SECONDS: prints the id of the first window named NAME
# once it is mapped, or nothing.
wait_window() {
    local i id
    for i in $(seq $(($2 * 10))); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
        [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.1
    done
}

# keys_to WINDOW KEY...: focuses the window and types the keys. Without a
# window manager the keyboard goes to the focused window only.
keys_to() {
    local w=$1
    shift
    xdotool windowfocus "$w" 2>/dev/null
    sleep 0.2
    xdotool key --delay 150 "$@"
}

# press_until_gone WINDOW PID KEY: presses KEY in WINDOW until the process
# ends (Wine may take the first key before its input is ready); at most 8 s.
press_until_gone() {
    local i
    for i in $(seq 8); do
        keys_to "$1" "$3"
        sleep 1
        kill -0 "$2" 2>/dev/null || return 0
    done
}

# close_box WINDOW: what a window manager sends when its close box is clicked.
close_box() {
    "$BUILD/tools/close_window" "$1" >/dev/null 2>&1
}

# elapsed: seconds since SCR_STARTED, as a decimal.
elapsed() {
    awk -v now="$(date +%s.%N)" -v start="$SCR_STARTED" 'BEGIN { printf "%.2f", now - start }' 
}
