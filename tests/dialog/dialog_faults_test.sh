# When things go wrong: a settings file that cannot be written keeps the
# dialog open with a message and never ends it as saved; a missing xdg-open
# is told on stderr; no display ends the program at once with a message; a
# parent that is no window shows nothing.
. "$VELTRANE_SOURCE_DIR/tests/dialog/dialog_lib.sh"
start_display 1024x768
APP=$WORK/app
install_program "$APP"
CFG=$APP/veltrane.cfg
ORIGINAL='[saver]
clockType = 6
'
printf '%s' "$ORIGINAL" >"$CFG"
unchanged() { cmp -s "$CFG" <(printf '%s' "$ORIGINAL"); }

# A read-only folder and no xdg-open on the PATH. Root writes anywhere, so
# as root the program runs as nobody, in a folder only root may write to.
chmod 755 "$WORK"
mkdir -p "$WORK/nothing-here"
if [ "$(id -u)" = 0 ]; then
    mkdir -p "$WORK/home" && chown 65534:65534 "$WORK/home"
    RUN_AS="setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=$WORK/home PATH=$WORK/nothing-here"
else
    chmod 555 "$APP"
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
check "and leaves it open, one window" \
    test "$(xdotool search --onlyvisible --pid "$DIALOG_PID" 2>/dev/null | wc -l)" = 1
check "no file or temporary file appears or changes" unchanged
keys Return              # OK again, from the keyboard
click_at_dlu 209 265     # Cancel
expect_exit "a second try fails too, and Cancel leaves, never as saved" 74
check "the file is as it was, with no temporary file" \
    eval 'unchanged && test -z "$(ls -A "$APP" | grep -v -e "^veltrane$" -e "^veltrane.cfg$" -e "^morviksoft$")"'
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
