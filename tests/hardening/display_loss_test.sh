# The X server going away under each mode: the saver, the preview and the
# settings dialog must each end promptly instead of hanging.
. "$(dirname "$0")/../e2e/saver_lib.sh"

APP=$WORK/app
install_program "$APP"
install_real_assets "$APP"
settings "$APP" "secondHand = 1" "secondSound = 1"

# loses_display NAME ARGS...: starts the program in a fresh display, lets it
# settle, kills the X server and waits for the program to end.
loses_display() {
    local name=$1
    shift
    start_display 1024x768
    "$@" >"$WORK/$name.out" 2>&1 &
    local pid=$!
    sleep 2.5
    local alive=no
    kill -0 "$pid" 2>/dev/null && alive=yes
    kill -9 "$XVFB_PID"
    wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=
    wait_exit "$pid" 10 >/dev/null
    check "$name: was running before the X server went (alive=$alive)" test "$alive" = yes
    check "$name: ended within 10 s of losing the display (status $WAIT_STATUS)" test "$WAIT_STATUS" != timeout
    if grep -q "ERROR: AddressSanitizer\|runtime error" "$WORK/$name.out"; then
        check "$name: no sanitizer report" false
        head -n 20 "$WORK/$name.out"
    fi
}

loses_display saver "$APP/veltrane" /s
loses_display dialog "$APP/veltrane" /c
# The preview needs a parent window: the root window of the display.
start_display 1024x768
ROOT=$(xwininfo -root | awk '/Window id:/ {print $4}')
kill -9 "$XVFB_PID"; wait "$XVFB_PID" 2>/dev/null; XVFB_PID=
loses_display preview bash -c 'exec "$0" /p $(( $1 ))' "$APP/veltrane" "$ROOT"

finish
