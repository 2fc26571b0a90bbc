# The sound tests' private sound server and a live capture of what it plays,
# timed against the wall clock (source it after lib.sh). The server's one
# output is a null sink that mixes in fixed blocks, never going back over a
# block mixed, so a sound's place in the capture is where the sink plays it.

SOUND_EVENTS=$BUILD/tests/e2e/sound_events

# start_sound_server: sets PULSE_PID; exports PULSE_SERVER, and a private HOME
# and XDG_RUNTIME_DIR for the files of the server and of its clients.
start_sound_server() {
    export XDG_RUNTIME_DIR=$WORK/pulse HOME=$WORK/pulse PULSE_SERVER=unix:$WORK/pulse/socket
    mkdir -p "$XDG_RUNTIME_DIR"
    pulseaudio -n --daemonize=no --use-pid-file=no --exit-idle-time=-1 \
        -L "module-native-protocol-unix auth-anonymous=1 socket=$WORK/pulse/socket" \
        -L "module-null-sink sink_name=clock norewinds=1 format=s16le rate=44100 channels=2" \
        >"$WORK/pulse.log" 2>&1 &
    PULSE_PID=$!
    wait_for 10 sound_server_up
}
sound_server_up() { pactl info >/dev/null 2>&1; }

# start_capture: records the sink into $CAPTURE from now on; returns once the
# first frames are in, so that no sound started later is missed.
start_capture() {
    CAPTURE=$WORK/capture.raw
    rm -f "$CAPTURE" "$CAPTURE.t0" "$WORK/pulse/capture"
    mkfifo "$WORK/pulse/capture"
    "$SOUND_EVENTS" --record "$CAPTURE" <"$WORK/pulse/capture" &
    local recorder=$!
    parec -d clock.monitor --raw --format=s16le --rate=44100 --channels=2 --latency-msec=10 \
        >"$WORK/pulse/capture" 2>"$WORK/parec.log" &
    CAPTURE_PIDS="$! $recorder"
    wait_for 10 test -s "$CAPTURE.t0" || return 1
    # Frames reach the capture a block (the latency it asks for) before they play.
    SINK_LATENCY=$(pactl list sinks | awk '/Name: clock$/ { s = 1 }
        s && /Latency:/ { printf "%.6f", $(NF - 1) / 1e6; exit }')
}

stop_capture() {
    [ -z "${CAPTURE_PIDS:-}" ] || { kill $CAPTURE_PIDS; wait $CAPTURE_PIDS; } 2>/dev/null || true
    CAPTURE_PIDS=
}
stop_sound_server() {
    stop_capture
    [ -z "${PULSE_PID:-}" ] || { kill $PULSE_PID; wait $PULSE_PID; } 2>/dev/null || true
    PULSE_PID=
}

# The wall-clock time at which the sink played the capture's first frame.
capture_start() { awk -v l="$SINK_LATENCY" '{ printf "%.6f", $1 + l }' "$CAPTURE.t0"; }

# captured_to TIME: the capture holds what played until TIME (4 bytes a frame).
captured_to() {
    awk -v t="$1" -v s="$(capture_start)" -v n="$(stat -c %s "$CAPTURE")" \
        'BEGIN { exit !(s + n / 4 / 44100 >= t) }'
}

# sounds FROM TO: the sounds that started from FROM to TO (seconds since the
# epoch), as sound_events prints them with wall-clock starts.
sounds() {
    "$SOUND_EVENTS" "$CAPTURE" "$(capture_start)" | awk -v a="$1" -v b="$2" '$1 >= a && $1 < b'
}

# level_at TIME: the loudness (RMS) of the 100 ms played from TIME on.
level_at() {
    local frame=$(awk -v t="$1" -v s="$(capture_start)" 'BEGIN { printf "%d", (t - s) * 44100 }')
    tail -c +$((frame * 4 + 1)) "$CAPTURE" | head -c 17640 | od -An -v -td2 -w4 |
        awk '{ v = ($1 + $2) / 2; s += v * v; n++ } END { printf "%d\n", n ? sqrt(s / n) : 0 }'
}

# onset_ms: each sound's start (stdin) in ms after the nearest second.
onset_ms() { awk '{ f = $1 - int($1); printf "%.0f\n", (f >= 0.5 ? f - 1 : f) * 1000 }'; }

# pin_clock "YYYY-mm-dd HH:MM:SS": sets CLOCK_OFFSET, the faketime setting
# that makes a clock read that UTC time now, whole seconds off the real one.
pin_clock() {
    local s=$(($(date -u -d "$1 UTC" +%s) - $(date +%s)))
    CLOCK_OFFSET=$([ $s -ge 0 ] && echo "+$s" || echo "$s")
}

# wall_second "YYYY-mm-dd HH:MM:SS": the real second the pinned clock reads so.
wall_second() { echo $(($(date -u -d "$1 UTC" +%s) - CLOCK_OFFSET)); }
