# The settings dialog, the real program in Xvfb: the GTK layer's pictures,
# keys, Tab order, close box and message, the file OK writes, the web pages,
# and the ways it cannot start. What the logic decides is in
# settings_dialog_logic_test.cpp.
. "${VELTRANE_SOURCE_DIR:?run through ctest}/tests/e2e/lib.sh"
export NO_AT_BRIDGE=1   # no accessibility bus in Xvfb
PICTURES=$BUILD/generated/resources
PREVIEWS=(109 110 123 125 127 129 131 133 135 137)
CFG=$XDG_CONFIG_HOME/veltrane/veltrane.cfg
ORIGINAL=$'# kept as it is\n[saver]\nclockType = 12\n'
RUN_AS=

wait_for() {  # wait_for SECONDS COMMAND...: true as soon as COMMAND is
    local end=$((SECONDS + $1))
    shift
    until "$@"; do [ $SECONDS -lt $end ] || return 1; sleep 0.05; done
}
alive() { kill -0 "$PID" 2>/dev/null && [ "$(ps -o stat= -p "$PID" | cut -c1)" != Z ]; }
# the window, once shown, and its dialog units worked back from its 333 x 286
found() { WIN=$(xdotool search --onlyvisible --pid "$PID" --name '^Veltrane Screen Saver$' | head -1); [ -n "$WIN" ]; }
dlu() { echo $(($1 + ($2 * $3 + $4 / 2) / $4)); }
click() { xdotool mousemove "$(dlu "$WX" "$1" "$BX" 4)" "$(dlu "$WY" "$2" "$BY" 8)" click 1; }
keys() { xdotool windowfocus --sync "$WIN" 2>/dev/null; xdotool key --delay 30 "$@"; }
# shows AT_X AT_Y REFERENCE: the screen holds that picture at that point of the window
shows() {
    xwd -root -silent | convert xwd:- -crop "$(identify -format %wx%h "$3")+$((WX + $1))+$((WY + $2))" +repage "$WORK/now.png"
    [ "$(compare -metric AE "$WORK/now.png" "$3" null: 2>&1)" = 0 ]
}
banner() { shows 10 10 "$PICTURES/banner_120.bmp"; }
# the picture control's frame stands at 30, 95 dialog units, the picture inside its border
preview() { shows $(($(dlu 0 30 "$BX" 4) + 1)) $(($(dlu 0 95 "$BY" 8) + 1)) "$PICTURES/preview_${PREVIEWS[$1]}.bmp"; }
no_preview() { preview 0; [ "$(convert "$WORK/now.png" -format %k info:)" = 1 ]; }
# a window beside the dialog, such as a dropped-down list (GTK also keeps a tiny one off the screen)
other_window() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$PID"); do
        [ "$w" != "$WIN" ] && eval "$(xdotool getwindowgeometry --shell "$w")" && [ "$WIDTH" -gt 20 ] && return
    done
    return 1
}
open_dialog() {  # open_dialog [ARGUMENT...]: starts the dialog (/c) and waits for its banner
    ${RUN_AS} "$WORK/app/veltrane" "${@:-/c}" 2>"$WORK/stderr" &
    PID=$!
    wait_for 10 found && eval "$(xdotool getwindowgeometry --shell "$WIN")" && WX=$X WY=$Y &&
        BX=$(((WIDTH * 4 + 166) / 333)) BY=$(((HEIGHT * 8 + 143) / 286)) && wait_for 10 banner ||
        { echo "the dialog did not appear" >&2; cat "$WORK/stderr" >&2; }
}
expect_exit() {  # expect_exit DESCRIPTION CODE
    local got=timeout
    if wait_for 10 eval '! alive'; then wait "$PID"; got=$?; else kill -9 "$PID"; fi
    check "$1 (exit $got)" test "$got" = "$2"
}
unchanged() { cmp -s "$CFG" <(printf '%s' "$ORIGINAL") && test "$(ls -A "$(dirname "$CFG")")" = veltrane.cfg; }

start_display 1024x768
xprop -root -spy >/dev/null 2>&1 &  # a client for the whole test, so the server never resets between launches
install_program "$WORK/app"
mkdir -p "$(dirname "$CFG")" "$WORK/bin"

# Keys: Escape does nothing; the style list shows each choice's preview; Tab
# walks the tab stops in the template's order (space ticks every other box);
# Enter on a box means OK. A stored 2 shows clear.
printf '# mine\n[other]\nkey = 1\n[saver]\nclockType = 4\nresolution = 3\nsecondHand = 2\nhourSound = 1\n' >"$CFG"
open_dialog
check "the stored style's preview shows" preview 4
for step in Escape:4 Down:5 End:9 Home:0; do
    keys "${step%:*}"
    check "$step in the style list shows that style's preview" wait_for 5 preview "${step#*:}"
done
keys Tab Down Tab Tab Tab Tab Tab space Tab Tab space Tab Tab space Tab Tab space Tab Down
check "Tab from the last control comes back to the style list" wait_for 5 preview 1
keys shift+Tab Return
expect_exit "Enter on a box means OK" 75
expected=('# mine' 'key = 1' 'clockType = 1' 'resolution = 4' 'secondHand = 1' 'secondSound = 0' 'hourSound = 0'
          'halfhourSound = 0' 'fifteenhourSound = 1' 'fortyfivehourSound = 0' 'random = 1')
check "the file holds what the dialog showed" test "$(grep -cxF -f <(printf '%s\n' "${expected[@]}") "$CFG")" = 11

# An unlisted style shows no picture; in a dropped-down list Return and
# Escape belong to the list; the web buttons open their pages; Enter on the
# focused Cancel cancels and writes nothing.
printf '%s' "$ORIGINAL" >"$CFG"
printf '#!/bin/sh\nprintf "%%s|" "$#" "$@" >>"%s"; echo >>"%s"\n' "$WORK/opened" "$WORK/opened" >"$WORK/bin/xdg-open"
chmod +x "$WORK/bin/xdg-open"
RUN_AS="env PATH=$WORK/bin:$PATH" open_dialog
check "an unlisted style shows an empty picture control" no_preview
keys space
check "space opens the style list" wait_for 5 other_window
keys Down Down Return
check "Return in an open list picks the item" wait_for 5 preview 2
wait_for 5 eval '! other_window'
keys Tab space
check "space opens the resolution list" wait_for 5 other_window
keys Escape
check "Escape closes an open list and leaves the dialog" wait_for 5 eval '! other_window && alive'
keys Tab Return Return Tab Return
pages() { test "$(wc -l <"$WORK/opened" 2>/dev/null)" = 3; }
check "Visit site twice and Tell A Friend once open their pages, each one argument" eval 'wait_for 10 pages &&
    printf "1|%s|\n" https://www.morviksoft.example{,,/passonsoft.php?s=30} | cmp -s - "$WORK/opened"'
check "the browser openers are reaped" wait_for 5 eval '! ps --ppid "$PID" -o stat= | grep -q Z'
keys Tab Return
expect_exit "Enter on the focused Cancel cancels" 74
check "Cancel leaves the file byte for byte" unchanged

# A read-only folder (as root: run as nobody), no web browser, a real parent.
# A page that cannot be opened is told in a message box over the dialog. The
# failed save is told in the dialog, which stays open; the close box ends it
# with 0.
chmod 755 "$WORK" "$XDG_CONFIG_HOME"
if [ "$(id -u)" = 0 ]; then
    mkdir -p "$WORK/home" && chown 65534:65534 "$WORK/home"
    RUN_AS="setpriv --reuid=65534 --regid=65534 --clear-groups env -u BROWSER HOME=$WORK/home PATH=/usr/bin:/bin"
else
    chmod 555 "$(dirname "$CFG")"
    RUN_AS="env -u BROWSER PATH=/usr/bin:/bin"
fi
open_dialog /c "$(($(xwininfo -root | awk '/Window id:/ {print $4}')))"
message_box() {  # the window beside the dialog that bears its caption
    BOX=$(xdotool search --onlyvisible --pid "$PID" --name '^Veltrane Screen Saver$' | grep -vx "$WIN" | head -1)
    [ -n "$BOX" ]
}
closed_box() { xdotool windowfocus "$BOX" key Return 2>/dev/null; sleep 0.2; ! message_box; }
click 50 265             # Visit site
check "a page no browser opens is told in a message box ($(command -v xdg-open || echo no xdg-open))" \
    wait_for 10 message_box
check "which Return closes, the dialog still open" eval 'wait_for 10 closed_box && alive'
keys Down
click 268 265            # OK
check "a failed save shows a message over the banner" wait_for 5 eval '! banner'
check "and stays open, with no window beside it, writing nothing" eval 'alive && ! other_window && unchanged'
keys Return              # OK again, from the keyboard
check "the window takes the close box's message" "$BUILD/tests/dialog/close_window" "$WIN"
expect_exit "the close box ends with 0, never as saved" 0
check "nothing was written" unchanged
RUN_AS=

# No display, a display no server answers, a parent that is no window.
absent=200
while [ -e "/tmp/.X$absent-lock" ] || [ -e "/tmp/.X11-unix/X$absent" ]; do absent=$((absent + 1)); done
for display in "" ":$absent"; do
    DISPLAY=$display timeout 10 "$WORK/app/veltrane" /c 2>"$WORK/stderr"
    check "no display '$display': ends with 1 and says why ($?)" eval "[ $? = 1 ] && grep -q 'no X display' '$WORK/stderr'"
done
"$WORK/app/veltrane" /c 123456789 2>"$WORK/stderr" &
PID=$!
expect_exit "a parent that is no window ends the dialog with 0" 0
check "writing nothing" unchanged
finish
