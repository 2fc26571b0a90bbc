#!/usr/bin/env bash
# The clock's sounds measured on their own, played by bench/sound_probe as
# the frame loop plays them, into a private sound server:
#  1. when each tick and chime is played against its wall-clock second,
#     from a live capture of the server's output (tests/e2e/sound_lib.sh);
#  2. the wake-ups and CPU of the probe and of the server over SECONDS, tick
#     on against sounds off, with no capture running. The server then plays
#     into a plain null sink that goes back over what it mixed to start a new
#     sound at once, as a sound card's sink does, and suspends it when idle,
#     as a desktop's server does.
#   bench/sound_bench.sh BUILD_DIR [SECONDS]
set -euo pipefail
BUILD=$(cd "${1:?build dir}" && pwd)
SRC=$(cd "$(dirname "$0")/.." && pwd)
SECONDS_TO_RUN=${2:-60}
VELTRANE_BUILD_DIR=$BUILD VELTRANE_SOURCE_DIR=$SRC . "$SRC/tests/e2e/lib.sh"
. "$SRC/tests/e2e/sound_lib.sh"
cmake --build "$BUILD" --target sound_probe sound_events >/dev/null
PROBE=$BUILD/bench/sound_probe
ASSETS=$BUILD/morviksoft/veltrane
trap 'stop_sound_server; cleanup' EXIT
start_sound_server

# 1. Onsets: 20 seconds, the chime every fifth.
start_capture
from=$(date +%s)
"$PROBE" "$ASSETS" 20 tick chime=5 >"$WORK/probe.out"
wait_for 10 captured_to $(($(date +%s) + 1))
sounds "$from" $((from + 60)) >"$WORK/onsets"
stop_capture
sent=$(grep -c '^sent' "$WORK/probe.out")
echo "Onsets: $sent seconds sent, $(wc -l <"$WORK/onsets") sounds heard" \
    "(the sink plays in blocks of $(awk -v l="$SINK_LATENCY" 'BEGIN { print l * 1000 }') ms)"
# A chime rings for seconds, and a tick over it seems to ring as long: a
# chime is a long sound that starts when no other is ringing.
for kind in tick chime; do
    awk -v k=$kind '{ c = $2 > 1.0 && $1 >= ringing } $2 > 1.0 && $1 + $2 > ringing { ringing = $1 + $2 }
                    (k == "chime") == c' "$WORK/onsets" | onset_ms | sort -n |
        awk -v k=$kind '{ v[NR] = $1 } END { if (NR) printf "  %s: %d, ms after the second: min %d, median %d, max %d\n",
                                             k, NR, v[1], v[int((NR + 1) / 2)], v[NR] }'
done
awk '{ f = $2 - int($2); printf "%.0f\n", f * 1000 }' <(grep '^sent' "$WORK/probe.out") | sort -n |
    awk '{ v[NR] = $1 } END { printf "  sent, ms after the second: min %d, median %d, max %d\n", v[1], v[int((NR + 1) / 2)], v[NR] }'

# 2. Cost.
pactl load-module module-null-sink sink_name=plain format=s16le rate=44100 channels=2 >/dev/null
pactl load-module module-suspend-on-idle >/dev/null
pactl set-default-sink plain
sleep 6  # the idle sinks suspended

# CPU time in ns and context switches (wake-ups and preemptions) of all the
# threads of a process.
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ s += $1 } END { printf "%.0f", s }'; }
switches() { cat /proc/"$1"/task/*/status | awk '/ctxt_switches/ { s += $2 } END { printf "%.0f", s }'; }

# measure LABEL PROBE-ARGS...: a table row each for the probe and the server.
measure() {
    local label=$1
    shift
    "$PROBE" "$ASSETS" $((SECONDS_TO_RUN + 4)) "$@" >/dev/null &
    local probe=$!
    sleep 2  # opened, and past its first seconds
    local pc=$(cpu_ns $probe) ps=$(switches $probe) sc=$(cpu_ns "$PULSE_PID") ss=$(switches "$PULSE_PID")
    local threads=$(ls /proc/$probe/task | wc -l) start=$(date +%s.%N)
    sleep "$SECONDS_TO_RUN"
    local end=$(date +%s.%N)
    awk -v l="$label" -v t="$threads" -v a="$start" -v b="$end" \
        -v pc="$pc" -v pc1="$(cpu_ns $probe)" -v ps="$ps" -v ps1="$(switches $probe)" \
        -v sc="$sc" -v sc1="$(cpu_ns "$PULSE_PID")" -v ss="$ss" -v ss1="$(switches "$PULSE_PID")" \
        'BEGIN { d = b - a
                 printf "| %s | probe (%d thread%s) | %.4f | %.2f |\n", l, t, (t > 1 ? "s" : ""), (pc1 - pc) / d / 1e7, (ps1 - ps) / d
                 printf "| %s | sound server | %.4f | %.2f |\n", l, (sc1 - sc) / d / 1e7, (ss1 - ss) / d }'
    wait $probe
}
echo
printf '| | | CPU, %% of a core | wake-ups a second, all threads |\n|---|---|---|---|\n'
measure "sounds off"
measure "tick on" tick
echo "($SECONDS_TO_RUN s each, $(nproc) cores)"
