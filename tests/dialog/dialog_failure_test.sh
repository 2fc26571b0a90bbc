# When things go wrong: a settings file that cannot be written keeps the
# dialog open with a message and never ends it as saved; no display ends the
# program at once with a message; a parent that is no window shows nothing.
. "$VELTRANE_SOURCE_DIR/tests/dialog/dialog_lib.sh"
start_display 1024x768
APP=$WORK/app
install_program "$APP"
CFG=$APP/veltrane.cfg
ORIGINAL='[saver]
clockType = 6
'
printf '%s' "$ORIGINAL" >"$CFG"

# A read-only folder. Root writes anywhere, so as root the program runs as
# nobody, in a folder that only root may write to.
chmod 755 "$WORK"
if [ "$(id -u)" = 0 ]; then
    mkdir -p "$WORK/home" && chown 65534:65534 "$WORK/home"
    RUN_AS="setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=$WORK/home"
else
    chmod 555 "$APP"
fi

BANNER=$BUILD/generated/resources/banner_120.bmp

# The message of a failed save takes the banner's place inside the dialog.
shows_banner() {
    shot "$WORK/now.png"
    crop "$WORK/now.png" $((WIN_X + 10)) $((WIN_Y + 10)) 480 112 "$WORK/top.png"
    same_picture "$WORK/top.png" "$BANNER"
}
shows_message() { ! shows_banner; }

open_dialog "$APP"
check "the banner shows before any save" shows_banner
keys Down                      # style 7, in memory only
click_at_dlu 268 265           # OK
sleep 0.3
check "a failed save leaves the dialog open" dialog_alive
check "and shows a message in the dialog" shows_message
check "the dialog stays one window" \
    test "$(xdotool search --onlyvisible --pid "$DIALOG_PID" 2>/dev/null | wc -l)" = 1
dialog_shot "$SHOTS/save_failed.png"
check "no file or temporary file appears or changes" cmp -s "$CFG" <(printf '%s' "$ORIGINAL")

keys Return                    # OK again, from the keyboard
check "a second try fails the same way" shows_message
check "and still leaves the dialog open" dialog_alive
click_at_dlu 209 265           # Cancel
expect_exit "Cancel still leaves, never as saved" 74
check "the file is as it was" cmp -s "$CFG" <(printf '%s' "$ORIGINAL")
check "no temporary file is left" test -z "$(ls -A "$APP" | grep -v -e '^veltrane$' -e '^veltrane.cfg$' -e '^morviksoft$')"
RUN_AS=
chmod 755 "$APP"

# Once the folder can be written again, OK saves.
open_dialog "$APP"
keys Down Return
expect_exit "OK in a writable folder" 75
check "saves the choice" grep -qx 'clockType = 7' "$CFG"

# No display at all, and a display that does not answer.
for display in "" ":77"; do
    start=$(date +%s%N)
    DISPLAY=$display "$APP/veltrane" /c 2>"$WORK/stderr"
    code=$?
    ms=$(( ($(date +%s%N) - start) / 1000000 ))
    check "no display '$display': ends with a non-zero code ($code)" test "$code" -ne 0 -a "$code" -lt 128
    check "no display '$display': within two seconds (${ms} ms)" test "$ms" -lt 2000
    check "no display '$display': says why on stderr" grep -q 'no X display' "$WORK/stderr"
done
check "and writes nothing" grep -qx 'clockType = 7' "$CFG"

# A parent window number that names no window: nothing shown, exit 0.
rm -f "$CFG"
"$APP/veltrane" /c 123456789 2>"$WORK/stderr" &
DIALOG_PID=$!
expect_exit "a parent that is no window ends the dialog with 0" 0
check "nothing is written" test ! -e "$CFG"

# A real parent window: the dialog shows over it.
root=$(xwininfo -root | awk '/Window id:/ {print $4}')
open_dialog "$APP" /c "$((root))"
check "a real parent window: the dialog shows" dialog_alive
click_at_dlu 209 265
expect_exit "and Cancel ends it" 74

finish
