# What ends the full-screen clock and what does not, with real X input. The
# rules themselves (ten pixels, the five keys) are checked in memory; here
# each kind of input goes the whole way through the X server and the
# library, however briefly it is held.
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

# ends ACTION...: five times in a row, the action ends the saver with 0.
ends() {
    local trial
    for trial in 1 2 3 4 5; do
        act "$@"
        wait_exit "$SAVER_PID" 3 >/dev/null
        [ "$WAIT_STATUS" = 0 ] || { echo "trial $trial: $WAIT_STATUS"; cat "$WORK/saver.out"; return 1; }
    done
}

# survives ACTION...: the saver redraws twice after the action, then a key
# ends it with 0.
survives() {
    act "$@"
    local last cur changes=0 i
    last=$(xwd -root -silent | md5sum)
    for i in $(seq 100); do
        cur=$(xwd -root -silent | md5sum)
        [ "$cur" != "$last" ] && changes=$((changes + 1)) && last=$cur
        [ $changes -ge 2 ] && break
        sleep 0.05
    done
    kill -0 "$SAVER_PID" 2>/dev/null || return 1
    xdotool key space
    wait_exit "$SAVER_PID" 3 >/dev/null
    [ "$WAIT_STATUS" = 0 ]
}

check "a key ends it" ends key a
check "a quick click ends it" ends click 1
check "a quick Shift tap ends it" ends key Shift_L
check "a quick Tab tap ends it" ends key Tab
check "an 11 px move ends it" ends mousemove_relative -- 0 -11
check "a 10 px move does not" survives mousemove_relative 10 10
check "Ctrl alone does not" survives key Control_L

# Without a display the clock cannot start: status 1 and a reason.
DISPLAY=$(absent_display) "$APP/veltrane" /s >"$WORK/nodisplay.out" 2>&1
code=$?
check "no display gives status 1 and says why" eval 'test $code = 1 && grep -q "cannot open the X display" "$WORK/nodisplay.out"'

finish
