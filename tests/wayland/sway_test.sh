# The full-screen clock in a Wayland session, under a headless sway with two
# outputs (the layer shell): the whole clock on each, sized for the output
# the frame is composed for; the exit test; an output that goes away; the
# idle host; the settings dialog as a native client.
. "$VELTRANE_SOURCE_DIR/tests/e2e/saver_lib.sh"
. "$SRC/tests/wayland/wayland_lib.sh"

install_test_clock
cp "$BUILD/veltrane-idle-watch" "$SRC/scripts/veltrane-idle-host" "$APP/"
# The frame is composed for the first output, 1280x720; the second shows it
# at 0.8 of its size between bars, at scale 2 in buffers of its own pixels.
start_sway 1280x720 1024x768@2

# near FILE X Y R,G,B: the pixel within 40 of that colour in each channel (a
# scaled picture blends the edges of what it shows).
near() {
    local got want=(${4//,/ }) i
    IFS=, read -r -a got <<<"$(pixel "$1" "$2" "$3")"
    for i in 0 1 2; do [ $((got[i] - want[i])) -le 40 ] && [ $((want[i] - got[i])) -le 40 ] || return 1; done
}
expect_near() {  # expect_near DESCRIPTION FILE X Y R,G,B
    check "$1 (pixel ($3,$4) is $(pixel "$2" "$3" "$4"), expected about $5)" near "$2" "$3" "$4" "$5"
}
count() {  # count FILE R,G,B: how many pixels have that colour
    convert "$1" -alpha off -fill black +opaque "rgb($2)" -fill white -opaque "rgb($2)" \
        -format '%[fx:round(mean*w*h)]' info:
}

# 09:45:30 on both outputs, as the X11 screen test checks it.
start_wl_saver "$APP" "2026-12-06 09:45:29"
wait_for 10 wl_shows HEADLESS-1 "$WORK/one.png" 5 5 200,200,200
tick_clock
check "the first redraw reaches the first output" \
    wait_for 5 wl_shows HEADLESS-1 "$WORK/one.png" $((1280 - 57)) $((720 - 13)) $MARK_RGB
check "and the second" wait_for 5 wl_shows HEADLESS-2 "$WORK/two.png" 512 496 $SECOND_RGB
cp "$WORK/one.png" "$BUILD/e2e-wayland-1.png"
cp "$WORK/two.png" "$BUILD/e2e-wayland-2.png"
expect_pixel "first output: the style's background" "$WORK/one.png" 5 5 200,200,200
expect_pixel "first output: the face centred" "$WORK/one.png" 640 $((360 - 170)) $FACE_RGB
expect_pixel "first output: hour hand towards 9:45" "$WORK/one.png" $(point 640 360 55 292.75) $HOUR_RGB
expect_pixel "first output: minute hand at 45.5 minutes" "$WORK/one.png" $(point 640 360 110 273) $MINUTE_RGB
expect_pixel "first output: second hand at 30" "$WORK/one.png" 640 $((360 + 140)) $SECOND_RGB
expect_pixel "second output: the bar above the frame" "$WORK/two.png" 512 40 200,200,200
expect_pixel "second output: the top of the disc" "$WORK/two.png" 512 $((384 - 130)) $FACE_RGB
expect_pixel "second output: the bottom of the disc" "$WORK/two.png" 512 $((384 + 130)) $FACE_RGB
expect_pixel "second output: beside the disc, the background" "$WORK/two.png" $((512 - 170)) 384 200,200,200
expect_near "second output: hour hand" "$WORK/two.png" $(point 512 384 44 292.75) $HOUR_RGB
expect_near "second output: minute hand" "$WORK/two.png" $(point 512 384 88 273) $MINUTE_RGB

# An output plugged in while the clock runs gets its own surface.
as_user swaymsg create_output >/dev/null
check "a new output shows the clock too" wait_for 5 wl_shows HEADLESS-3 "$WORK/three.png" 5 5 200,200,200

# At 200 % the first output's frame is composed at half its pixels and
# shown twice as large: the disc then reaches almost to the top.
as_user swaymsg output HEADLESS-1 scale 2 >/dev/null
check "at scale 2 the face doubles (the disc near the top edge)" \
    wait_for 5 wl_shows HEADLESS-1 "$WORK/scaled.png" 640 20 $FACE_RGB
as_user swaymsg output HEADLESS-1 scale 1 >/dev/null
check "and back at scale 1 it is as before" wait_for 5 wl_shows HEADLESS-1 "$WORK/one.png" 640 20 200,200,200
saver_signal TERM
wait_exit "$SAVER_PID" 3 >/dev/null
check "SIGTERM ends it with 0 (got $WAIT_STATUS)" [ "$WAIT_STATUS" = 0 ]

# ends_with WHAT INPUT...: after INPUT (commands run as the user) the clock
# ends with 0.
ends_with() {
    local what=$1 command
    shift
    local pid
    pid=$(saver_pid)
    for command in "$@"; do as_user sh -c "$command" >/dev/null; done
    wait_exit "$SAVER_PID" 3 >/dev/null
    [ "$WAIT_STATUS" != timeout ] || kill -9 "$pid" 2>/dev/null   # runuser's shell went, not the saver
    check "$what ends the clock with 0 (got $WAIT_STATUS)" [ "$WAIT_STATUS" = 0 ]
}
# restart: a fresh clock, shown.
restart() {
    start_wl_saver "$APP" "2026-12-06 09:45:29"
    wait_for 10 wl_shows HEADLESS-1 "$WORK/one.png" 5 5 200,200,200
}
# After a 10 px move and Ctrl it still redraws at the next second.
restart
as_user swaymsg seat - cursor move 10 0 >/dev/null
as_user wtype -k Control_L
tick_clock
check "a move of 10 px and Ctrl leave it running" \
    wait_for 5 wl_shows HEADLESS-1 "$WORK/one.png" 640 500 $SECOND_RGB
ends_with "one more pixel" "swaymsg seat - cursor move 1 0"
restart
ends_with "a key" "wtype a"
restart
ends_with "a click" "swaymsg seat - cursor press button1" "swaymsg seat - cursor release button1"
restart
ends_with "Shift" "wtype -k Shift_L"

# The idle host: the clock after its seconds without input and not before,
# then again once the clock has ended.
started_after() {  # started_after SECONDS: the clock appeared SECONDS (+-0.2, +1.5) after now
    local t0 t1
    t0=$(date +%s.%N)
    wait_for 10 pgrep -u "$WL_USER" -x veltrane >/dev/null || return 1
    t1=$(date +%s.%N)
    awk -v d="$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }')" -v s="$1" \
        'BEGIN { printf "    the clock came after %.2f s\n", d; exit !(d >= s - 0.2 && d <= s + 1.5) }' 
}
as_user "$APP/veltrane-idle-host" --seconds 2 2>"$WORK/idle.err" &
check "the idle host starts the clock after 2 s" started_after 2
check "which covers the output" wait_for 5 wl_shows HEADLESS-1 "$WORK/idle.png" 5 5 200,200,200
as_user wtype a
wait_for 5 eval '! pgrep -u "$WL_USER" -x veltrane >/dev/null'
check "and again 2 s after it ended" started_after 2
pkill -u "$WL_USER" -f veltrane-idle-watch
saver_signal TERM

# The settings dialog is a native Wayland client: this sway runs no X server.
as_user env GDK_BACKEND=wayland "$APP/veltrane" /c >/dev/null 2>&1 &
check "the settings dialog opens as a Wayland window" \
    wait_for 10 eval 'as_user swaymsg -t get_tree | grep -q "\"app_id\": \"veltrane\""'
pkill -u "$WL_USER" -x veltrane

# An output that goes away takes only its own surface: a sway inside this
# one, its two outputs two windows here; closing one of them removes it.
echo "xwayland disable" >"$WORK/inner.conf"
OUTER_SOCK=$SWAYSOCK
(as_user env WLR_BACKENDS=wayland WLR_WL_OUTPUTS=2 WLR_RENDERER=pixman sway -c "$WORK/inner.conf" \
    >"$WORK/inner.log" 2>&1 &)
wait_for 10 eval '[ "$(ls "$WL_RUN"/sway-ipc.*.sock | wc -l)" = 2 ]'
WAYLAND_DISPLAY=$(cd "$WL_RUN" && ls -t wayland-? | head -1) SWAYSOCK=$(ls "$WL_RUN"/sway-ipc.*.sock | grep -v "$OUTER_SOCK")
wait_for 10 eval 'as_user swaymsg -t get_outputs | grep -q WL-2'
start_wl_saver "$APP" "2026-12-06 09:45:29"
wait_for 10 wl_shows WL-2 "$WORK/inner.png" 5 5 200,200,200
SWAYSOCK=$OUTER_SOCK as_user swaymsg '[title="wlroots - WL-2"] kill' >/dev/null
wait_for 5 eval '! as_user swaymsg -t get_outputs | grep -q WL-2'
wl_shot WL-1 "$WORK/before.png"
tick_clock
check "the clock goes on drawing on the output left" \
    wait_for 5 eval 'wl_shot WL-1 "$WORK/after.png" && ! cmp -s "$WORK/before.png" "$WORK/after.png" &&
                     [ "$(count "$WORK/after.png" $FACE_RGB)" -gt 10000 ]'
saver_signal TERM
wait_exit "$SAVER_PID" 3 >/dev/null
check "and ends with 0 on SIGTERM (got $WAIT_STATUS)" [ "$WAIT_STATUS" = 0 ]

finish
