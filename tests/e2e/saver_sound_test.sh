# The tick and the chimes as the session's sound server plays them: a
# private server whose output is captured, live and timed against the wall
# clock, from before the saver starts.
. "$(dirname "$0")/saver_lib.sh"
. "$(dirname "$0")/sound_lib.sh"

start_display 1024x768
APP=$WORK/app
install_program "$APP"
install_real_assets "$APP"
start_sound_server
start_capture
trap 'stop_sound_server; cleanup' EXIT

# start_pinned "YYYY-mm-dd HH:MM:SS" SETTINGS...: the saver with its clock
# reading that time now, its seconds turning with the wall clock's.
start_pinned() {
    settings "$APP" "${@:2}"
    pin_clock "$1"
    TZ=UTC FAKETIME=$CLOCK_OFFSET FAKETIME_DONT_FAKE_MONOTONIC=1 LD_PRELOAD=$FAKETIME_LIB \
        "$APP/veltrane" /s >"$WORK/saver.out" 2>&1 &
    SAVER_PID=$!
}

# sounds_until "HH:MM:SS": lets the pinned clock run until that time of its
# day, ends it, and writes the sounds it made to $WORK/sounds once the last
# of them (a chime rings 4.5 s) has been played whole.
sounds_until() {
    local from=$(date +%s) to=$(wall_second "2026-12-06 $1")
    wait_for 15 captured_to "$to"
    stop_saver
    wait_for 15 captured_to $(($(date +%s) + 5))
    sounds "$from" "$to" >"$WORK/sounds"
    echo "sounds (start, length, peak):"
    sed 's/^/    /' "$WORK/sounds"
}

# sound_starts_at "HH:MM:SS" [long]: a sound (a long one: a chime) starts in
# that second of the pinned clock.
sound_starts_at() {
    local w=$(wall_second "2026-12-06 $1")
    awk -v w="$w" -v long="${2:-}" '$1 >= w && $1 < w + 1 && (long == "" || $2 > 1) { n++ } END { exit !n }' \
        "$WORK/sounds"
}
# All within 50 ms after their seconds, but for one that a loaded machine
# may have woken late.
within_50ms() {
    onset_ms <"$WORK/sounds" | awk '$1 < 0 || $1 > 250 { bad = 1 } $1 > 50 { late++ } END { exit bad || late > 1 }'
}
sound_count() { wc -l <"$WORK/sounds"; }
# A chime rings on for seconds; a tick over it seems to ring as long.
chime_count() { awk '$2 > 1 && $1 >= ringing { n++ } $2 > 1 && $1 + $2 > ringing { ringing = $1 + $2 }
                     END { print n + 0 }' "$WORK/sounds"; }
client_connected() { pactl list clients short | grep -q veltrane; }

start_pinned "2026-12-06 10:14:57" "secondHand = 1" "secondSound = 1" "fifteenhourSound = 1"
check "the saver is a client of the sound server" wait_for 5 client_connected
sounds_until 10:15:02
# The first second after a start may pass while the saver loads.
check "a tick at 10:14:59, 10:15:00 and :01" eval 'sound_starts_at 10:14:59 && sound_starts_at 10:15:00 &&
                                                   sound_starts_at 10:15:01'
check "one chime, with the tick of 10:15:00" eval '[ "$(chime_count)" = 1 ] && sound_starts_at 10:15:00 long'
check "the sounds start within 50 ms after their seconds ($(onset_ms <"$WORK/sounds" | xargs) ms)" within_50ms

start_pinned "2026-12-06 10:59:58" "hourSound = 1"
sounds_until 11:00:02
check "only the hour chime, no ticks" eval '[ "$(sound_count)" = 1 ] && sound_starts_at 11:00:00 long'
# The saver ended at 11:00:02; the chime it started plays to its end.
chime_end=$(level_at "$(awk '{ printf "%.3f", $1 + 4.0 }' "$WORK/sounds")")
check "the hour chime rings on after the saver ends (level $chime_end 4 s in)" test "$chime_end" -gt 20

# redrawn: the screen differs from the last look ($WORK/last.png).
redrawn() {
    shot "$WORK/now.png" && [ "$(compare -metric AE "$WORK/last.png" "$WORK/now.png" null: 2>&1)" != 0 ] &&
        mv "$WORK/now.png" "$WORK/last.png"
}
# The face shown, then the second hand moved twice: the frame loop runs, and
# its sounds were opened before it began.
runs_on() { wait_for 5 redrawn && wait_for 5 redrawn && wait_for 5 redrawn; }

shot "$WORK/last.png"
start_pinned "2026-12-06 12:00:00" "secondHand = 1"
check "no sound switched on: no connection" eval 'runs_on && ! client_connected'
stop_saver >/dev/null

start_pinned "2026-12-06 12:00:00" "secondHand = 1" "secondSound = 1"
wait_for 5 client_connected
stop_sound_server
check "the clock goes on when its sound server goes away" runs_on
stop_saver
check "and ends with 0 on a key" test "$WAIT_STATUS" = 0

finish
