#!/bin/bash
# The idle host in a real X session: nothing happens while the session is
# in use, a minute of idleness (xautolock's shortest time) starts the clock,
# and the first key press ends it again while the host keeps watching.
. "$VELTRANE_SOURCE_DIR/tests/e2e/lib.sh"
. "$VELTRANE_SOURCE_DIR/tests/preview/host_lib.sh"

start_own_display 1024x768
install_program "$WORK/my app"   # a blank in the path must survive the host's quoting
install_real_assets "$WORK/my app"
PROGRAM="$WORK/my app/veltrane"
SAVER_GREY=200,200,200   # style 0, the default, fills the screen with it

saver_pid() {
    pgrep -f -x "$PROGRAM /s"
}

check "the host refuses idle times under a minute" \
    bash -c '! "$1" --minutes 0 --program "$2" 2>/dev/null' _ "$SRC/scripts/veltrane-idle-host" "$PROGRAM"

"$SRC/scripts/veltrane-idle-host" --minutes 1 --program "$PROGRAM" 2>"$WORK/host.err" &
HOST_PID=$!
START=$SECONDS
host_cleanup() {
    kill "$HOST_PID" 2>/dev/null
    cleanup
}
trap host_cleanup EXIT

# Busy for 70 s, longer than the idle time: a small mouse movement every
# 10 s keeps the clock away.
for i in 1 2 3 4 5 6 7; do
    sleep 10
    xdotool mousemove $((100 + i)) 100
done
shot "$WORK/busy.png"
check "no clock while the session is in use (${SECONDS}s)" [ -z "$(saver_pid)" ]
check "the screen is untouched while the session is in use" \
    [ "$(pixel "$WORK/busy.png" 0 0)" != "$SAVER_GREY" ]
BUSY_END=$SECONDS

started=
seen=no   # whether the program ran at all, for the report
while [ $((SECONDS - BUSY_END)) -lt 90 ]; do
    if [ -n "$(saver_pid)" ]; then
        seen=yes
        shot "$WORK/idle.png"
        if [ "$(pixel "$WORK/idle.png" 0 0)" = "$SAVER_GREY" ]; then
            started=$((SECONDS - BUSY_END))
            break
        fi
    fi
    sleep 0.5
done
started_after_a_minute() {
    [ -n "$started" ] && [ "$started" -ge 55 ]
}
check "a minute's idleness starts the clock (after ${started:-no}s idle; program seen: $seen)" \
    started_after_a_minute
check "the clock fills the screen" [ "$(pixel "$WORK/idle.png" 1023 0)" = "$SAVER_GREY" ]
# What the host and the clock said, so that a failure shows its reason.
[ -n "$started" ] || sed 's/^/    host: /' "$WORK/host.err"

xdotool key space
ended=
for _ in $(seq 50); do
    if [ -z "$(saver_pid)" ]; then
        ended=yes
        break
    fi
    sleep 0.1
done
check "a key press ends the clock" [ "$ended" = yes ]
shot "$WORK/after.png"
check "the session's screen is back" [ "$(pixel "$WORK/after.png" 0 0)" != "$SAVER_GREY" ]
check "the host keeps watching" kill -0 "$HOST_PID"
check "the host reported no error" \
    bash -c '! grep -E "^(veltrane-idle-host|xautolock)" "$1"' _ "$WORK/host.err"

finish
