# What ends the full-screen clock and what does not, with real X input.
. "$(dirname "$0")/saver_lib.sh"

start_display 1024x768
APP=$WORK/app
install_program "$APP"
install_real_assets "$APP"
settings "$APP" "clockType = 0" "secondHand = 1"

# act ACTION...: starts the saver with the pointer in the middle, lets it
# run a second and a half, then performs the xdotool ACTION.
act() {
    xdotool mousemove 512 384
    "$APP/veltrane" /s >"$WORK/saver.out" 2>&1 &
    SAVER_PID=$!
    sleep 1.5
    xdotool "$@"
}

# run_with ACTION...: prints the saver's exit code when the action ends it
# within 3 seconds ("timeout" otherwise).
run_with() {
    act "$@"
    wait_exit "$SAVER_PID" 3
}

# still_running ACTION...: the saver must survive the action, then a key
# ends it with status 0.
still_running() {
    act "$@"
    sleep 1
    local alive=no
    kill -0 "$SAVER_PID" 2>/dev/null && alive=yes
    xdotool key space
    wait_exit "$SAVER_PID" 3 >/dev/null
    [ "$alive" = yes ] && [ "$WAIT_STATUS" = 0 ]
}

check "a key press ends it with status 0" test "$(run_with key a)" = 0
check "a held click ends it" test "$(run_with mousedown 1 sleep 0.3 mouseup 1)" = 0
check "an 11 px move to the right ends it" test "$(run_with mousemove_relative 11 0)" = 0
check "an 11 px move up ends it" test "$(run_with mousemove_relative -- 0 -11)" = 0
check "Shift alone ends it" test "$(run_with keydown Shift_L sleep 0.3 keyup Shift_L)" = 0
check "Tab ends it" test "$(run_with keydown Tab sleep 0.3 keyup Tab)" = 0
check "a 10 px move does not end it" still_running mousemove_relative 10 10
check "Ctrl alone does not end it" still_running keydown Control_L sleep 0.3 keyup Control_L

# Without a display the library cannot start: status 1 and a reason.
DISPLAY=:9 "$APP/veltrane" /s >"$WORK/nodisplay.out" 2>&1
code=$?
check "no display gives status 1" test "$code" = 1
check "no display says why" grep -q "cannot start" "$WORK/nodisplay.out"

# A key already waiting when the face loads ends the run before any pass.
check "missing pictures and sounds do not crash it" bash -c '
    rm -f "$0"/morviksoft/veltrane/*
    "$0/veltrane" /s >/dev/null 2>&1 & pid=$!
    sleep 1.5; xdotool key a
    for i in $(seq 60); do kill -0 $pid 2>/dev/null || break; sleep 0.05; done
    wait $pid' "$APP"

finish
