#!/bin/bash
# The idle host's options, and the program reached through xautolock's shell
# however odd its path: a stand-in xautolock on PATH runs the locker at once, a
# stand-in program records how it was started. The real xautolock's minute is
# checked by hand (docs/linux-host.md).
. "$VELTRANE_SOURCE_DIR/tests/e2e/lib.sh"
HOST=$SRC/scripts/veltrane-idle-host
APP="$WORK/my app's folder"   # a blank and a quote must survive xautolock's sh -c
mkdir -p "$APP" "$WORK/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$0" "$@" >"%s/ran"\n' "$WORK" >"$APP/veltrane"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >"%s/xautolock.args"\n%s\n' "$WORK" \
    'while [ $# -gt 0 ]; do [ "$1" = -locker ] && locker=$2; shift; done; exec sh -c "$locker"' \
    >"$WORK/bin/xautolock"
chmod +x "$APP/veltrane" "$WORK/bin/xautolock"
# Installed, the host sits beside the program and is started through a link.
cp "$HOST" "$APP/veltrane-idle-host"
ln -s "$APP/veltrane-idle-host" "$WORK/bin/veltrane-idle-host"
export PATH="$WORK/bin:/usr/bin:/bin" DISPLAY=:stand-in

# refuses CODE MESSAGE ARGS...: the host ends with CODE and says MESSAGE.
refuses() {
    local code=$1 message=$2 got
    shift 2
    "$@" >/dev/null 2>"$WORK/err"
    got=$?
    check "'${*: -2}' ends with $code ($got) and says '$message' ($(head -c 120 "$WORK/err"))" \
        eval '[ "$got" = "$code" ] && grep -q -- "$message" "$WORK/err"'
}
refuses 2 "shortest idle time" "$HOST" --minutes 0 --program "$APP/veltrane"
refuses 2 "whole number" "$HOST" --minutes 1x --program "$APP/veltrane"
refuses 2 "usage" "$HOST" --hours 5
refuses 1 "not a program" "$HOST" --program "$WORK/none"
DISPLAY= refuses 1 "DISPLAY is not set" "$HOST" --program "$APP/veltrane"
refuses 1 "xautolock is missing" env PATH="$WORK/none" /bin/sh "$HOST" --program "$APP/veltrane"
refuses 2 "needs a Wayland session" "$HOST" --seconds 5 --program "$APP/veltrane"
WAYLAND_DISPLAY=wayland-0 refuses 2 "1 to 4294967 seconds" "$HOST" --minutes 71583 --program "$APP/veltrane"

# started MINUTES COMMAND...: xautolock was asked for MINUTES and to reset the
# server's saver, and its locker ran the program with /s, the path intact.
started() {
    local minutes=$1
    shift
    rm -f "$WORK/ran" "$WORK/xautolock.args"
    "$@" 2>"$WORK/err"
    check "'${*: -2}': $minutes minutes, ran $(tr '\n' ' ' <"$WORK/ran" 2>&1) ($(head -c 120 "$WORK/err"))" eval \
        'grep -qx -- -time "$WORK/xautolock.args" && grep -qx $minutes "$WORK/xautolock.args" &&
         grep -qx -- -resetsaver "$WORK/xautolock.args" && [ "$(cat "$WORK/ran")" = "$(printf "%s\n/s" "$APP/veltrane")" ]'
}
started 3 "$HOST" --minutes 3 --program "$APP/veltrane"
started 3 "$HOST" --minutes=3 --program="$APP/veltrane"
# Without --program, started through a link: the program beside the host.
started 10 sh -c 'cd / && exec veltrane-idle-host'

# In a Wayland session the watch beside the host is started instead, given
# seconds (the real one is tested under sway).
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >"%s/watch.args"\n' "$WORK" >"$APP/veltrane-idle-watch"
chmod +x "$APP/veltrane-idle-watch"
for run in "180:--minutes 3" "7:--seconds 7"; do
    WAYLAND_DISPLAY=wayland-0 "$WORK/bin/veltrane-idle-host" ${run#*:} 2>"$WORK/err"
    check "Wayland, ${run#*:}: the watch for ${run%%:*} s runs the program with /s ($(head -c 120 "$WORK/err"))" \
        [ "$(cat "$WORK/watch.args")" = "$(printf '%s\n%s\n/s' "${run%%:*}" "$APP/veltrane")" ]
done
finish
