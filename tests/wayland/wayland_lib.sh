# Headless Wayland compositors for the end-to-end tests: sway with outputs
# of the sizes asked for, a seat with a keyboard and a pointer, screenshots
# with grim; weston for the xdg-shell path. sway refuses to run as root, so
# as root the compositor and its clients run as an ordinary user of their
# own. Source after tests/e2e/saver_lib.sh.

WL_USER=$(id -un)
if [ "$(id -u)" = 0 ]; then
    # One user for each test script, so that tests running side by side
    # never see or signal each other's programs.
    WL_USER=veltrane-$(basename "$0" .sh | tr _ -)
    id -u "$WL_USER" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$WL_USER" ||
        id -u "$WL_USER" >/dev/null 2>&1 || exit 1   # another test may have made it meanwhile
fi
chmod 755 "$WORK"
WL_RUN=$WORK/run    # the session's XDG_RUNTIME_DIR
WL_OUT=$WORK/user   # where the user's programs write
mkdir -m 700 "$WL_RUN" && mkdir "$WL_OUT" && chown "$WL_USER" "$WL_RUN" "$WL_OUT" || exit 1
WAYLAND_DISPLAY= SWAYSOCK= COMPOSITOR_PID= COMPOSITOR_RUNNER= WL_KEYBOARD=

# as_user COMMAND...: runs COMMAND as the compositor's user, in its session
# and not in any X display.
as_user() {
    local run=() session=()
    [ "$(id -u)" = 0 ] && run=(runuser -u "$WL_USER" --)
    # An empty SWAYSOCK would be taken for the socket's name.
    [ -z "$WAYLAND_DISPLAY" ] || session+=(WAYLAND_DISPLAY="$WAYLAND_DISPLAY")
    [ -z "$SWAYSOCK" ] || session+=(SWAYSOCK="$SWAYSOCK")
    "${run[@]}" env -u DISPLAY -u WAYLAND_DISPLAY -u SWAYSOCK HOME="$WL_OUT" XDG_RUNTIME_DIR="$WL_RUN" \
        XDG_CONFIG_HOME="$XDG_CONFIG_HOME" "${session[@]}" "$@"
}

# The compositor itself when known, and the runuser that started it.
stop_compositor() {
    local p
    [ -z "$WL_KEYBOARD" ] || pkill -P "$WL_KEYBOARD"   # wtype itself, below runuser
    for p in $WL_KEYBOARD $COMPOSITOR_PID $COMPOSITOR_RUNNER; do
        kill "$p" 2>/dev/null
        wait_for 5 eval '! kill -0 "$p" 2>/dev/null' || kill -9 "$p" 2>/dev/null
    done
    COMPOSITOR_PID= COMPOSITOR_RUNNER= WL_KEYBOARD=
}

seat_ready() { as_user swaymsg -t get_seats | grep -q '"capabilities": 3'; }

# start_sway WxH[@SCALE]...: sway on outputs HEADLESS-1, -2, ... of these
# sizes side by side, its seat with a keyboard (wtype holding its own) and
# a pointer (tests/wayland/virtual_pointer).
start_sway() {
    local conf=$WORK/sway.conf x=0 i=1 o size scale
    echo "xwayland disable" >"$conf"
    for o in "$@"; do
        size=${o%@*} scale=1
        [ "$o" = "$size" ] || scale=${o#*@}
        echo "output HEADLESS-$i resolution $size position $x 0 scale $scale" >>"$conf"
        x=$((x + ${size%x*} / scale)) i=$((i + 1))
    done
    # Where /dev/urandom is root's alone (some sandboxes), sway could make no
    # activation token for a window that asks to be raised (GTK's do): it
    # gets /dev/random, the same thing, in a mount namespace of its own.
    local run=(env)
    if [ "$(id -u)" = 0 ]; then
        run=(runuser -u "$WL_USER" -- env)
        as_user test -r /dev/urandom ||
            run=(unshare -m sh -c 'mount --bind /dev/random /dev/urandom && exec "$@"' sh "${run[@]}")
    fi
    "${run[@]}" -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$WL_RUN" HOME="$WL_OUT" WLR_BACKENDS=headless \
        WLR_HEADLESS_OUTPUTS=$# WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$conf" >"$WORK/sway.log" 2>&1 &
    COMPOSITOR_RUNNER=$!
    wait_for 10 eval 'ls "$WL_RUN"/sway-ipc.*.sock >/dev/null 2>&1' || { cat "$WORK/sway.log"; exit 1; }
    SWAYSOCK=$(ls "$WL_RUN"/sway-ipc.*.sock)
    COMPOSITOR_PID=${SWAYSOCK%.sock}
    COMPOSITOR_PID=${COMPOSITOR_PID##*.}
    WAYLAND_DISPLAY=$(cd "$WL_RUN" && ls wayland-? | head -1)
    as_user "$BUILD/tests/wayland/virtual_pointer" >/dev/null 2>&1 &
    # wtype sleeps through the compositor's end (for ten minutes at most):
    # stop_compositor ends it.
    as_user wtype -s 600000 >/dev/null 2>&1 &
    WL_KEYBOARD=$!
    wait_for 10 seat_ready || { echo "sway's seat has no keyboard and pointer"; exit 1; }
    # In the corner no change of the outputs moves the pointer.
    as_user swaymsg seat - cursor set 0 0 >/dev/null
}

# start_weston WxH: weston's headless backend with its desktop shell, which
# has no layer shell; screenshots with weston-screenshooter (--debug).
start_weston() {
    WAYLAND_DISPLAY=wayland-weston
    as_user weston --backend=headless-backend.so --use-pixman --width="${1%x*}" --height="${1#*x}" \
        --socket=$WAYLAND_DISPLAY --debug >"$WORK/weston.log" 2>&1 &
    COMPOSITOR_RUNNER=$!
    wait_for 10 eval '[ -S "$WL_RUN/$WAYLAND_DISPLAY" ] && pgrep -P "$(pgrep -P $COMPOSITOR_RUNNER)" >/dev/null' ||
        { cat "$WORK/weston.log"; exit 1; }
    COMPOSITOR_PID=$(pgrep -P $COMPOSITOR_RUNNER)
}

# wl_shot OUTPUT FILE: a screenshot of one output (sway) or of the screen
# (weston, OUTPUT "-").
wl_shot() {
    rm -f "$WL_OUT"/*.png
    if [ "$1" = - ]; then
        (cd "$WL_OUT" && as_user weston-screenshooter) && mv "$WL_OUT"/wayland-screenshot-*.png "$2"
    else
        as_user grim -o "$1" "$WL_OUT/shot.png" && mv "$WL_OUT/shot.png" "$2"
    fi
}

# wl_shows OUTPUT FILE X Y R,G,B: a screenshot whose pixel (X, Y) has that colour.
wl_shows() { wl_shot "$1" "$2" && [ "$(pixel "$2" "$3" "$4")" = "$5" ]; }

# install_test_clock: the program in $APP with the test pictures of style 0
# (tests/e2e/saver_lib.sh), its second hand shown.
install_test_clock() {
    APP=$WORK/app
    install_program "$APP"
    test_style "$APP" 0 401 361 11,15 11,15 11,15
    settings "$APP" "clockType = 0" "secondHand = 1"
}

# start_wl_saver DIR "YYYY-mm-dd HH:MM:SS": the saver as the compositor's
# user, its clock held at that time until tick_clock; sets SAVER_PID (a
# shell whose status is the saver's; signal the saver with saver_signal).
start_wl_saver() {
    echo "$2" >"$WORK/clock"
    as_user env TZ=UTC FAKETIME_TIMESTAMP_FILE="$WORK/clock" FAKETIME_NO_CACHE=1 LD_PRELOAD="$FAKETIME_LIB" \
        "$1/veltrane" /s >"$WORK/saver.out" 2>&1 &
    SAVER_PID=$!
}

# saver_pid: the saver's own process, below SAVER_PID's runuser.
saver_pid() {
    local p=$SAVER_PID
    while [ -n "$p" ] && [ "$(cat "/proc/$p/comm" 2>/dev/null)" != veltrane ]; do p=$(pgrep -P "$p" | head -1); done
    echo "$p"
}
saver_signal() { kill "-$1" "$(saver_pid)"; }  # saver_signal SIGNAL
