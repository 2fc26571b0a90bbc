# The settings dialog, the real program in Xvfb: the pictures it shows, the
# keyboard's way through its controls in the template's order, each way out,
# and what goes wrong: a settings file that cannot be written, no xdg-open,
# no display, a parent that is no window.
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
    else
        kill -9 "$DIALOG_PID" 2>/dev/null
    fi
    check "$1 (exit $got, expected $2)" test "$got" = "$2"
}

# same_picture A B: true when the two pictures have the same size and pixels.
same_picture() {
    local differ
    differ=$(compare -metric AE "$1" "$2" null: 2>&1) || true
    [ "$differ" = 0 ]
}

# crop FILE X Y W H OUT
crop() { convert "$1" -crop "${4}x${5}+${2}+${3}" +repage "$6"; }

# The banner at 10, 10 of the client area, as it was drawn.
shows_banner() {
    shot "$WORK/banner_now.png"
    crop "$WORK/banner_now.png" $((WIN_X + 10)) $((WIN_Y + 10)) 480 112 "$WORK/banner_top.png"
    same_picture "$WORK/banner_top.png" "$PICTURES/banner_120.bmp"
}

start_display 1024x768
APP=$WORK/app
install_program "$APP"
# The user's own settings file, which OK writes.
CFG=$XDG_CONFIG_HOME/veltrane/veltrane.cfg
mkdir -p "$(dirname "$CFG")"
PREVIEWS=(109 110 123 125 127 129 131 133 135 137)
ORIGINAL='# kept as it is
[saver]
clockType = 3
'
unchanged() { cmp -s "$CFG" <(printf '%s' "$ORIGINAL") && test ! -e "$CFG.new"; }
# other_window: the program shows a window beside the dialog, such as a
# dropped-down list, which takes the keys once shown (GTK also keeps a tiny
# helper window off the screen).
other_window() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$DIALOG_PID" 2>/dev/null); do
        [ "$w" != "$DIALOG_WIN" ] && eval "$(xdotool getwindowgeometry --shell "$w")" && [ "$WIDTH" -gt 20 ] && return
    done
    return 1
}
no_other_window() { ! other_window; }

# The picture control's frame stands at 30, 95 dialog units; the picture
# lies inside its one-pixel border.
preview_region() {
    shot "$WORK/now.png"
    crop "$WORK/now.png" $(( $(dlu_x 30) + 1 )) $(( $(dlu_y 95) + 1 )) 150 150 "$WORK/region.png"
}
shows_preview() { preview_region && same_picture "$WORK/region.png" "$PICTURES/preview_${PREVIEWS[$1]}.bmp"; }
shows_no_preview() { preview_region && test "$(convert "$WORK/region.png" -format %k info:)" = 1; }

# settled_shot OUT BEFORE: dumps of the dialog's window until one differs
# from BEFORE and the next is the same, so that what a key changed is fully
# drawn.
settled_shot() {
    rm -f "$WORK/last.xwd"
    settled() {
        xwd -silent -id "$DIALOG_WIN" >"$WORK/this.xwd"
        [ -f "$WORK/last.xwd" ] && cmp -s "$WORK/last.xwd" "$WORK/this.xwd" && ! cmp -s "$1" "$WORK/this.xwd" && return
        mv "$WORK/this.xwd" "$WORK/last.xwd"
        return 1
    }
    wait_for 10 settled "$2" && mv "$WORK/this.xwd" "$1"
}

# changed_at A B X Y W H: what differs between two dumps of the window has
# its middle inside that rectangle of dialog units (a redraw may spill over).
changed_at() {
    local w h x y
    IFS='x+' read -r w h x y < <(convert "xwd:$1" "xwd:$2" -compose difference -composite -threshold 0 -format '%@' info:)
    x=$((WIN_X + x + w / 2)) y=$((WIN_Y + y + h / 2))
    [ "$x" -ge "$(dlu_x "$3")" ] && [ "$y" -ge "$(dlu_y "$4")" ] &&
        [ "$x" -lt "$(dlu_x $(($3 + $5)))" ] && [ "$y" -lt "$(dlu_y $(($4 + $6)))" ]
}

# The seven boxes in Tab order, with their rectangles in dialog units.
BOX_KEYS=(secondHand secondSound hourSound halfhourSound fifteenhourSound fortyfivehourSound random)
BOX_RECTS=("166 94 86 18" "166 109 81 18" "166 124 83 18" "166 155 120 18" "166 139 130 18" "166 172 128 18"
           "21 227 118 16")

# What shows, and the whole Tab order: the two lists, the four push buttons
# passed over, then each box ticked or cleared by space, one at a time.
printf '# mine\n[other]\nkey = 1\n[saver]\nclockType = 4\nresolution = 3\nsecondHand = 2\nhourSound = 1\n' >"$CFG"
open_dialog "$APP"
check "the banner is drawn at 10, 10 as it is" shows_banner
check "the stored style's preview shows" shows_preview 4
expect_pixel "the dialog's ground is a plain light grey" "$WORK/now.png" $((WIN_X + 5)) $((WIN_Y + WIN_H - 5)) \
    "$(pixel "$WORK/now.png" $((WIN_X + WIN_W - 5)) $((WIN_Y + WIN_H / 2)))"
for step in Down:5 End:9 Home:0; do
    keys "${step%:*}"
    check "$step in the style list shows that style's preview at once" wait_for 5 shows_preview "${step#*:}"
done
keys Tab Down Tab Tab Tab Tab
settled_shot "$WORK/before.xwd" /dev/null
for i in "${!BOX_KEYS[@]}"; do
    keys Tab
    settled_shot "$WORK/focused.xwd" "$WORK/before.xwd"
    keys space
    settled_shot "$WORK/before.xwd" "$WORK/focused.xwd"
    # shellcheck disable=SC2086
    check "Tab $((i + 7)) reaches ${BOX_KEYS[i]}'s box, and space changes that box alone" \
        changed_at "$WORK/focused.xwd" "$WORK/before.xwd" ${BOX_RECTS[i]}
done
keys Tab Down
check "Tab from the last control comes back to the style list" wait_for 5 shows_preview 1
keys shift+Tab space Return
expect_exit "Shift+Tab goes back to Random; Enter on a check box means OK" 75
expected=('# mine' 'key = 1' 'clockType = 1' 'resolution = 4' 'secondHand = 1' 'secondSound = 1' 'hourSound = 0'
          'fifteenhourSound = 1' 'halfhourSound = 1' 'fortyfivehourSound = 1' 'random = 0')
check "the file holds what the dialog showed (a stored 2 showed clear)" \
    test "$(grep -cxF -f <(printf '%s\n' "${expected[@]}") "$CFG")" = ${#expected[@]}

# Escape is a command no control bears; space on the focused OK saves.
rm -f "$CFG"
open_dialog "$APP"
keys Escape Down Escape Tab Tab Tab Tab Tab space
expect_exit "Escape leaves the dialog open, space on the focused OK saves" 75
check "with the style chosen after Escape" grep -qx 'clockType = 1' "$CFG"

# Enter on a focused push button presses that button: Cancel writes nothing.
printf '%s' "$ORIGINAL" >"$CFG"
open_dialog "$APP"
keys Down Tab Down Tab Tab Tab Return
expect_exit "Enter on the focused Cancel button cancels" 74
check "Cancel leaves the file byte for byte, with no temporary file" unchanged

# The close box: an unlisted style shows no picture and is not saved.
printf '[saver]\nclockType = 12\n' >"$CFG"
open_dialog "$APP"
check "an unlisted style shows an empty picture control" shows_no_preview
keys Tab Down
click_at_dlu 60 235      # "Random"
check "the window takes the close box's message" "$CLOSE_WINDOW" "$DIALOG_WIN"
expect_exit "the close box ends with 0" 0
check "and writes nothing" grep -qx 'clockType = 12' "$CFG"

# Inside a dropped-down list Return and Escape belong to the list; the web
# buttons open their pages through xdg-open and leave the dialog open.
mkdir -p "$WORK/bin"
cat >"$WORK/bin/xdg-open" <<END
#!/bin/sh
printf '%s|' "\$#" "\$@" >>"$WORK/opened"
echo >>"$WORK/opened"
END
chmod +x "$WORK/bin/xdg-open"
rm -f "$CFG"
RUN_AS="env PATH=$WORK/bin:$PATH" open_dialog "$APP"
keys space
check "space opens the style list" wait_for 5 other_window
keys Down Down Return
check "Return in an open list picks the item" wait_for 5 shows_preview 2
wait_for 5 no_other_window
keys Tab space
check "space opens the resolution list" wait_for 5 other_window
keys Down Escape
check "Escape closes an open list and leaves the dialog" wait_for 5 no_other_window
keys Tab Return Return Tab Return
pages_opened() { test "$(wc -l <"$WORK/opened" 2>/dev/null)" = 3; }
no_zombies() { test -z "$(ps --ppid "$DIALOG_PID" -o stat= | grep Z)"; }
check "Visit site twice and Tell A Friend once open three pages" wait_for 10 pages_opened
check "the dialog stays open" dialog_alive
check "the pages, each one argument" diff "$WORK/opened" - <<'END'
1|https://www.morviksoft.example|
1|https://www.morviksoft.example|
1|https://www.morviksoft.example/passonsoft.php?s=30|
END
check "the browser openers are reaped" wait_for 5 no_zombies
click_at_dlu 268 265     # OK
expect_exit "OK by the mouse saves" 75
check "the item picked in the open list is saved" grep -qx 'clockType = 2' "$CFG"
check "the list closed by Escape kept its choice" grep -qx 'resolution = 0' "$CFG"

# A read-only folder and no xdg-open on the PATH. Root writes anywhere, so as
# root the program runs as nobody, in a folder only root may write to.
printf '%s' "$ORIGINAL" >"$CFG"
chmod 755 "$WORK" "$XDG_CONFIG_HOME"
mkdir -p "$WORK/nothing-here"
if [ "$(id -u)" = 0 ]; then
    mkdir -p "$WORK/home" && chown 65534:65534 "$WORK/home"
    RUN_AS="setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=$WORK/home PATH=$WORK/nothing-here"
else
    chmod 555 "$(dirname "$CFG")"
    RUN_AS="env PATH=$WORK/nothing-here"
fi
shows_message() { ! shows_banner; }
says_xdg_open() { grep -q 'xdg-open' "$WORK/stderr"; }

root=$(xwininfo -root | awk '/Window id:/ {print $4}')
open_dialog "$APP" /c "$((root))"
check "a real parent window: the dialog shows over it" dialog_alive
click_at_dlu 50 265      # Visit site
check "without xdg-open the dialog says why on stderr" wait_for 5 says_xdg_open
keys Down
click_at_dlu 268 265     # OK
check "a failed save shows a message in the dialog" wait_for 5 shows_message
check "and leaves it open, with no window beside it" no_other_window
check "no file or temporary file appears or changes" unchanged
keys Return              # OK again, from the keyboard
click_at_dlu 209 265     # Cancel
expect_exit "a second try fails too, and Cancel leaves, never as saved" 74
check "the file is as it was, with no temporary file" \
    eval 'unchanged && test "$(ls -A "$(dirname "$CFG")")" = veltrane.cfg'
RUN_AS=

# No display at all, and a display number that no server answers.
absent=200
while [ -e "/tmp/.X$absent-lock" ] || [ -e "/tmp/.X11-unix/X$absent" ]; do absent=$((absent + 1)); done
for display in "" ":$absent"; do
    DISPLAY=$display timeout 10 "$APP/veltrane" /c 2>"$WORK/stderr"
    code=$?
    check "no display '$display': ends at once with 1 ($code)" test "$code" = 1
    check "no display '$display': says why on stderr" grep -q 'no X display' "$WORK/stderr"
done

# A parent window number that names no window: nothing shown, exit 0.
"$APP/veltrane" /c 123456789 2>"$WORK/stderr" &
DIALOG_PID=$!
expect_exit "a parent that is no window ends the dialog with 0" 0
check "nothing is written" unchanged

finish
