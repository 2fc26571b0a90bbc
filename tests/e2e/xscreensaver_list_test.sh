# The clock put in XScreenSaver's list with --add-to-xscreensaver, as a new
# user with no ~/.xscreensaver does it, while XScreenSaver runs: it then runs
# the clock by the number the command gave. Again, the command changes
# nothing; with --message-box it says so in a window too. (How the file's
# text changes is the unit test's.)
. "$(dirname "$0")/lib.sh"

start_display 1024x768
APP=$WORK/app
install_program "$APP"
install_real_assets "$APP"
printf '[saver]\nclockType = 3\n' >"$APP/veltrane.cfg"  # white, unlike XScreenSaver's black
mkdir -p "$WORK/home" "$WORK/bin"
ln -s "$APP/veltrane" "$WORK/bin/veltrane"  # "veltrane" on PATH, as the package's link is
chmod -R a+rX "$WORK"
# XScreenSaver runs no saver as root: as root the user is nobody.
user_env=(env HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" PATH="$WORK/bin:$PATH" DISPLAY="$DISPLAY")
as_user() { "${user_env[@]}" "$@"; }
if [ "$(id -u)" = 0 ]; then
    chown nobody "$WORK/home"
    as_user() { setpriv --reuid=nobody --regid=nogroup --clear-groups "${user_env[@]}" "$@"; }
fi
setsid bash -c "$(declare -f as_user); $(declare -p user_env); as_user xscreensaver -no-splash" \
    >"$WORK/xscreensaver.log" 2>&1 &
XSS=$!
trap 'kill -TERM -- -$XSS 2>/dev/null; cleanup' EXIT
wait_for 10 as_user xscreensaver-command -time >/dev/null 2>&1

as_user "$APP/veltrane" --add-to-xscreensaver >"$WORK/out" 2>&1; code=$?
entry=$(grep -o 'as entry [0-9]*' "$WORK/out" | cut -d' ' -f3)
check "without ~/.xscreensaver it is made, with 0 and the entry's number ($code: $(cat "$WORK/out"))" \
    eval '[ $code = 0 ] && [ -f "$WORK/home/.xscreensaver" ] && [ -n "$entry" ] && grep -q "^Created " "$WORK/out"'
as_user xscreensaver-command -select "$entry" >/dev/null
check "the running XScreenSaver runs the clock as entry $entry" shot_when "$WORK/selected.png" 5 5 255,255,255 20
check "in host mode" eval 'ps -eo args= | grep -qx "veltrane --\?-root"'
as_user xscreensaver-command -deactivate >/dev/null
unblanked() { as_user xscreensaver-command -time 2>/dev/null | grep -q non-blanked; }
wait_for 10 unblanked  # its keyboard grab gone

cp "$WORK/home/.xscreensaver" "$WORK/before"
as_user "$APP/veltrane" --add-to-xscreensaver --message-box >"$WORK/out" 2>&1 &
PID=$!
box() { BOX=$(xdotool search --onlyvisible --pid "$PID" --name '^Veltrane Screen Saver$' | head -1); [ -n "$BOX" ]; }
check "again, it says so in a message box" wait_for 10 box
# Return, until the box has taken its focus and closes.
closed() { xdotool windowfocus "$BOX" key Return 2>/dev/null; sleep 0.2; ! kill -0 "$PID" 2>/dev/null; }
wait_for 10 closed
check "which Return closes; it ends with 0" test "$(wait_exit "$PID" 1)" = 0
check "saying the clock is already entry $entry ($(cat "$WORK/out"))" \
    grep -q "already in the list of savers in $WORK/home/.xscreensaver, as entry $entry; nothing" "$WORK/out"
check "and leaving the file byte for byte" cmp -s "$WORK/before" "$WORK/home/.xscreensaver"
finish
