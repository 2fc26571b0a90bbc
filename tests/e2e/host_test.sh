# The clock in the screen-saver hosts' windows: XScreenSaver's daemon (which
# must still lock), xsecurelock, small windows handed over by number, the
# options a user types, and the signals that end the full screen and host mode.
. "$(dirname "$0")/saver_lib.sh"

start_display 1024x768
APP=$WORK/app
install_program "$APP"
install_real_assets "$APP"
test_style "$APP" 0 401 361 11,15 11,15 11,15
settings "$APP" "clockType = 0" "secondHand = 1"
CX=512 CY=384
echo "2026-12-06 03:00:30" > "$WORK/clock"
# The hosts run the saver through this, on a clock held at 03:00:30.
held_saver_script "$WORK/saver"

# XScreenSaver runs no saver as root: as root the hosts run as nobody, each
# in a session of its own so that its helpers end with it.
export WORK
mkdir -p "$WORK/home"
chmod -R a+rX "$WORK"
as_user() { env HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" "$@"; }
if [ "$(id -u)" = 0 ]; then
    chown nobody "$WORK/home"
    as_user() { setpriv --reuid=nobody --regid=nogroup --clear-groups \
        env HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" DISPLAY="$DISPLAY" "$@"; }
fi
run_host() {  # run_host LOG COMMAND...: sets SID
    local log=$1
    shift
    setsid bash -c "$(declare -f as_user); as_user $*" >"$log" 2>&1 &
    SID=$!
}
stop_host() { kill -TERM -- -"$1" 2>/dev/null; wait_for 5 bash -c "! pgrep -s $1"; }
# A saver whose parent has not reaped it yet does not count.
saver_running() { ps -eo stat=,args= | grep -v '^Z' | grep -q "[ ]$APP/veltrane"; }
no_saver_left() { ! saver_running; }
locked() { as_user xscreensaver-command -time | grep -q locked; }

# shows_clock NAME: the screen shows the test style at 03:00:30.
shows_clock() {
    local name=$1 p
    check "$name shows the clock" shot_when "$WORK/$name.png" 1018 762 200,200,200  # the last row drawn
    for p in "$CX $((CY - 170)) $FACE_RGB face" "$((CX + 60)) $CY $HOUR_RGB hour" \
             "$(point $CX $CY 110 3) $MINUTE_RGB minute" "$CX $((CY + 140)) $SECOND_RGB second"; do
        set -- $p
        expect_pixel "$name: $4" "$WORK/$name.png" "$1" "$2" "$3"
    done
}

printf 'mode: one\nselected: 0\nlock: False\nfade: False\nunfade: False\nsplash: False\n%s\n%s\n' \
    'timeout: 1:00:00' "programs: \"Veltrane\" $WORK/saver -root \\n" > "$WORK/home/.xscreensaver"
run_host "$WORK/xscreensaver.log" xscreensaver -no-splash
XSS=$SID
trap 'stop_host $XSS; stop_host ${XSL:-0}; pkill -f "$APP/veltrane"; cleanup' EXIT
wait_for 10 as_user xscreensaver-command -time >/dev/null 2>&1
as_user xscreensaver-command -activate >/dev/null
shows_clock xscreensaver
as_user xscreensaver-command -deactivate >/dev/null
check "XScreenSaver: no saver left once it unblanks" wait_for 10 no_saver_left
as_user xscreensaver-command -activate >/dev/null
wait_for 10 saver_running
as_user xscreensaver-command -lock >/dev/null
check "XScreenSaver locks while the clock shows" wait_for 5 locked
check "the clock goes on under the lock" saver_running
timeout -s KILL 20 "$APP/veltrane" /s >"$WORK/refused.out" 2>&1; refused=$?
check "/s under the locker's grab ends with 1 and says why" \
    eval 'test $refused = 1 && grep -q "another program holds" "$WORK/refused.out"'
stop_host $XSS
check "XScreenSaver: no saver left when it ends" wait_for 10 no_saver_left

run_host "$WORK/xsecurelock.log" env XSECURELOCK_SAVER="$WORK/saver" xsecurelock
XSL=$SID
shows_clock xsecurelock
stop_host $XSL
check "xsecurelock: no saver left after it ends" wait_for 10 no_saver_left

# Two small windows, as XScreenSaver's preview pane or one per monitor: each
# shows the whole clock scaled down (a 401 x 361 face in 320 x 240 by
# 240/361, in 300 x 400 by 300/401), and its process ends at once when the
# window goes away.
windows() { xwininfo -root -children | grep -c '^ *0x'; }
# Each holds its one connection to the X server and makes no window of its own.
one_connection_each() {
    local p n=0
    for p in $(pgrep -f "^$APP/veltrane"); do
        [ "$(find /proc/$p/fd -lname 'socket:*' | wc -l)" = 1 ] || return 1
        n=$((n + 1))
    done
    [ $n = 2 ]
}
BEFORE=$(windows)
start_host 40 40 320 240 "$WORK/saver" --window-id '{id}'
FIRST="$HOST_PID $HOST_OUT"
start_host 600 40 300 400 "$WORK/saver" -window-id '{id}'
check "both small windows show the clock" eval \
    'shot_when "$WORK/small.png" 42 42 200,200,200 && shot_when "$WORK/small.png" 602 42 200,200,200'
check "host mode: one connection each, no window but the hosts'" \
    eval 'one_connection_each && test "$(windows)" = $((BEFORE + 2))'
for p in "200 44 $FACE_RGB top" "200 276 $FACE_RGB bottom" "240 160 $HOUR_RGB hour" \
         "604 240 $FACE_RGB left" "896 240 $FACE_RGB right"; do
    set -- $p
    check "small windows: the face's $4 is inside" near "$WORK/small.png" "$1" "$2" "$3"
done
for host in "$HOST_PID $HOST_OUT" "$FIRST"; do
    read -r HOST_PID HOST_OUT <<<"$host"
    read -r _ code ms <<<"$(end_host)"
    check "ends with 0 within 100 ms of its window ($code, $ms ms)" \
        awk -v c="$code" -v m="$ms" 'BEGIN { exit !(c == 0 && m < 100) }'
done

# What a user typing at a shell sees: help, the version, a wrong option.
"$APP/veltrane" --help >"$WORK/help.out" 2>&1; help=$?
"$APP/veltrane" --bogus >/dev/null 2>"$WORK/bogus.err"; bogus=$?
check "--help ends with 0 and tells of host mode" eval 'test $help = 0 && grep -q -- --window-id "$WORK/help.out"'
check "--version ends with 0" eval '"$APP/veltrane" --version | grep -q "^veltrane [0-9]"'
check "an unknown option ends with 2, the usage on stderr" eval 'test $bogus = 2 && grep -q Usage "$WORK/bogus.err"'

# SIGUSR1 does not end either mode, SIGQUIT does, with 0 (bit 10 of the
# ignored signals shows the handlers are in place). The others, at any
# moment of the start, are the start-up signals test's.
watched() { (( 0x$(awk '/^SigIgn/ { print $2 }' "/proc/$1/status") & 512 )); }
for mode in /s -root; do
    "$WORK/saver" $mode >/dev/null 2>&1 &
    pid=$!
    wait_for 10 watched $pid
    kill -USR1 $pid
    kill -QUIT $pid
    wait_exit $pid 10 >/dev/null
    check "$mode ends with 0 on SIGQUIT after SIGUSR1" test "$WAIT_STATUS" = 0
done

finish
