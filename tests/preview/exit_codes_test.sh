#!/bin/bash
# Exit codes of the modes as a host sees them: the preview refuses window
# numbers that name no window at once, with a message, and the saver ends
# with 1 without a display and with 0 after a key press.
. "$VELTRANE_SOURCE_DIR/tests/e2e/lib.sh"
. "$VELTRANE_SOURCE_DIR/tests/preview/host_lib.sh"

start_own_display 1024x768
install_program "$WORK/app"
install_real_assets "$WORK/app"
PROGRAM=$WORK/app/veltrane

# ends_with CODE MESSAGE ARGS...: the program ends within 5 s with CODE and
# says MESSAGE (a grep pattern) on stderr.
ends_with() {
    local code=$1 message=$2 got
    shift 2
    timeout 5 "$PROGRAM" "$@" 2>"$WORK/stderr"
    got=$?
    check "'$*' ends with $code (got $got)" [ "$got" = "$code" ]
    check "'$*' says why: $(head -c 200 "$WORK/stderr")" grep -q -- "$message" "$WORK/stderr"
}

ends_with 2 "no preview window was given" /p 0
ends_with 2 "no preview window was given" /p
ends_with 2 "no preview window was given" /p123
ends_with 2 "no preview window was given" /p:abc
ends_with 2 "negative" /p -5
ends_with 2 "beyond the range" /p 99999999999999999999
ends_with 2 "beyond the range" /p 536870912
ends_with 2 "there is no window 12345" /p 12345

# A window that existed once and is gone by the time the preview starts.
start_host 10 10 50 50
GONE=$HOST_WINDOW
end_host >/dev/null
ends_with 2 "there is no window $GONE" /p "$GONE"

# The number is looked at before the display: a bad one is bad anywhere.
REAL_DISPLAY=$DISPLAY
unset DISPLAY
ends_with 1 "DISPLAY is not set" /p 2097153
ends_with 2 "no preview window was given" /p 0
DISPLAY=:9999 ends_with 1 'cannot open the X display ":9999"' /p 2097153

# The saver without a display cannot set a graphics mode.
timeout 10 "$PROGRAM" /s 2>/dev/null
code=$?
check "'/s' without a display ends with 1 (got $code)" [ "$code" = 1 ]
export DISPLAY=$REAL_DISPLAY

# The saver in a display ends with 0 at the first key press.
"$PROGRAM" /s 2>/dev/null &
SAVER_PID=$!
started=no
for _ in $(seq 100); do
    shot "$WORK/saver.png"
    # Style 0's grey fills the screen once the clock is up.
    if [ "$(pixel "$WORK/saver.png" 0 0)" = "200,200,200" ]; then
        started=yes
        break
    fi
    sleep 0.1
done
check "'/s' fills the screen with the clock" [ "$started" = yes ]
xdotool key space
# Not in $(...): only this shell can wait for its own child.
wait_exit "$SAVER_PID" 5 >"$WORK/code"
code=$(cat "$WORK/code")
check "'/s' ends with 0 after a key press (got $code)" [ "$code" = 0 ]

finish
