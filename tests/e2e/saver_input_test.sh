# What ends the full-screen clock and what does not, with real X input going
# the whole way through the server and the grabs, however briefly a key is
# held. The rules themselves (ten pixels, which keys) are the unit tests'.
. "$(dirname "$0")/saver_lib.sh"

start_display 1024x768
APP=$WORK/app
install_program "$APP"
test_style "$APP" 0 401 361 11,15 11,15 11,15
settings "$APP" "clockType = 0" "secondHand = 1"

# after ACTION...: starts the saver with the pointer in the middle, waits
# until its face shows, performs the xdotool ACTION and gives the saver a
# couple of seconds to end; WAIT_STATUS is its status, or "timeout".
after() {
    xdotool mousemove 512 384
    "$APP/veltrane" /s >"$WORK/saver.out" 2>&1 &
    SAVER_PID=$!
    wait_for 10 live_is 512 214 $FACE_RGB
    xdotool "$@"
    wait_exit "$SAVER_PID" 2 >/dev/null
}
for action in "key a" "click 1" "key Shift_L" "key Tab" "key ISO_Level3_Shift" "mousemove_relative -- 0 -11"; do
    after $action
    check "'$action' ends it with 0 ($WAIT_STATUS)" test "$WAIT_STATUS" = 0
done
for action in "mousemove_relative 10 10" "key Control_L"; do
    after $action
    check "'$action' does not end it" test "$WAIT_STATUS" = timeout
done

# Without a display the clock cannot start: status 1 and a reason.
DISPLAY=$(absent_display) "$APP/veltrane" /s >"$WORK/nodisplay.out" 2>&1
code=$?
check "no display gives status 1 and says why" eval 'test $code = 1 && grep -q "cannot open the X display" "$WORK/nodisplay.out"'

finish
