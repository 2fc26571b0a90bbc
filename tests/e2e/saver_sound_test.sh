# The tick and the chimes, captured for real: a private sound server whose
# only output is a pipe, clocked by the system clock, and the saver's sound
# going to it through the usual ALSA default device.
. "$(dirname "$0")/saver_lib.sh"

start_display 1024x768
APP=$WORK/app
install_program "$APP"
install_real_assets "$APP"

export XDG_RUNTIME_DIR=$WORK/pulse HOME=$WORK/pulse PULSE_SERVER=unix:$WORK/pulse/socket
mkdir -p "$XDG_RUNTIME_DIR"
mkfifo "$WORK/pulse/out"
cat "$WORK/pulse/out" > "$WORK/capture.raw" &
CAT_PID=$!
pulseaudio -n --daemonize=no --use-pid-file=no --exit-idle-time=-1 \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$WORK/pulse/socket" \
    -L "module-pipe-sink file=$WORK/pulse/out format=s16le rate=44100 channels=2 use_system_clock_for_timing=yes" \
    >"$WORK/pulse.log" 2>&1 &
PULSE_PID=$!
trap 'kill $PULSE_PID $CAT_PID 2>/dev/null; cleanup' EXIT
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done

# capture NAME SECONDS "YYYY-mm-dd HH:MM:SS" SETTINGS...: runs the saver at
# that time for SECONDS and writes the sounds it made to $WORK/NAME.events.
capture() {
    local name=$1 seconds=$2 start=$3
    shift 3
    settings "$APP" "$@"
    local from=$(( $(stat -c %s "$WORK/capture.raw") / 4 * 4 ))
    FAKETIME_DONT_FAKE_MONOTONIC=1 start_saver "$APP" "$start"
    sleep "$seconds"
    stop_saver
    # What the server still had queued: half a second more of its output
    # (44100 frames of 4 bytes a second).
    local enough=$(( $(stat -c %s "$WORK/capture.raw") + 88200 )) end=$((SECONDS + 5))
    while [ "$(stat -c %s "$WORK/capture.raw")" -lt $enough ] && [ $SECONDS -lt $end ]; do
        sleep 0.05
    done
    tail -c +$((from + 1)) "$WORK/capture.raw" > "$WORK/$name.raw"
    "$BUILD/tests/e2e/sound_events" "$WORK/$name.raw" > "$WORK/$name.events"
    echo "$name: $(wc -l < "$WORK/$name.events") sounds (start, length, level):"
    sed 's/^/    /' "$WORK/$name.events"
}

# Sounds that ring on for over a second and did not start while an earlier
# one was still ringing (a tick over a chime rings on with it).
long_sounds() {
    awk '$2 > 1.0 && $1 >= ringing { n++ } $2 > 1.0 && $1 + $2 > ringing { ringing = $1 + $2 }
         END { print n + 0 }' "$WORK/$1.events"
}
sound_count() { wc -l < "$WORK/$1.events"; }
# Every gap between consecutive starts lies within 1 s +- 100 ms: on a
# loaded machine a tick may fall a 50 ms period late.
once_a_second() {
    awk 'NR > 1 { d = $1 - prev; if (d < 0.9 || d > 1.1) bad = 1 } { prev = $1 }
         END { exit bad }' "$WORK/$1.events"
}

# 10:14:57 start: ticks at :58, :59, :00 (with the quarter chime), :01, ...
capture quarter 5.5 "2026-12-06 10:14:57" "secondSound = 1" "fifteenhourSound = 1"
check "a tick every second" test "$(sound_count quarter)" -ge 4
check "ticks are one second apart" once_a_second quarter
check "exactly one chime" test "$(long_sounds quarter)" = 1
check "the chime starts with the tick of 10:15:00 (the third)" \
    test "$(awk 'NR == 3 { print ($2 > 1.0) }' "$WORK/quarter.events")" = 1
check "the ticks before the chime are short" \
    test "$(awk 'NR <= 2 && $2 < 0.1' "$WORK/quarter.events" | wc -l)" = 2

# Which switch plays what is checked in memory; here only that a chime alone
# opens the sound device.
capture hour_only 4.5 "2026-12-06 10:59:57" "secondSound = 0" "hourSound = 1"
check "only the hour chime, no ticks" test "$(sound_count hour_only)" = 1
check "the hour chime rings on" test "$(long_sounds hour_only)" = 1

finish
