# Shared helpers of the end-to-end tests: a private X display, the real
# program, screenshots and pixel checks. Source it from a test script.
set -u
BUILD=${VELTRANE_BUILD_DIR:?run through ctest}
SRC=${VELTRANE_SOURCE_DIR:?run through ctest}
WORK=$(mktemp -d /tmp/veltrane-e2e.XXXXXX)
# The user's own settings (on Linux in $XDG_CONFIG_HOME/veltrane/) stay
# out of every test; a file beside the program gives the defaults.
export XDG_CONFIG_HOME=$WORK/config
FAILURES=0
CHECKS=0
XVFB_PID=
trap 'cleanup' EXIT

cleanup() {
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    [ -n "${KEEP_WORK:-}" ] || rm -rf "$WORK"
}

# start_display WIDTHxHEIGHT [DEPTH]: a fresh Xvfb on a free display number.
# Two tests starting at once may pick the same number; only the server named
# in the display's lock file is ours, so a test never shares another's screen.
start_display() {
    local size=$1 depth=${2:-24} n owner
    for n in $(seq 100 199); do
        # A lock whose owner is gone (a server killed with -9) is stale, and
        # Xvfb takes the number over; only a live owner's number is taken.
        owner=$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null)
        [ -n "$owner" ] && [ -d "/proc/$owner" ] && continue
        Xvfb :$n -screen 0 "${size}x${depth}" -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=:$n
        for _ in $(seq 50); do
            kill -0 "$XVFB_PID" 2>/dev/null || break
            if xdpyinfo >/dev/null 2>&1; then
                [ "$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null)" = "$XVFB_PID" ] && return 0
                break
            fi
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null
        XVFB_PID=
    done
    echo "cannot start Xvfb" >&2
    exit 1
}

# install_program DIR: a copy of the program in DIR with an empty asset folder
# beside it; the caller fills DIR/morviksoft/veltrane/ and DIR/veltrane.cfg.
install_program() {
    mkdir -p "$1/morviksoft/veltrane"
    cp "$BUILD/veltrane" "$1/veltrane"
}

# install_real_assets DIR: the program's own artwork beside the copy.
install_real_assets() {
    cp "$BUILD"/morviksoft/veltrane/* "$1/morviksoft/veltrane/"
}

# shot FILE.png: a screenshot of the whole display.
shot() {
    xwd -root -silent | convert xwd:- "$1"
}

# pixel FILE X Y: prints "R,G,B" of one pixel.
pixel() {
    convert "$1" -format '%[fx:int(255*p{'"$2,$3"'}.r)],%[fx:int(255*p{'"$2,$3"'}.g)],%[fx:int(255*p{'"$2,$3"'}.b)]' info:
}

# shot_when FILE X Y R,G,B [SECONDS]: takes screenshots until pixel (X, Y)
# shows the colour (then FILE holds that screenshot) or SECONDS pass (10).
shot_when() {
    local end=$((SECONDS + ${5:-10}))
    while :; do
        shot "$1"
        [ "$(pixel "$1" "$2" "$3")" = "$4" ] && return 0
        [ $SECONDS -ge $end ] && return 1
        sleep 0.05
    done
}

check() {  # check DESCRIPTION COMMAND...
    local what=$1
    shift
    CHECKS=$((CHECKS + 1))
    if "$@"; then
        echo "ok   - $what"
    else
        echo "FAIL - $what"
        FAILURES=$((FAILURES + 1))
    fi
}

expect_pixel() {  # expect_pixel DESCRIPTION FILE X Y R,G,B
    local got
    got=$(pixel "$2" "$3" "$4")
    CHECKS=$((CHECKS + 1))
    if [ "$got" = "$5" ]; then
        echo "ok   - $1"
    else
        echo "FAIL - $1: pixel ($3,$4) is $got, expected $5"
        FAILURES=$((FAILURES + 1))
    fi
}

# wait_exit PID SECONDS: waits for the process; sets WAIT_STATUS to its exit
# code, or to "timeout" (and kills it) when it outlives SECONDS, and prints
# it. Call it from the shell that started the process (not inside $(...)
# unless the process was started there too): only a parent can read the code.
wait_exit() {
    local pid=$1 limit=$2 i
    WAIT_STATUS=timeout
    for i in $(seq $((limit * 20))); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid"
            WAIT_STATUS=$?
            echo "$WAIT_STATUS"
            return
        fi
        sleep 0.05
    done
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    echo timeout
}

# Preload this with FAKETIME set (e.g. "@2026-12-06 10:00:00 x60") to run a
# program on a pinned clock. The library is loaded directly rather than
# through the faketime wrapper: the wrapper names a semaphore after its own
# process id, one killed by a signal leaves it behind, and a later wrapper
# given the same id refuses to start. Loaded directly, the process started
# is the program itself, so a kill reaches it. The loader expands $LIB.
FAKETIME_LIB='/usr/$LIB/faketime/libfaketime.so.1'

# clear_stale_faketime: removes what killed faketime wrappers left behind,
# for the places that still need the wrapper.
clear_stale_faketime() {
    local f
    for f in /dev/shm/sem.faketime_sem_* /dev/shm/faketime_shm_*; do
        [ -e "$f" ] && [ ! -d "/proc/${f##*_}" ] && rm -f "$f"
    done
    return 0
}

finish() {
    echo "$CHECKS checks, $FAILURES failed"
    [ "$CHECKS" -gt 0 ] && [ "$FAILURES" -eq 0 ]
}
