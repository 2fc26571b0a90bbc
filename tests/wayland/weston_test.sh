# The path for compositors without the layer shell (GNOME's): under weston's
# headless backend the clock is a full-screen window showing the whole
# clock, sent in buffers that weston reads until the next one comes, and it
# ends with 0 on SIGTERM. weston's headless seat has no keyboard or
# pointer: the exit test is checked under sway.
. "$VELTRANE_SOURCE_DIR/tests/e2e/saver_lib.sh"
. "$SRC/tests/wayland/wayland_lib.sh"

install_test_clock
start_weston 1024x768
start_wl_saver "$APP" "2026-12-06 09:45:29"
wait_for 10 wl_shows - "$WORK/shot.png" 5 5 200,200,200
for second in 30 31; do
    tick_clock
    check "the redraw of second $second shows" \
        wait_for 5 wl_shows - "$WORK/$second.png" $(point 512 384 140 $((second * 6))) $SECOND_RGB
done
expect_pixel "the face centred" "$WORK/31.png" 512 $((384 - 170)) $FACE_RGB
expect_pixel "hour hand towards 9:45" "$WORK/31.png" $(point 512 384 55 292.75) $HOUR_RGB
expect_pixel "minute hand at 45.5 minutes" "$WORK/31.png" $(point 512 384 110 273) $MINUTE_RGB
expect_pixel "the second hand gone from 30" "$WORK/31.png" 512 $((384 + 140)) $FACE_RGB
expect_pixel "brand mark 5 px in from the corner" "$WORK/31.png" $((1024 - 57)) $((768 - 13)) $MARK_RGB
saver_signal TERM
wait_exit "$SAVER_PID" 3 >/dev/null
check "SIGTERM ends it with 0 (got $WAIT_STATUS)" [ "$WAIT_STATUS" = 0 ]
finish
