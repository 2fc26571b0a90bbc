# What ends the full-screen clock and what does not, with real X input.
. "$(dirname "$0")/saver_lib.sh"

start_display 1024x768
APP=$WORK/app
install_program "$APP"
install_real_assets "$APP"
settings "$APP" "clockType = 0" "secondHand = 1"

# act ACTION...: starts the saver with the pointer in the middle, waits
# until it shows its background (it watches the input from then on), then
# performs the xdotool ACTION.
act() {
    xdotool mousemove 512 384
    "$APP/veltrane" /s >"$WORK/saver.out" 2>&1 &
    SAVER_PID=$!
    shot_when "$WORK/ready.png" 5 5 200,200,200 10
    xdotool "$@"
}

# redrawn: waits until the screen has changed twice, that is, until the
# saver has gone through two passes since now.
redrawn() {
    local last i changes=0
    last=$(xwd -root -silent | md5sum)
    for i in $(seq 100); do
        cur=$(xwd -root -silent | md5sum)
        [ "$cur" != "$last" ] && changes=$((changes + 1)) && last=$cur
        [ $changes -ge 2 ] && return 0
        sleep 0.05
    done
    return 1
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
    redrawn
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
# A press as short as xdotool makes it (press and release back to back)
# ends the clock every time, though no look at the input may fall between.
quick() {
    local trial
    for trial in 1 2 3 4 5; do
        [ "$(run_with "$@")" = 0 ] || return 1
    done
}
check "a quick click ends it, 5 of 5" quick click 1
check "a quick Shift tap ends it, 5 of 5" quick key Shift_L
check "a quick Tab tap ends it, 5 of 5" quick key Tab
check "a 10 px move does not end it" still_running mousemove_relative 10 10
check "Ctrl alone does not end it" still_running keydown Control_L sleep 0.3 keyup Control_L

# Without a display the library cannot start: status 1 and a reason.
DISPLAY=$(absent_display) "$APP/veltrane" /s >"$WORK/nodisplay.out" 2>&1
code=$?
check "no display gives status 1" test "$code" = 1
check "no display says why" grep -q "cannot start" "$WORK/nodisplay.out"

# A key already waiting when the face loads ends the run before any pass.
check "missing pictures and sounds do not crash it" bash -c '
    rm -f "$0"/morviksoft/veltrane/*
    "$0/veltrane" /s >/dev/null 2>&1 & pid=$!
    for i in $(seq 100); do xwininfo -root -tree | grep -q "Veltrane Screen Saver" && break; sleep 0.05; done
    xdotool key a
    for i in $(seq 60); do kill -0 $pid 2>/dev/null || break; sleep 0.05; done
    wait $pid' "$APP"

finish
