# The clock in the screen-saver hosts' windows: XScreenSaver's daemon (which
# must still lock), xsecurelock, small windows handed over by number, and
# the signals that end the full-screen clock and host mode.
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
cat > "$WORK/saver" <<SAVER
#!/bin/sh
TZ=UTC FAKETIME_TIMESTAMP_FILE=$WORK/clock FAKETIME_NO_CACHE=1 \
LD_PRELOAD=$(ls /usr/lib/*/faketime/libfaketime.so.1 | head -n1) exec $APP/veltrane "\$@"
SAVER
chmod 755 "$WORK/saver"

# XScreenSaver runs no saver as root: as root the hosts run as nobody.
export WORK
mkdir -p "$WORK/home"
chmod -R a+rX "$WORK"
as_user() { env HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" "$@"; }
if [ "$(id -u)" = 0 ]; then
    chown nobody "$WORK/home"
    as_user() { setpriv --reuid=nobody --regid=nogroup --clear-groups \
        env HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" DISPLAY="$DISPLAY" "$@"; }
fi

# until SECONDS COMMAND...: retries COMMAND every 50 ms until it succeeds.
until_true() {
    local end=$((SECONDS + $1))
    shift
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -ge $end ] && return 1
        sleep 0.05
    done
}
# A saver that ended but whose parent has not reaped it yet does not count.
saver_running() { ps -eo stat=,args= | grep -v '^Z' | grep -q "[ ]$APP/veltrane"; }
no_saver_left() { ! saver_running; }
# signals_watched PID: the saver has put its signal handlers in place
# (SIGUSR1, bit 10, is ignored from then on).
signals_watched() { (( 0x$(awk '/^SigIgn/ { print $2 }' "/proc/$1/status") & 512 )); }

# shows_clock NAME: the screen shows the test style at 03:00:30.
shows_clock() {
    # The bottom row arrives last.
    check "$1 shows the clock" shot_when "$WORK/$1.png" 1018 762 200,200,200
    expect_pixel "$1: the face in the middle" "$WORK/$1.png" $CX $((CY - 170)) $FACE_RGB
    expect_pixel "$1: hour hand at 3" "$WORK/$1.png" $((CX + 60)) $CY $HOUR_RGB
    expect_pixel "$1: minute hand half a minute past 12" "$WORK/$1.png" $(point $CX $CY 110 3) $MINUTE_RGB
    expect_pixel "$1: second hand at 6" "$WORK/$1.png" $CX $((CY + 140)) $SECOND_RGB
}

# XScreenSaver, with the line a user adds to ~/.xscreensaver.
cat > "$WORK/home/.xscreensaver" <<XSS
mode: one
selected: 0
lock: False
fade: False
unfade: False
splash: False
timeout: 1:00:00
programs: "Veltrane" $WORK/saver -root \n
XSS
# start_host LOG COMMAND...: runs a host as the user in a session of its
# own, so that its helpers end with it; sets HOST_SID.
start_host() {
    local log=$1
    shift
    setsid bash -c "$(declare -f as_user); as_user $*" >"$log" 2>&1 &
    HOST_SID=$!
}
end_host() {
    kill -TERM -- -"$1" 2>/dev/null
    until_true 5 bash -c "! pgrep -s $1"
}
start_host "$WORK/xscreensaver.log" xscreensaver -no-splash
XSS_SID=$HOST_SID
trap 'end_host $XSS_SID; end_host ${XSL_SID:-0}; pkill -f "$APP/veltrane"; cleanup' EXIT
until_true 10 as_user xscreensaver-command -time
as_user xscreensaver-command -activate >/dev/null
shows_clock xscreensaver
as_user xscreensaver-command -deactivate >/dev/null
check "XScreenSaver: no saver left a second after unblanking" until_true 1 no_saver_left
as_user xscreensaver-command -activate >/dev/null
until_true 10 saver_running
as_user xscreensaver-command -lock >/dev/null
check "XScreenSaver locks while the clock shows" until_true 5 bash -c \
    "$(declare -f as_user); as_user xscreensaver-command -time | grep -q locked"
check "the clock goes on under the lock" saver_running
# While the locker holds the input, the full-screen clock says so and ends.
"$APP/veltrane" /s >"$WORK/refused.out" 2>&1
check "/s under a locker's grab ends with 1" test $? = 1
check "... and says another program holds the input" grep -q "another program holds" "$WORK/refused.out"
end_host $XSS_SID
check "XScreenSaver: no saver left when it ends" until_true 2 no_saver_left

# xsecurelock runs the saver named in XSECURELOCK_SAVER.
start_host "$WORK/xsecurelock.log" env XSECURELOCK_SAVER="$WORK/saver" xsecurelock
XSL_SID=$HOST_SID
shows_clock xsecurelock
end_host $XSL_SID
check "xsecurelock: no saver left after it ends" until_true 2 no_saver_left

# Two small windows, as XScreenSaver's preview pane or one per monitor: each
# shows the whole clock scaled down, and its process ends at once when the
# window goes away.
HOST=$BUILD/tests/preview/preview_test_host
"$HOST" 40 40 320 240 "$WORK/saver" --window-id '{id}' >"$WORK/host1.out" &
HOST1=$!
"$HOST" 600 40 300 400 "$WORK/saver" -window-id '{id}' >"$WORK/host2.out" &
HOST2=$!
# reddish / face-like: the picture is scaled, so colours are blends.
near() {  # near FILE X Y R,G,B: each channel within 40 of the colour
    local got want
    IFS=, read -r -a got <<<"$(pixel "$1" "$2" "$3")"
    IFS=, read -r -a want <<<"$4"
    for i in 0 1 2; do
        [ $((got[i] - want[i])) -le 40 ] && [ $((want[i] - got[i])) -le 40 ] || return 1
    done
}
# A 401 x 361 face in 320 x 240 is scaled by 240/361; in 300 x 400, by 300/401.
check "small windows show the clock" shot_when "$WORK/small.png" 42 42 200,200,200
check "both of them" shot_when "$WORK/small.png" 602 42 200,200,200
check "320x240: the face's top is inside" near "$WORK/small.png" 200 $((40 + 4)) $FACE_RGB
check "320x240: the face's bottom is inside" near "$WORK/small.png" 200 $((40 + 236)) $FACE_RGB
check "320x240: hour hand at 3" near "$WORK/small.png" $((200 + 40)) $((40 + 120)) $HOUR_RGB
check "300x400: the face's left is inside" near "$WORK/small.png" $((600 + 4)) $((40 + 200)) $FACE_RGB
check "300x400: the face's right is inside" near "$WORK/small.png" $((600 + 296)) $((40 + 200)) $FACE_RGB
kill -USR1 $HOST1 $HOST2
wait $HOST1 $HOST2
cat "$WORK/host1.out" "$WORK/host2.out"
for f in host1 host2; do
    read -r _ code ms < <(grep '^exit' "$WORK/$f.out")
    check "$f: ends with 0 within 100 ms of its window ($code, $ms ms)" \
        awk -v c="$code" -v m="$ms" 'BEGIN { exit !(c == 0 && m < 100) }'
done

# What a user typing at a shell sees: help, the version, a wrong option.
"$APP/veltrane" --help >"$WORK/help.out" 2>&1; help=$?
check "--help ends with 0 and tells of host mode" eval 'test $help = 0 && grep -q -- "--window-id" "$WORK/help.out"'
check "--version ends with 0" eval '"$APP/veltrane" --version | grep -q "^veltrane [0-9]"'
"$APP/veltrane" --bogus >/dev/null 2>"$WORK/bogus.err"; bogus=$?
check "an unknown option ends with 2 and the usage on stderr" eval 'test $bogus = 2 && grep -q Usage "$WORK/bogus.err"'

# Each signal ends each mode cleanly, without a core dump; SIGUSR1 does not.
for mode in /s -root; do
    for sig in INT QUIT TERM HUP; do
        "$WORK/saver" $mode >"$WORK/signal.out" 2>&1 &
        pid=$!
        until_true 10 signals_watched $pid
        kill -USR1 $pid
        kill -$sig $pid
        wait_exit $pid 2 >/dev/null
        check "$mode ends with 0 on SIG$sig after SIGUSR1" test "$WAIT_STATUS" = 0 ||
            cat "$WORK/signal.out"
    done
done

finish
