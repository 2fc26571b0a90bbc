# Helpers of the preview tests: a stand-in host window and region checks.
# Source after tests/e2e/lib.sh.
HOST_PROGRAM=$BUILD/tests/preview/preview_test_host
PREVIEW_PICTURE=$BUILD/generated/resources/preview_window_121.bmp

# wait_line FILE PATTERN [SECONDS]: prints the first line of FILE matching
# PATTERN once it appears; prints nothing after SECONDS (default 5).
wait_line() {
    local i
    for i in $(seq $((${3:-5} * 50))); do
        if grep -q -m1 -- "$2" "$1" 2>/dev/null; then
            grep -m1 -- "$2" "$1"
            return 0
        fi
        sleep 0.02
    done
    return 1
}

# start_host X Y WIDTH HEIGHT [PROGRAM ARGS...]: a host window; sets
# HOST_PID, HOST_OUT and HOST_WINDOW, and PREVIEW_PID when a program runs.
# HOST_FLAGS=--argb gives the window a 32-bit visual with alpha.
start_host() {
    HOST_OUT=$(mktemp "$WORK/host.XXXXXX")
    "$HOST_PROGRAM" ${HOST_FLAGS:-} "$@" >"$HOST_OUT" 2>"$HOST_OUT.err" &
    HOST_PID=$!
    HOST_WINDOW=$(wait_line "$HOST_OUT" '^window ' | cut -d' ' -f2)
    PREVIEW_PID=
    if [ $# -gt 4 ]; then
        PREVIEW_PID=$(wait_line "$HOST_OUT" '^pid ' | cut -d' ' -f2)
    fi
}

# end_host: destroys the host's window; prints the host's "exit ..." line
# (exit code and milliseconds from the destruction to the program's end).
end_host() {
    kill -USR1 "$HOST_PID"
    wait_line "$HOST_OUT" '^exit ' 10
    wait "$HOST_PID" 2>/dev/null
}

# colours FILE X Y WIDTH HEIGHT: the distinct colours of a region, as
# "#RRGGBB" words on one line.
colours() {
    convert "$1" -crop "$4x$5+$2+$3" +repage -unique-colors -depth 8 txt:- |
        awk 'NR > 1 { printf "%s%s", sep, $3; sep = " " }'
}

# picture_shown FILE X Y WIDTH HEIGHT: whether the region at X, Y of the
# screenshot holds the preview picture's top-left WIDTH x HEIGHT, exactly.
picture_shown() {
    local differing
    convert "$1" -crop "$4x$5+$2+$3" +repage "$WORK/region.png"
    convert "$PREVIEW_PICTURE" -crop "$4x$5+0+0" +repage "$WORK/expected.png"
    differing=$(compare -metric AE "$WORK/region.png" "$WORK/expected.png" null: 2>&1)
    [ "$differing" = 0 ]
}

# wait_picture X Y WIDTH HEIGHT: waits up to 5 s for the picture to show;
# leaves the last screenshot in $WORK/screen.png.
wait_picture() {
    local i
    for i in $(seq 50); do
        shot "$WORK/screen.png"
        picture_shown "$WORK/screen.png" "$@" && return 0
        sleep 0.1
    done
    return 1
}

# start_own_display WIDTHxHEIGHT: start_display, made sure that the display
# answering is the server this test started. Two tests starting at once may
# pick the same free number; the loser's server dies, but a quick xdpyinfo
# may already have reached the winner's. A shared display would mix the two
# tests' input and screens.
start_own_display() {
    local attempt owner
    for attempt in 1 2 3 4 5; do
        start_display "$@"
        owner=$(tr -d ' \n' <"/tmp/.X${DISPLAY#:}-lock" 2>/dev/null)
        if [ "$owner" = "$XVFB_PID" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
            return 0
        fi
        kill "$XVFB_PID" 2>/dev/null
        XVFB_PID=
        sleep 0.$((RANDOM % 10))
    done
    echo "cannot start a display of this test's own" >&2
    exit 1
}
