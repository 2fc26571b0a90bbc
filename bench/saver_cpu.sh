#!/usr/bin/env bash
# CPU, wake-ups and memory of the running saver beside a plain analogue X
# clock, each in a private 1920x1080 virtual display, measured side by side
# over the same seconds, with each one's X server.
#   bench/saver_cpu.sh BUILD_DIR [SECONDS] [tick]
# The saver shows style 0 with the second hand; with "tick" it also ticks,
# into a private sound server whose output goes nowhere.
set -euo pipefail
BUILD=$(cd "${1:?build dir}" && pwd)
SECONDS_TO_RUN=${2:-60}
SETTINGS=$'[saver]\nclockType = 0\nsecondHand = 1\n'
[ "${3:-}" = tick ] && SETTINGS+=$'secondSound = 1\n'
HZ=$(getconf CLK_TCK)
WORK=$(mktemp -d)
PIDS=()
trap 'kill "${PIDS[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$WORK"' EXIT

. "$(dirname "$0")/../scripts/xvfb.sh"
# start_display VAR: a private display of its own for each program measured.
start_display() {
    start_xvfb 1920x1080
    PIDS+=("$XVFB_PID")
    printf -v "$1" '%s' "$DISPLAY"
    printf -v "$1_PID" '%s' "$XVFB_PID"
    XVFB_PID=
}

# All threads of a process: CPU ticks and context switches (each switch is
# a wake-up or a preemption).
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
switches() { cat /proc/"$1"/task/*/status | awk '/ctxt_switches/ { s += $2 } END { print s }'; }
rss() { awk '/^VmRSS/ { print $2 }' "/proc/$1/status"; }
pss() { awk '/^Pss:/ { print $2 }' "/proc/$1/smaps_rollup"; }

if [ "${3:-}" = tick ]; then
    export XDG_RUNTIME_DIR=$WORK/pulse HOME=$WORK/pulse PULSE_SERVER=unix:$WORK/pulse/socket
    mkdir -p "$XDG_RUNTIME_DIR"
    pulseaudio -n --daemonize=no --use-pid-file=no --exit-idle-time=-1 \
        -L "module-native-protocol-unix auth-anonymous=1 socket=$WORK/pulse/socket" \
        -L "module-null-sink" >/dev/null 2>&1 &
    PIDS+=($!)
    for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
fi
start_display SAVER_DISPLAY
start_display XCLOCK_DISPLAY

APP=$WORK/app
mkdir -p "$APP"
cp "$BUILD/veltrane" "$APP/"
cp -r "$BUILD/morviksoft" "$APP/"
printf '%s' "$SETTINGS" > "$APP/veltrane.cfg"
DISPLAY=$SAVER_DISPLAY XDG_CONFIG_HOME=$WORK/config "$APP/veltrane" /s 2>/dev/null &
SAVER=$!
PIDS+=($SAVER)
DISPLAY=$XCLOCK_DISPLAY xclock -analog -update 1 -geometry 1920x1080+0+0 &
XCLOCK=$!
PIDS+=($XCLOCK)
sleep 3   # both settle: the first frames are drawn

names=("veltrane /s" "its X server" "xclock -analog -update 1" "its X server")
pids=("$SAVER" "$SAVER_DISPLAY_PID" "$XCLOCK" "$XCLOCK_DISPLAY_PID")
declare -a t0 s0 r0
for i in "${!pids[@]}"; do
    t0[i]=$(ticks "${pids[i]}"); s0[i]=$(switches "${pids[i]}"); r0[i]=$(rss "${pids[i]}")
done
start=$(date +%s.%N)
sleep "$SECONDS_TO_RUN"
end=$(date +%s.%N)
printf '| | CPU, %% of a core | wake-ups a second, all threads | RSS | PSS |\n|---|---|---|---|---|\n'
for i in "${!pids[@]}"; do
    p=${pids[i]}
    awk -v n="${names[i]}" -v t0="${t0[i]}" -v t1="$(ticks "$p")" -v s0="${s0[i]}" -v s1="$(switches "$p")" \
        -v r0="${r0[i]}" -v r1="$(rss "$p")" -v pss="$(pss "$p")" -v hz="$HZ" -v a="$start" -v b="$end" -v srv=$((i % 2)) \
        'BEGIN { d = b - a
                 mem = srv ? "| |" : sprintf("| %.1f MB (%.1f at start) | %.1f MB |", r1 / 1024, r0 / 1024, pss / 1024)
                 printf "| %s | %.3f | %.1f %s\n", n, 100 * (t1 - t0) / hz / d, (s1 - s0) / d, mem }'
done
echo "($SECONDS_TO_RUN s, $(nproc) cores)"
