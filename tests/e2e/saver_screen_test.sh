# The full-screen clock as a person sees it: background colour, centred face,
# the brand mark in the corner, and smooth hands where the pinned time says.
# Other times, styles and switches are composed and checked in memory by
# the frame unit test.
. "$(dirname "$0")/saver_lib.sh"

start_display 1024x768
APP=$WORK/app
install_program "$APP"
test_style "$APP" 0 401 361 11,15 11,15 11,15
W=1024 H=768 CX=512 CY=384
MARK_X=$((W - 61 + 4)) MARK_Y=$((H - 13))   # the first marked pixel of the brand mark

# shot_settled FILE X Y R,G,B: the first screenshot with that colour at
# (X, Y) that a second one, a moment later, shows unchanged: a picture
# reaches the X server in several requests.
shot_settled() {
    local end=$((SECONDS + 10))
    while [ $SECONDS -lt $end ]; do
        shot_when "$1" "$2" "$3" "$4" 1 || continue
        xwd -root -silent > "$WORK/a.xwd"
        sleep 0.1
        xwd -root -silent > "$WORK/b.xwd"
        if cmp -s "$WORK/a.xwd" "$WORK/b.xwd"; then
            convert "xwd:$WORK/b.xwd" "$1"
            return 0
        fi
    done
    return 1
}

# shot_first_frame NAME BACKGROUND: once the saver started with
# start_saver_held shows its start screen (BACKGROUND in the corner), moves
# its clock one second on and takes the screenshot of the redraw that
# follows, the first frame with the brand mark.
shot_first_frame() {
    shot_when "$WORK/$1.png" 5 5 "$2" || return 1
    tick_clock
    shot_settled "$WORK/$1.png" $MARK_X $MARK_Y $MARK_RGB
}

# 09:45:30 (the saver starts one second earlier and redraws when it changes).
settings "$APP" "clockType = 0" "secondHand = 1"
start_saver_held "$APP" "2026-12-06 09:45:29"
shot_settled "$WORK/start.png" 5 5 200,200,200
shot_first_frame 0945 200,200,200
stop_saver
cp "$WORK/0945.png" "$BUILD/e2e-0945.png" 2>/dev/null

expect_pixel "background colour of style 0" "$WORK/start.png" 5 5 200,200,200
expect_pixel "face centred (top of the disc)" "$WORK/start.png" $CX $((CY - 170)) $FACE_RGB
expect_pixel "face centred (left of the disc)" "$WORK/start.png" $((CX - 195)) $CY $FACE_RGB
expect_pixel "mask corner of the face shows the background" "$WORK/start.png" $((CX - 195)) $((CY - 175)) 200,200,200
expect_pixel "no hour hand in the first second" "$WORK/start.png" $(point $CX $CY 50 292) $FACE_RGB
expect_pixel "no brand mark in the first second" "$WORK/start.png" $MARK_X $MARK_Y 200,200,200

expect_pixel "hour hand towards 9:45" "$WORK/0945.png" $(point $CX $CY 55 292.75) $HOUR_RGB
expect_pixel "minute hand at 45.5 minutes" "$WORK/0945.png" $(point $CX $CY 110 273) $MINUTE_RGB
expect_pixel "second hand at 30" "$WORK/0945.png" $CX $((CY + 140)) $SECOND_RGB
expect_pixel "brand mark 5 px in from the corner" "$WORK/0945.png" $MARK_X $MARK_Y $MARK_RGB
expect_pixel "left of the brand mark is background" "$WORK/0945.png" $((W - 62)) $((H - 13)) 200,200,200

# Smooth hands: across the oblique minute hand some pixels lie between its
# colour and the face's; nowhere does the mask colour show.
across_minute_hand() {
    local d x y p
    for d in -4 -3 -2 -1 0 1 2 3 4; do
        read -r x y <<<"$(point $CX $CY 110 273)"
        p=$(pixel "$WORK/0945.png" $((x + d * 5 / 100)) $((y + d)))
        IFS=, read -r r g b <<<"$p"
        [ "$r" -gt 0 ] && [ "$r" -lt 240 ] && [ "$b" -gt 0 ] && [ "$b" -lt 240 ] && return 0
    done
    return 1
}
check "the minute hand's edges are blended into the face" across_minute_hand
mask_pixels=$(convert "$WORK/0945.png" -alpha off -fill black +opaque '#FF00FF' -fill white -opaque '#FF00FF' \
    -format '%[fx:round(mean*w*h)]' info:)
check "no mask colour anywhere ($mask_pixels pixels)" test "$mask_pixels" = 0

finish
