# Helpers of the settings dialog's end-to-end tests; source after nothing
# else, it brings tests/e2e/lib.sh along.
. "${VELTRANE_SOURCE_DIR:?run through ctest}/tests/e2e/lib.sh"

CLOSE_WINDOW=$BUILD/tests/dialog/close_window
DIALOG_TITLE='Veltrane Screen Saver'
# Screenshots worth a look are kept here after the run.
SHOTS=$BUILD/tests/dialog/screenshots
mkdir -p "$SHOTS"
export NO_AT_BRIDGE=1   # no accessibility bus in Xvfb
DIALOG_PID=
DIALOG_WIN=

# open_dialog DIR [ARGUMENT...]: starts DIR/veltrane (with /c by default) and
# waits until its dialog is on the screen; sets DIALOG_PID and DIALOG_WIN.
# Extra environment comes from RUN_AS (a command prefix), if set.
open_dialog() {
    local dir=$1
    shift
    [ $# -gt 0 ] || set -- /c
    ${RUN_AS:-} "$dir/veltrane" "$@" 2>"$WORK/stderr" &
    DIALOG_PID=$!
    DIALOG_WIN=
    for _ in $(seq 100); do
        DIALOG_WIN=$(xdotool search --onlyvisible --pid "$DIALOG_PID" --name "^$DIALOG_TITLE\$" 2>/dev/null | head -1)
        [ -n "$DIALOG_WIN" ] && break
        kill -0 "$DIALOG_PID" 2>/dev/null || break
        sleep 0.1
    done
    if [ -z "$DIALOG_WIN" ]; then
        echo "the dialog did not appear" >&2
        cat "$WORK/stderr" >&2
        return 1
    fi
    sleep 0.5   # first paint
    read_geometry
}

# The window's place and size, and the dialog's base units worked back from
# its size of 333 x 286 dialog units.
read_geometry() {
    eval "$(xdotool getwindowgeometry --shell "$DIALOG_WIN")"
    WIN_X=$X WIN_Y=$Y WIN_W=$WIDTH WIN_H=$HEIGHT
    BASE_X=$(( (WIN_W * 4 + 166) / 333 ))
    BASE_Y=$(( (WIN_H * 8 + 143) / 286 ))
}

# dlu_x N / dlu_y N: dialog units to screen pixels, rounded as the dialog does.
dlu_x() { echo $(( WIN_X + ($1 * BASE_X + 2) / 4 )); }
dlu_y() { echo $(( WIN_Y + ($1 * BASE_Y + 4) / 8 )); }

# click_at_dlu X Y: a left click at that point of the dialog.
click_at_dlu() {
    xdotool mousemove "$(dlu_x "$1")" "$(dlu_y "$2")" click 1
    sleep 0.3
}

# keys KEY...: typed into the dialog, which has the keyboard focus.
keys() {
    xdotool windowfocus --sync "$DIALOG_WIN" 2>/dev/null
    xdotool key --delay 80 "$@"
    sleep 0.4
}

# close_box: what a window manager sends when the close box is clicked.
close_box() {
    "$CLOSE_WINDOW" "$DIALOG_WIN"
}

dialog_alive() {
    kill -0 "$DIALOG_PID" 2>/dev/null && [ "$(ps -o stat= -p "$DIALOG_PID" | cut -c1)" != Z ]
}

# expect_exit DESCRIPTION CODE: the dialog's process ends with CODE within
# ten seconds. Waits in this shell, which alone can collect the status.
expect_exit() {
    local got=timeout
    for _ in $(seq 200); do
        if ! dialog_alive; then
            wait "$DIALOG_PID"
            got=$?
            break
        fi
        sleep 0.05
    done
    CHECKS=$((CHECKS + 1))
    if [ "$got" = "$2" ]; then
        echo "ok   - $1 (exit $got)"
    else
        echo "FAIL - $1: exit $got, expected $2"
        FAILURES=$((FAILURES + 1))
        kill -9 "$DIALOG_PID" 2>/dev/null
        wait "$DIALOG_PID" 2>/dev/null
    fi
}

# dialog_shot FILE: the dialog's window alone.
dialog_shot() {
    xwd -root -silent | convert xwd:- -crop "${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y}" +repage "$1"
}

# same_picture A B: true when the two pictures have the same size and pixels.
same_picture() {
    local differ
    differ=$(compare -metric AE "$1" "$2" null: 2>&1) || true
    [ "$differ" = 0 ]
}

# crop FILE X Y W H OUT
crop() {
    convert "$1" -crop "${4}x${5}+${2}+${3}" +repage "$6"
}
