#!/usr/bin/env bash
# CPU and memory of the running saver at 1920x1080 in a virtual display,
# beside a plain analogue X clock measured the same way.
#   bench/saver_cpu.sh BUILD_DIR [SECONDS]
set -euo pipefail
BUILD=$(cd "${1:?build dir}" && pwd)
SECONDS_TO_RUN=${2:-60}
HZ=$(getconf CLK_TCK)

. "$(dirname "$0")/../scripts/xvfb.sh"
start_xvfb 1920x1080
trap stop_xvfb EXIT

ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
rss() { awk '/VmRSS/ { print $2 }' "/proc/$1/status"; }

# measure NAME PID: CPU share over SECONDS_TO_RUN after a 3 s settling time.
measure() {
    local name=$1 pid=$2
    sleep 3
    local t0 r0 start end
    t0=$(ticks "$pid")
    r0=$(rss "$pid")
    start=$(date +%s.%N)
    sleep "$SECONDS_TO_RUN"
    end=$(date +%s.%N)
    awk -v n="$name" -v a="$t0" -v b="$(ticks "$pid")" -v hz="$HZ" -v s="$start" -v e="$end" \
        -v r0="$r0" -v r1="$(rss "$pid")" \
        'BEGIN { printf "%s: %.2f %% of one core over %.0f s; RSS %.1f MB at start, %.1f MB at end\n",
                 n, 100 * (b - a) / hz / (e - s), e - s, r0 / 1024, r1 / 1024 }'
}

APP=$(mktemp -d)
cp "$BUILD/veltrane" "$APP/"
cp -r "$BUILD/morviksoft" "$APP/"
printf '[saver]\nclockType = 0\nsecondHand = 1\n' > "$APP/veltrane.cfg"
"$APP/veltrane" /s 2>/dev/null &
SAVER=$!
measure "veltrane /s (style 0, second hand on)" $SAVER
xdotool key space
wait $SAVER || true
rm -rf "$APP"

if command -v xclock >/dev/null; then
    xclock -analog -update 1 -geometry 1920x1080 &
    XCLOCK=$!
    measure "xclock -analog -update 1 -geometry 1920x1080" $XCLOCK
    kill $XCLOCK
fi
