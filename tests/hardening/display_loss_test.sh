# The X server going away under each mode: the saver ends at once with 1 and
# says why; the preview and the dialog end with 1 instead of hanging.
. "$(dirname "$0")/../e2e/saver_lib.sh"
APP=$WORK/app
install_program "$APP"
install_real_assets "$APP"
settings "$APP" "secondHand = 1" "secondSound = 1"

saver_up() { shot "$WORK/shot.png" && [ "$(pixel "$WORK/shot.png" 0 0)" != "$ROOT_PIXEL" ]; }
dialog_up() { xdotool search --name '^Veltrane Screen Saver$' >/dev/null 2>&1; }
preview_up() { xwininfo -root -children | grep -q '^ *1 child'; }

# loses_display NAME READY MESSAGE ARGS...: starts the program in a fresh
# display, waits until READY says it is up, kills the X server; the program
# must end within 5 s with 1, saying MESSAGE, with no sanitizer report.
loses_display() {
    local name=$1 ready=$2 message=$3 up=no pid
    shift 3
    start_display 1024x768
    shot "$WORK/root.png" && ROOT_PIXEL=$(pixel "$WORK/root.png" 0 0)
    "$@" >"$WORK/$name.out" 2>&1 &
    pid=$!
    wait_for 20 $ready && up=yes
    kill -9 "$XVFB_PID" && wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=
    wait_exit "$pid" 5 >/dev/null
    check "$name: up ($up), then ends with 1 (status $WAIT_STATUS) saying '$message', no sanitizer report" \
        eval '[ $up/$WAIT_STATUS = yes/1 ] && { [ -z "$message" ] || grep -q -- "$message" "$WORK/$name.out"; } &&
              ! grep -q "ERROR: AddressSanitizer\|runtime error" "$WORK/$name.out"'
    [ "$up/$WAIT_STATUS" = yes/1 ] || head -n 20 "$WORK/$name.out"
}
loses_display saver saver_up "the X display went away" "$APP/veltrane" /s
loses_display dialog dialog_up "" "$APP/veltrane" /c
loses_display preview preview_up "the X display went away" bash -c 'exec "$0" /p $(( $(xwininfo -root | awk "/Window id:/ {print \$4}") ))' "$APP/veltrane"
finish
