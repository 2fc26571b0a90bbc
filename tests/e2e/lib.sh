# The end-to-end tests' one harness: a private X display, the real program,
# a stand-in host window, screenshots, pixel checks and waits on conditions.
# Source it from a test script.
set -u
BUILD=${VELTRANE_BUILD_DIR:?run through ctest}
SRC=${VELTRANE_SOURCE_DIR:?run through ctest}
WORK=$(mktemp -d /tmp/veltrane-e2e.XXXXXX)
# The settings of the person running the tests stay out of them; a file
# beside the program gives the defaults.
export XDG_CONFIG_HOME=$WORK/config
FAILURES=0 CHECKS=0 XVFB_PID=
. "$SRC/scripts/xvfb.sh"
trap 'cleanup' EXIT

cleanup() { stop_xvfb; [ -n "${KEEP_WORK:-}" ] || rm -rf "$WORK"; }

# start_display WIDTHxHEIGHT [DEPTH]: a fresh Xvfb of this test's own.
start_display() { stop_xvfb; start_xvfb "$@" || exit 1; }

# wait_for SECONDS COMMAND...: runs COMMAND every 50 ms until it succeeds
# (then 0) or SECONDS pass (then 1).
wait_for() {
    local end=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -ge $end ] && return 1
        sleep 0.05
    done
}

# install_program DIR: the program and its dialog's module in DIR with an
# empty asset folder beside them; the caller fills DIR/morviksoft/veltrane/
# and DIR/veltrane.cfg.
install_program() {
    mkdir -p "$1/morviksoft/veltrane" "$1/dialog" && cp "$BUILD/veltrane" "$1/" && cp "$BUILD/dialog/veltrane-dialog.so" "$1/dialog/"
}

install_real_assets() { cp "$BUILD"/morviksoft/veltrane/* "$1/morviksoft/veltrane/"; }

shot() { xwd -root -silent | convert xwd:- "$1"; }  # shot FILE.png: the whole display

pixel() {  # pixel FILE X Y: prints "R,G,B"
    local p="p{$2,$3}"
    convert "$1" -format "%[fx:int(255*$p.r)],%[fx:int(255*$p.g)],%[fx:int(255*$p.b)]" info:
}

# shows FILE X Y R,G,B: a screenshot into FILE whose pixel (X, Y) has that colour.
shows() { shot "$1" && [ "$(pixel "$1" "$2" "$3")" = "$4" ]; }

# shot_when FILE X Y R,G,B [SECONDS]: screenshots until pixel (X, Y) shows the
# colour (FILE then holds that screenshot) or SECONDS (10) pass.
shot_when() { wait_for "${5:-10}" shows "$1" "$2" "$3" "$4"; }

# colours FILE X Y WIDTH HEIGHT: the region's distinct colours, "#RRGGBB" words.
colours() {
    convert "$1" -crop "$4x$5+$2+$3" +repage -unique-colors -depth 8 txt:- |
        awk 'NR > 1 { printf "%s%s", sep, $3; sep = " " }'
}

check() {  # check DESCRIPTION COMMAND...
    local what=$1
    shift
    CHECKS=$((CHECKS + 1))
    if "$@"; then echo "ok   - $what"; else echo "FAIL - $what"; FAILURES=$((FAILURES + 1)); fi
}

expect_pixel() {  # expect_pixel DESCRIPTION FILE X Y R,G,B
    local got
    got=$(pixel "$2" "$3" "$4")
    check "$1 (pixel ($3,$4) is $got, expected $5)" [ "$got" = "$5" ]
}

# wait_exit PID SECONDS: sets WAIT_STATUS to the process's exit code, or to
# "timeout" (and kills it) when it outlives SECONDS, and prints it. Only the
# shell that started the process can read its code.
wait_exit() {
    WAIT_STATUS=timeout
    if wait_for "$2" eval '! kill -0 '"$1"' 2>/dev/null'; then
        wait "$1"
        WAIT_STATUS=$?
    else
        kill -9 "$1" 2>/dev/null
        wait "$1" 2>/dev/null
    fi
    echo "$WAIT_STATUS"
}

# wait_line FILE PATTERN [SECONDS]: prints FILE's first line matching PATTERN
# once it appears; nothing after SECONDS (5).
wait_line() {
    wait_for "${3:-5}" grep -q -m1 -- "$2" "$1" 2>/dev/null && grep -m1 -- "$2" "$1"
}

# Preload this with FAKETIME set (e.g. "@2026-12-06 10:00:00 x60") to pin a
# program's clock. Not the faketime wrapper: it names a semaphore after its
# own process id, a killed one leaves it behind, and a later wrapper given
# that id refuses to start; preloaded, a kill reaches the program itself.
FAKETIME_LIB='/usr/$LIB/faketime/libfaketime.so.1'

# clear_stale_faketime: removes what killed faketime wrappers left behind.
clear_stale_faketime() {
    local f
    for f in /dev/shm/sem.faketime_sem_* /dev/shm/faketime_shm_*; do
        [ -e "$f" ] && [ ! -d "/proc/${f##*_}" ] && rm -f "$f"
    done
    return 0
}

# --- A stand-in host window (tests/preview/test_host.c) ---------------------
HOST_PROGRAM=$BUILD/tests/preview/preview_test_host
PREVIEW_PICTURE=$BUILD/generated/resources/preview_window_121.bmp

# start_host X Y WIDTH HEIGHT [PROGRAM ARGS...]: a host window; sets HOST_PID,
# HOST_OUT, HOST_WINDOW, and PREVIEW_PID when a program runs. HOST_FLAGS=--argb
# gives the window a 32-bit visual with alpha.
start_host() {
    HOST_OUT=$(mktemp "$WORK/host.XXXXXX")
    "$HOST_PROGRAM" ${HOST_FLAGS:-} "$@" >"$HOST_OUT" 2>"$HOST_OUT.err" &
    HOST_PID=$!
    HOST_WINDOW=$(wait_line "$HOST_OUT" '^window ' | cut -d' ' -f2)
    PREVIEW_PID=
    [ $# -le 4 ] || PREVIEW_PID=$(wait_line "$HOST_OUT" '^pid ' | cut -d' ' -f2)
}

# end_host: destroys the host's window; prints its "exit CODE MS" line (MS
# from the destruction to the program's end).
end_host() {
    kill -USR1 "$HOST_PID"
    wait_line "$HOST_OUT" '^exit ' 10
    wait "$HOST_PID" 2>/dev/null
}

# picture_shown X Y WIDTH HEIGHT: a screenshot ($WORK/screen.png) whose region
# at X, Y is exactly the preview picture's top-left WIDTH x HEIGHT.
picture_shown() {
    shot "$WORK/screen.png"
    convert "$WORK/screen.png" -crop "$3x$4+$1+$2" +repage "$WORK/region.png"
    convert "$PREVIEW_PICTURE" -crop "$3x$4+0+0" +repage "$WORK/expected.png"
    [ "$(compare -metric AE "$WORK/region.png" "$WORK/expected.png" null: 2>&1)" = 0 ]
}

wait_picture() { wait_for 5 picture_shown "$@"; }  # wait_picture X Y W H: up to 5 s

finish() {
    echo "$CHECKS checks, $FAILURES failed"
    [ "$CHECKS" -gt 0 ] && [ "$FAILURES" -eq 0 ]
}
