# Helpers of the settings dialog's end-to-end tests; source after nothing
# else, it brings tests/e2e/lib.sh along.
. "${VELTRANE_SOURCE_DIR:?run through ctest}/tests/e2e/lib.sh"

CLOSE_WINDOW=$BUILD/tests/dialog/close_window
DIALOG_TITLE='Veltrane Screen Saver'
PICTURES=$BUILD/generated/resources
export NO_AT_BRIDGE=1   # no accessibility bus in Xvfb
DIALOG_PID=
DIALOG_WIN=

# wait_for SECONDS COMMAND...: true as soon as COMMAND is.
wait_for() {
    local end=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -ge $end ] && return 1
        sleep 0.05
    done
}

# open_dialog DIR [ARGUMENT...]: starts DIR/veltrane (with /c by default) and
# waits until its dialog shows its banner; sets DIALOG_PID and DIALOG_WIN.
# Extra environment comes from RUN_AS (a command prefix), if set.
open_dialog() {
    local dir=$1
    shift
    [ $# -gt 0 ] || set -- /c
    ${RUN_AS:-} "$dir/veltrane" "$@" 2>"$WORK/stderr" &
    DIALOG_PID=$!
    find_window() {
        DIALOG_WIN=$(xdotool search --onlyvisible --pid "$DIALOG_PID" --name "^$DIALOG_TITLE\$" 2>/dev/null | head -1)
        [ -n "$DIALOG_WIN" ] || ! kill -0 "$DIALOG_PID" 2>/dev/null
    }
    if ! wait_for 10 find_window || [ -z "$DIALOG_WIN" ] || ! { read_geometry && wait_for 10 shows_banner; }; then
        echo "the dialog did not appear" >&2
        cat "$WORK/stderr" >&2
        return 1
    fi
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
}

# keys KEY...: typed into the dialog. X delivers them in order, after any
# earlier input, so a check after keys needs no pause unless it looks at
# the screen (then wait_for the picture).
keys() {
    xdotool windowfocus --sync "$DIALOG_WIN" 2>/dev/null
    xdotool key --delay 30 "$@"
}

# close_box: what a window manager sends when the close box is clicked.
close_box() {
    "$CLOSE_WINDOW" "$DIALOG_WIN"
}

dialog_alive() {
    kill -0 "$DIALOG_PID" 2>/dev/null && [ "$(ps -o stat= -p "$DIALOG_PID" | cut -c1)" != Z ]
}
dialog_gone() { ! dialog_alive; }

# expect_exit DESCRIPTION CODE: the dialog's process ends with CODE within
# ten seconds. Waits in this shell, which alone can collect the status.
expect_exit() {
    local got=timeout
    if wait_for 10 dialog_gone; then
        wait "$DIALOG_PID"
        got=$?
    fi
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

# The banner at 10, 10 of the client area, as it was drawn.
shows_banner() {
    shot "$WORK/banner_now.png"
    crop "$WORK/banner_now.png" $((WIN_X + 10)) $((WIN_Y + 10)) 480 112 "$WORK/banner_top.png"
    same_picture "$WORK/banner_top.png" "$PICTURES/banner_120.bmp"
}
