# The Windows program's full-screen clock under Wine: background colour,
# centred face, the brand mark from the program's resources, the hands
# where the pinned time says, and the end on a key with 0. Wine starts
# slowly, so the clock is pinned at the start of the process and the time
# shown is worked out from how long it has been running.
. "$(dirname "$0")/wine_lib.sh"

start_display 1024x768
APP=$WORK/app
install_scr "$APP"
test_style "$APP" 5 401 361 13,12 13,12 20,3
settings "$APP" "clockType = 5" "secondHand = 1"
W=1024 H=768 CX=512 CY=384 BG=29,88,119
CAPTION="Veltrane Screen Saver"

# The clock starts at 03:00:00 and runs; the shot is taken once the hands
# show, some seconds later.
start_scr_at "$APP" "2026-12-06 03:00:00" /s
win=$(wait_window "$CAPTION" 40)
check "the saver's window opens" test -n "$win"
for _ in $(seq 100); do
    shot "$WORK/clock.png"
    [ "$(pixel "$WORK/clock.png" $((CX + 60)) $CY)" = "$HOUR_RGB" ] && break
    sleep 0.2
done
before=$(elapsed)
shot "$WORK/clock.png"
after=$(elapsed)
echo "# shot taken ${before}-${after} s after the start"

expect_pixel "background colour of style 5" "$WORK/clock.png" 5 5 $BG
expect_pixel "face centred (top of the disc)" "$WORK/clock.png" $CX $((CY - 170)) $FACE_RGB
expect_pixel "face centred (left of the disc)" "$WORK/clock.png" $((CX - 195)) $CY $FACE_RGB
expect_pixel "mask corner of the face shows the background" "$WORK/clock.png" $((CX - 195)) $((CY - 175)) $BG
expect_pixel "brand mark 5 px in from the corner" "$WORK/clock.png" $((W - 61 + 4)) $((H - 13)) $MARK_RGB
expect_pixel "left of the brand mark is background" "$WORK/clock.png" $((W - 62)) $((H - 13)) $BG
expect_pixel "hour hand at 3" "$WORK/clock.png" $((CX + 60)) $CY $HOUR_RGB

# The minute hand moves a tenth of a degree a second: where it lies 60 px
# out is known to a fraction of a pixel.
minute_angle=$(awk -v s="$before" 'BEGIN { printf "%.2f", int(s) * 0.1 }')
expect_pixel "minute hand at 0 min ${before%.*} s" "$WORK/clock.png" \
    $(point $CX $CY 60 "$minute_angle") $MINUTE_RGB

# The second hand shows the second of the last redraw: the one the shot
# fell in, or the one before it when the shot came just after the change.
seen=
for s in $(seq $(( ${before%.*} - 1 )) ${after%.*}); do
    [ "$(pixel "$WORK/clock.png" $(point $CX $CY 140 $((s * 6))))" = "$SECOND_RGB" ] && seen=$s
done
check "second hand at the second shown (${before%.*}-${after%.*} s, seen at ${seen:-none})" test -n "$seen"

press_until_gone "$win" "$SCR_PID" space
scr_exit 10
check "a key ends the saver with 0 (got $SCR_EXIT)" test "$SCR_EXIT" = 0
cp "$WORK/clock.png" "$BUILD/wine-saver.png" 2>/dev/null

# The mouse moved by more than ten pixels ends it too.
start_scr "$APP" /s
win=$(wait_window "$CAPTION" 40)
sleep 3
xdotool mousemove 100 100
sleep 0.5
xdotool mousemove 300 300
scr_exit 10
check "a mouse move ends the saver with 0 (got $SCR_EXIT)" test "$SCR_EXIT" = 0

# The program as built, with its own asset folder beside it and no settings
# file: style 0 on its grey.
REAL=$WORK/real
mkdir -p "$REAL"
cp "$BUILD/veltrane.scr" "$REAL/"
cp -r "$BUILD/morviksoft" "$REAL/"
start_scr "$REAL" /s
win=$(wait_window "$CAPTION" 40)
for _ in $(seq 50); do
    shot "$WORK/real.png"
    [ "$(pixel "$WORK/real.png" $((W - 61 + 4)) $((H - 13)))" = "$MARK_RGB" ] && break
    sleep 0.2
done
expect_pixel "built program: style 0's grey" "$WORK/real.png" 5 5 200,200,200
expect_pixel "built program: brand mark" "$WORK/real.png" $((W - 61 + 4)) $((H - 13)) $MARK_RGB
check "built program: its face covers the centre" \
    test "$(pixel "$WORK/real.png" $((CX - 100)) $((CY - 100)))" != 200,200,200
press_until_gone "$win" "$SCR_PID" space
scr_exit 10
check "built program: a key ends it with 0 (got $SCR_EXIT)" test "$SCR_EXIT" = 0

finish
