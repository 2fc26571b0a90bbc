# Helpers of the full-screen clock's end-to-end tests: test pictures in known
# colours and a saver started at a pinned time.
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

FACE_RGB=240,240,240
HOUR_RGB=255,0,0
MINUTE_RGB=0,255,0
SECOND_RGB=0,0,255
MARK_RGB=85,85,85

bmp() {  # bmp FILE CONVERT-ARGS...: a 24-bit BMP that Allegro reads
    local out=$1
    shift
    convert +antialias "$@" -type TrueColor "BMP3:$out"
}

# hand FILE LENGTH PIVOT_X PIVOT_Y R,G,B: a bar from the picture's left edge
# through the pivot to LENGTH pixels right of it, 5 pixels thick, on the mask.
hand() {
    local w=$(($3 + $2)) h=$(($4 * 2 + 1))
    bmp "$1" -size ${w}x${h} xc:'#FF00FF' -fill "rgb($5)" \
        -draw "rectangle 0,$(($4 - 2)) $((w - 1)),$(($4 + 2))"
}

# test_style DIR N FACE_W FACE_H HOUR_PIVOT MIN_PIVOT SEC_PIVOT: plain test
# pictures for style N: a face disc filling its picture, three coloured bars.
test_style() {
    local dir=$1/morviksoft/veltrane n=$2 w=$3 h=$4
    bmp "$dir/clock$n.bmp" -size ${w}x${h} xc:'#FF00FF' -fill "rgb($FACE_RGB)" \
        -draw "ellipse $((w / 2)),$((h / 2)) $((w / 2 - 1)),$((h / 2 - 1)) 0,360"
    hand "$dir/hr$n.bmp" 80 ${5%,*} ${5#*,} $HOUR_RGB
    hand "$dir/min$n.bmp" 130 ${6%,*} ${6#*,} $MINUTE_RGB
    hand "$dir/sec$n.bmp" 160 ${7%,*} ${7#*,} $SECOND_RGB
}

settings() {  # settings DIR "key = value" ...
    local dir=$1
    shift
    { echo "[saver]"; printf '%s\n' "$@"; } > "$dir/veltrane.cfg"
}

# start_saver DIR "YYYY-mm-dd HH:MM:SS": runs the saver with its clock
# starting at that time (UTC); sets SAVER_PID. The first hands appear one
# second later, when the shown second first changes.
start_saver() {
    TZ=UTC FAKETIME="@$2" LD_PRELOAD=$FAKETIME_LIB "$1/veltrane" /s >"$WORK/saver.out" 2>&1 &
    SAVER_PID=$!
}

# start_saver_held DIR "YYYY-mm-dd HH:MM:SS": the same with the clock held
# at that time until tick_clock moves it on, so that the second a screenshot
# shows does not hang on how long the saver takes to start.
start_saver_held() {
    echo "$2" > "$WORK/clock"
    TZ=UTC FAKETIME_TIMESTAMP_FILE=$WORK/clock FAKETIME_NO_CACHE=1 LD_PRELOAD=$FAKETIME_LIB \
        "$1/veltrane" /s >"$WORK/saver.out" 2>&1 &
    SAVER_PID=$!
}

# tick_clock: moves the held clock one second on (in one step: the saver
# reads the file at every look at the time).
tick_clock() {
    date -u -d "$(cat "$WORK/clock") UTC 1 second" '+%F %T' > "$WORK/clock.next"
    mv "$WORK/clock.next" "$WORK/clock"
}

stop_saver() {
    xdotool key space
    wait_exit "$SAVER_PID" 5 >/dev/null
}

# point CX CY RADIUS DEGREES: the pixel RADIUS from (CX, CY) in the clock
# direction DEGREES (0 = 12 o'clock, clockwise).
point() {
    awk -v cx="$1" -v cy="$2" -v r="$3" -v a="$4" 'BEGIN {
        t = a * atan2(0, -1) / 180
        printf "%d %d", cx + r * sin(t) + (cx + r * sin(t) < 0 ? -0.5 : 0.5), cy - r * cos(t) + 0.5 }'
}

# close_to R,G,B R,G,B: each channel of the first within 40 of the second's.
close_to() {
    local got want i
    IFS=, read -r -a got <<<"$1"
    IFS=, read -r -a want <<<"$2"
    for i in 0 1 2; do [ $((got[i] - want[i])) -le 40 ] && [ $((want[i] - got[i])) -le 40 ] || return 1; done
}
near() { close_to "$(pixel "$1" "$2" "$3")" "$4"; }  # near FILE X Y R,G,B

# live X Y: the screen's pixel now, R,G,B, read straight from the server
# (much quicker than a screenshot of a large screen).
live() { "$BUILD/tests/e2e/pixel_watch" rgb "$1" "$2"; }
live_is() { [ "$(live "$1" "$2")" = "$3" ]; }  # live_is X Y R,G,B

# held_saver_script FILE: a script that runs the saver on the clock held in
# $WORK/clock (see tick_clock), as the hosts start it.
held_saver_script() {
    cat > "$1" <<SAVER
#!/bin/sh
TZ=UTC FAKETIME_TIMESTAMP_FILE=$WORK/clock FAKETIME_NO_CACHE=1 \
LD_PRELOAD=$(ls /usr/lib/*/faketime/libfaketime.so.1 | head -n1) exec $APP/veltrane "\$@"
SAVER
    chmod 755 "$1"
}
