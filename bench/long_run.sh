#!/usr/bin/env bash
# The long run: the trace build of the saver with every chime and the tick
# on, sound going to a discarding sound server, under faketime at RATE.
set -u
BUILD=$(realpath "${1:?usage: long_run.sh BUILD_DIR (configured with -DVELTRANE_TRACE=ON) [WORK_DIR]}")
WORK=${2:-$(mktemp -d /tmp/veltrane-long.XXXXXX)}
mkdir -p "$WORK" && cd "$WORK" || exit 1
mkdir -p app/morviksoft/veltrane pulse
cp "$BUILD/veltrane" app/ && cp "$BUILD"/morviksoft/veltrane/* app/morviksoft/veltrane/
printf "[saver]\nclockType = 3\nsecondHand = 1\nsecondSound = 1\nhourSound = 1\nfifteenhourSound = 1\nhalfhourSound = 1\nfortyfivehourSound = 1\n" > app/veltrane.cfg
echo "working in $WORK"
RATE=${RATE:-100}
. "$(dirname "$(realpath "$0")")/../scripts/xvfb.sh"
start_xvfb 1024x768
export XDG_RUNTIME_DIR=$PWD/pulse HOME=$PWD/pulse PULSE_SERVER=unix:$PWD/pulse/socket
pulseaudio -n --daemonize=no --use-pid-file=no --exit-idle-time=-1 \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$PWD/pulse/socket" \
    -L "module-null-sink" >pulse.log 2>&1 &
PULSE=$!
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
TZ=UTC FAKETIME="@2026-12-06 00:00:00 x$RATE" \
    LD_PRELOAD='/usr/$LIB/faketime/libfaketime.so.1' app/veltrane /s 2>trace.log &
SAVER=$!
echo "saver $SAVER xvfb $XVFB_PID pulse $PULSE" > pids
: > rss.log
end=$((SECONDS + 86400 / RATE + 30))
while [ $SECONDS -lt $end ] && kill -0 $SAVER 2>/dev/null; do
    echo "$SECONDS $(awk '/VmRSS/ {print $2}' /proc/$SAVER/status) $(tail -n 1 trace.log | cut -c1-27)" >> rss.log
    sleep 10
done
xdotool key space
for _ in $(seq 50); do kill -0 $SAVER 2>/dev/null || break; sleep 0.1; done
kill $SAVER 2>/dev/null
kill $PULSE
stop_xvfb
echo finished >> rss.log
