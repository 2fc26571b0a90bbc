#!/usr/bin/env bash
# CPU, wake-ups and memory of the running saver in a Wayland session, with
# its compositor: a headless sway with one 1920x1080 output, measured over
# the same seconds as bench/saver_cpu.sh measures the saver on X11.
#   bench/wayland_cpu.sh BUILD_DIR [SECONDS]
# The saver shows style 0 with the second hand, sounds off. sway idles
# alone first for as long, for its own share without the clock.
set -euo pipefail
BUILD=$(cd "${1:?build dir}" && pwd)
SECONDS_TO_RUN=${2:-60}
export VELTRANE_BUILD_DIR=$BUILD VELTRANE_SOURCE_DIR=$(cd "$(dirname "$0")/.." && pwd)
. "$VELTRANE_SOURCE_DIR/tests/e2e/saver_lib.sh"
. "$SRC/tests/wayland/wayland_lib.sh"
HZ=$(getconf CLK_TCK)

ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
switches() { cat /proc/"$1"/task/*/status | awk '/ctxt_switches/ { s += $2 } END { print s }'; }
# measure NAME PID...: one row per process over SECONDS_TO_RUN.
measure() {
    local name=$1 p i
    shift
    local t0=() s0=() start end
    for p in "$@"; do t0+=("$(ticks "$p")"); s0+=("$(switches "$p")"); done
    start=$(date +%s.%N)
    sleep "$SECONDS_TO_RUN"
    end=$(date +%s.%N)
    i=0
    for p in "$@"; do
        awk -v n="$name, $(cat "/proc/$p/comm")" -v t0="${t0[i]}" -v t1="$(ticks "$p")" -v s0="${s0[i]}" \
            -v s1="$(switches "$p")" -v hz="$HZ" -v a="$start" -v b="$end" \
            -v rss="$(awk '/^VmRSS/ { print $2 }' "/proc/$p/status")" \
            -v pss="$(awk '/^Pss:/ { print $2 }' "/proc/$p/smaps_rollup")" \
            'BEGIN { d = b - a; printf "| %s | %.3f | %.1f | %.1f MB | %.1f MB |\n", n, 100 * (t1 - t0) / hz / d,
                     (s1 - s0) / d, rss / 1024, pss / 1024 }'
        i=$((i + 1))
    done
}

APP=$WORK/app
install_program "$APP"
install_real_assets "$APP"
settings "$APP" "clockType = 0" "secondHand = 1"
start_sway 1920x1080
sleep 3
printf '| | CPU, %% of a core | wake-ups a second, all threads | RSS | PSS |\n|---|---|---|---|---|\n'
measure "sway alone" "$COMPOSITOR_PID"
as_user "$APP/veltrane" /s >/dev/null 2>&1 &
SAVER_PID=$!
wait_for 10 eval '[ -n "$(saver_pid)" ]'
sleep 3   # the first frames are drawn
measure "with the clock" "$(saver_pid)" "$COMPOSITOR_PID"
saver_signal TERM
echo "($SECONDS_TO_RUN s each, $(nproc) cores)"
