# The tick and the chimes as a private sound server plays them, its output
# captured live and timed against the wall clock from before the saver starts.
. "$(dirname "$0")/saver_lib.sh"
. "$(dirname "$0")/sound_lib.sh"

start_display 1024x768
APP=$WORK/app
install_program "$APP"
install_real_assets "$APP"
start_sound_server
start_capture
trap 'stop_sound_server; cleanup' EXIT

redrawn() {  # the screen differs from the last look
    shot "$WORK/now.png" && [ "$(compare -metric AE "$WORK/last.png" "$WORK/now.png" null: 2>&1)" != 0 ] &&
        mv "$WORK/now.png" "$WORK/last.png"
}
# The face shown, then the second hand moved twice: the frame loop runs, and
# its sounds were opened before it began.
runs_on() { wait_for 5 redrawn && wait_for 5 redrawn && wait_for 5 redrawn; }

# start_pinned "YYYY-mm-dd HH:MM:SS" SETTINGS...: the saver, with the second
# hand, started a minute before that time; once its frame loop runs, its
# clock is set to read that time now, and its seconds turn with the wall
# clock's. So no second a check looks at passes while the saver loads.
start_pinned() {
    settings "$APP" "secondHand = 1" "${@:2}"
    pin_clock "$(date -u -d "$1 UTC 1 minute ago" '+%F %T')"
    echo "$CLOCK_OFFSET" >"$WORK/offset"
    shot "$WORK/last.png"
    TZ=UTC FAKETIME_TIMESTAMP_FILE=$WORK/offset FAKETIME_NO_CACHE=1 FAKETIME_DONT_FAKE_MONOTONIC=1 \
        LD_PRELOAD=$FAKETIME_LIB "$APP/veltrane" /s >"$WORK/saver.out" 2>&1 &
    SAVER_PID=$!
    runs_on
    pin_clock "$1"
    echo "$CLOCK_OFFSET" >"$WORK/offset.new" && mv "$WORK/offset.new" "$WORK/offset"
    STARTED=$(date +%s)
}

# sounds_until "HH:MM:SS": runs the pinned clock until that time; the sounds
# it made since it was pinned in $WORK/sounds, the last played whole.
sounds_until() {
    local to=$(wall_second "2026-12-06 $1")
    wait_for 15 captured_to "$to"
    stop_saver
    wait_for 15 captured_to $(($(date +%s) + 5))
    sounds "$STARTED" "$to" >"$WORK/sounds"
    echo "sounds (start, length, peak, largest sample):"
    sed 's/^/    /' "$WORK/sounds"
}

# sound_starts_at "HH:MM:SS" [long]: a sound (a chime) starts in that second.
sound_starts_at() {
    local w=$(wall_second "2026-12-06 $1")
    awk -v w="$w" -v long="${2:-}" '$1 >= w && $1 < w + 1 && (long == "" || $2 > 1) { n++ } END { exit !n }' \
        "$WORK/sounds"
}
# Within 50 ms after their seconds: at least half of them, as a loaded
# machine may wake the clock late, and none over 250 ms.
within_50ms() {
    onset_ms <"$WORK/sounds" | awk '$1 < 0 || $1 > 250 { bad = 1 } $1 <= 50 { n++ } END { exit bad || 2 * n < NR }'
}
chime_count() {  # long sounds, less the ticks over a ringing chime, which seem to ring as long
    awk '$2 > 1 && $1 >= r { n++ } $2 > 1 && $1 + $2 > r { r = $1 + $2 } END { print n + 0 }' "$WORK/sounds"; }
client_connected() { pactl list clients short | grep -q veltrane; }
TICK_PEAK=$(od -An -v -td2 -j44 "$APP/morviksoft/veltrane/tick.wav" |
    awk '{ for (i = 1; i <= NF; i++) if ($i > m || -$i > m) m = $i < 0 ? -$i : $i } END { print m }')
# Missed ticks sent at once sound as one louder tick, or land a few hundred
# ms apart, off the seconds: one stale tick is all a stall may leave.
no_heap() {
    [ "$(onset_ms <"$WORK/sounds" | awk '$1 < 0 || $1 > 250' | wc -l)" -le 1 ] &&
        while read -r t _; do level_at "$t"; done <"$WORK/sounds" | sort -n |
        awk '{ v[NR] = $1 } END { exit !(NR > 2 && v[NR] < 1.3 * v[int((NR + 1) / 2)]) }'
}

start_pinned "2026-12-06 10:14:57" "secondSound = 1" "fifteenhourSound = 1"
check "the saver is a client of the sound server" client_connected
sounds_until 10:15:02
check "a tick at 10:14:58, :59, 10:15:00 and :01" \
    eval 'sound_starts_at 10:14:58 && sound_starts_at 10:14:59 && sound_starts_at 10:15:00 && sound_starts_at 10:15:01'
check "one chime, with the tick of 10:15:00" eval '[ "$(chime_count)" = 1 ] && sound_starts_at 10:15:00 long'
# A sound centred at full volume plays at half its level on each side, as
# the graphics library plays it: the tick's two voices reach its own level.
tick_max=$(awk -v w="$(wall_second "2026-12-06 10:14:59")" '$1 >= w && $1 < w + 1 { print $4 }' "$WORK/sounds")
check "the tick plays at its own level ($tick_max of $TICK_PEAK)" \
    awk -v m="$tick_max" -v p="$TICK_PEAK" 'BEGIN { exit !(m > 0.9 * p && m < 1.1 * p) }'
check "the sounds start within 50 ms after their seconds ($(onset_ms <"$WORK/sounds" | xargs) ms)" within_50ms

start_pinned "2026-12-06 10:59:58" "hourSound = 1"
sounds_until 11:00:02
check "only the hour chime, no ticks" eval '[ "$(wc -l <"$WORK/sounds")" = 1 ] && sound_starts_at 11:00:00 long'
# The saver ended at 11:00:02; the chime it started plays to its end.
chime_end=$(level_at "$(awk '{ printf "%.3f", $1 + 4.0 }' "$WORK/sounds")")
check "the hour chime rings on after the saver ends (level $chime_end 4 s in)" test "$chime_end" -gt 20

# A server stopped for a few seconds and going on again plays at most one
# of the ticks it missed, not all of them at once.
start_pinned "2026-12-06 12:00:00" "secondSound = 1"
kill -STOP "$PULSE_PID"
stalled_until=$(($(date +%s) + 3))
past() { [ "$(date +%s)" -ge "$1" ]; }
wait_for 5 past $stalled_until
kill -CONT "$PULSE_PID"
sounds_until 12:00:07
check "after a stall, ticks again, and no heap of missed ones at once" \
    eval 'sound_starts_at 12:00:06 && no_heap'

start_pinned "2026-12-06 12:00:00"
check "no sound switched on: no connection" eval '! client_connected'
stop_saver

start_pinned "2026-12-06 12:00:00" "secondSound = 1"
stop_sound_server
check "the clock goes on when its sound server goes away" runs_on
stop_saver
check "and ends with 0 on a key" test "$WAIT_STATUS" = 0

finish
