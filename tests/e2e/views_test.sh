# The full-screen clock and its views on real X servers, as a person sees
# them: a whole clock on each monitor (background, face, brand mark, smooth
# hands at a pinned time; none in the first second), the desktop's scale, a resolution shown scaled to fill a host's window,
# exposure, resizing, 32-bit windows, a screen smaller than the frame, and
# how soon input and the seconds show. How scaling itself goes is proven
# in memory by the frame test. Pixels are read live from the server.
. "$(dirname "$0")/saver_lib.sh"

APP=$WORK/app
install_program "$APP"
test_style "$APP" 5 401 361 13,12 13,12 20,3
settings "$APP" "clockType = 5" "secondHand = 1"
BG=29,88,119   # style 5's colour: every channel differs
WATCH=$BUILD/tests/e2e/pixel_watch

# clock_at CX CY SCALE LABEL: the screen shows the clock held at 09:45:30
# about (CX, CY) at SCALE times its pictures' size (each channel within 40:
# a scaled picture blends where pixels meet).
clock_at() {
    local cx=$1 cy=$2 s=$3 l=$4 p got
    for p in "$cx $((cy - 170 * s)) $FACE_RGB face's top" "$cx $((cy - 185 * s)) $BG above the face" \
             "$(point "$cx" "$cy" $((55 * s)) 292.75) $HOUR_RGB hour hand towards 9:45" \
             "$cx $((cy + 140 * s)) $SECOND_RGB second hand at 30"; do
        set -- $p
        got=$(live "$1" "$2")
        check "$l: ${*:4} ($got)" close_to "$got" "$3"
    done
}

# only_background X Y WIDTH HEIGHT: the rectangle shows the style's colour alone.
only_background() { [ "$("$WATCH" rgb "$@")" = $BG ]; }

# Two monitors side by side in one 3840x1080 screen: a whole clock centred
# on each, each with its brand mark, nothing on the seam.
start_display 3840x1080
xrandr --setmonitor left 1920/508x1080/286+0+0 none >/dev/null
xrandr --setmonitor right 1920/508x1080/286+1920+0 none >/dev/null
start_saver_held "$APP" "2026-12-06 09:45:29"
check "the face shows at once" wait_for 10 live_is 960 370 $FACE_RGB
# Until the second changes: no hands, no brand mark.
check "no hands in the first second" live_is $(point 960 540 55 292.5) $FACE_RGB
check "no brand mark in the first second" live_is 1863 1067 $BG
tick_clock
check "both monitors redrawn" wait_for 10 eval 'live_is 1863 1067 $MARK_RGB && live_is 3783 1067 $MARK_RGB'
clock_at 960 540 1 left
clock_at 2880 540 1 right
check "the seam shows only the background" only_background 1900 0 40 1000
check "it holds the keyboard and the pointer" test "$("$WATCH" grabs)" = "1 1"
# Smooth hands: across the oblique minute hand some pixels lie between its
# colour and the face's; nowhere does the mask colour show.
across_minute_hand() {
    local d x y r g b
    for d in -4 -3 -2 -1 0 1 2 3 4; do
        read -r x y <<<"$(point 960 540 110 273)"
        IFS=, read -r r g b <<<"$(live $((x + d * 5 / 100)) $((y + d)))"
        [ "$r" -gt 0 ] && [ "$r" -lt 240 ] && [ "$b" -gt 0 ] && [ "$b" -lt 240 ] && return 0
    done
    return 1
}
check "the minute hand's edges are blended into the face" across_minute_hand
shot "$BUILD/e2e-two-monitors.png"
# A window coming up over the clock: the clock goes back on top and shows
# itself whole, exactly as its second's redraw had left it.
convert "$BUILD/e2e-two-monitors.png" -crop 600x600+660+240 +repage "$WORK/redrawn.png"
start_host 700 300 400 400
repainted() { shot "$WORK/again.png" && convert "$WORK/again.png" -crop 600x600+660+240 +repage "$WORK/again-part.png" &&
    [ "$(compare -metric AE "$WORK/redrawn.png" "$WORK/again-part.png" null: 2>&1)" = 0 ]; }
check "covered, the clock comes back on top, as its redraw left it" wait_for 10 repainted
end_host >/dev/null
check "no mask colour anywhere" test "$(convert "$BUILD/e2e-two-monitors.png" -fill black +opaque '#FF00FF' \
    -fill white -opaque '#FF00FF' -format '%[fx:round(mean*w*h)]' info:)" = 0
stop_saver

# A 4K screen at 200 %: the clock twice its pictures' size.
start_display 3840x2160
echo "Xft.dpi: 192" | xrdb -merge
start_saver_held "$APP" "2026-12-06 09:45:29"
wait_for 10 live_is 1920 740 $FACE_RGB
tick_clock
check "4K redrawn" wait_for 10 eval 'close_to "$(live 1920 1360)" $SECOND_RGB'
clock_at 1920 1080 2 4K
stop_saver

# Resolution 4 in a host's 1920x1080 window: 1024x768 scaled by 1080/768 to
# the window's height, bars of the style's colour at the sides.
start_display 1920x1080
echo "2026-12-06 09:45:30" > "$WORK/clock"
held_saver_script "$WORK/saver"
start_host 0 0 1920 1080 "$WORK/saver" --resolution 4 -window-id '{id}'
SAVER_HOST="$HOST_PID $HOST_OUT $HOST_WINDOW"
check "the host's window shows the clock" wait_for 10 live_is 100 540 $BG
check "bars of the style's colour at the sides" eval 'only_background 0 0 240 1080 && only_background 1680 0 240 1080'
check "the face's top scaled" live_is 960 $(((384 - 175) * 45 / 32)) $FACE_RGB
check "above it the background" live_is 960 $(((384 - 185) * 45 / 32)) $BG
# Covered and uncovered, the window shows the clock again.
crop() { shot "$WORK/$1.png" && convert "$WORK/$1.png" -crop 300x200+860+400 +repage "$WORK/$1-part.png"; }
crop before
start_host 860 400 300 200
wait_for 5 live_is 861 401 0,0,255
end_host >/dev/null
restored() { crop after && [ "$(compare -metric AE "$WORK/before-part.png" "$WORK/after-part.png" null: 2>&1)" = 0 ]; }
check "exposed, the clock is whole again" wait_for 5 restored
# A smaller window: the clock fitted to its new size.
read -r HOST_PID HOST_OUT HOST_WINDOW <<<"$SAVER_HOST"
xdotool windowsize "$HOST_WINDOW" 1200 800
check "resized, the face's top moves" wait_for 5 live_is 600 $((205 * 25 / 24 + 3)) $FACE_RGB
check "resized: above it the background" live_is 600 $((195 * 25 / 24)) $BG
end_host >/dev/null

# A 32-bit window with alpha is drawn opaque.
HOST_FLAGS=--argb start_host 100 100 400 300 "$WORK/saver" -window-id '{id}'
wait_for 5 live_is 102 102 $BG
check "the clock in a 32-bit window is opaque" test "$("$WATCH" get "$HOST_WINDOW" 2 2)" = ff1d5877
end_host >/dev/null

# A screen smaller than the frame: resolution 4 shown whole on 800x600.
start_display 800x600
"$APP/veltrane" /s --resolution 4 >"$WORK/small.out" 2>&1 &
SAVER_PID=$!
check "the whole clock on a small screen" wait_for 10 live_is 400 $((205 * 25 / 32 + 3)) $FACE_RGB
check "small screen: above the face the background" live_is 400 $((195 * 25 / 32)) $BG
# Each redraw lands within 50 ms after its second, a key ends it within 200 ms.
"$WATCH" changes 380 280 40 40 3.5 > "$WORK/redraws"
check "$(wc -l < "$WORK/redraws") redraws, each within 50 ms of its second ($(tr '\n' ' ' < "$WORK/redraws"))" \
    awk '$1 > 50 { late = 1 } END { exit late || NR < 3 }' "$WORK/redraws"
xdotool key a
before=$(date +%s%N)
for _ in $(seq 1000); do kill -0 $SAVER_PID 2>/dev/null && sleep 0.002; done
ms=$((($(date +%s%N) - before) / 1000000))
wait_exit $SAVER_PID 5 >/dev/null
check "a key ends the clock within 200 ms ($ms ms, status $WAIT_STATUS)" test $ms -lt 200 -a "$WAIT_STATUS" = 0

finish
