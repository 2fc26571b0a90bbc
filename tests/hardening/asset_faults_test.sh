# Broken asset files: every picture and sound missing, empty, cut (inside
# the header or inside the data) or garbage, at 24 and 16 bits. The saver
# must start, go through the tick and a chime with what is left, and end on
# a key with status 0.
. "$(dirname "$0")/../e2e/saver_lib.sh"
APP=$WORK/app
ASSETS=$APP/morviksoft/veltrane
install_program "$APP"
settings "$APP" "clockType = 3" "secondHand = 1" "secondSound = 1" "fifteenhourSound = 1"

# next_second: moves the held clock on and waits until the saver has read it
# (the read sets the access time, put far back before).
next_second() {
    date -u -d "$(cat "$WORK/clock") UTC 1 second" '+%F %T' >"$WORK/clock.next"
    touch -a -d @0 "$WORK/clock.next" && mv "$WORK/clock.next" "$WORK/clock"
    wait_for 5 eval '[ "$(stat -c %X "$WORK/clock")" != 0 ]'
}
screen_changed() { shot "$WORK/shot.png" && [ "$(pixel "$WORK/shot.png" 0 0)" != "$ROOT_PIXEL" ]; }

for run in "24 missing" "24 cut" "16 empty" "16 garbage"; do
    set -- $run
    if [ "${DEPTH:-}" != "$1" ]; then
        start_display 1024x768 "$1"
        DEPTH=$1 && shot "$WORK/root.png" && ROOT_PIXEL=$(pixel "$WORK/root.png" 0 0)
    fi
    rm -f "$ASSETS"/* && install_real_assets "$APP"
    cut=20  # every file spoilt; cut ones alternately inside the header and inside the data
    for f in "$ASSETS"/*; do
        size=$(stat -c %s "$f")
        case $2 in
            missing) rm -f "$f" ;;
            empty) : >"$f" ;;
            cut) truncate -s $cut "$f"; cut=$((cut == 20 ? size / 2 : 20)) ;;
            garbage) head -c "$size" /dev/urandom >"$f" ;;
        esac
    done
    start_saver_held "$APP" "2026-12-06 10:14:58"
    state="no clock on the screen"
    if wait_for 10 screen_changed; then
        state="stopped at the tick or the chime"
        next_second && next_second && next_second && kill -0 "$SAVER_PID" && state=ran
    fi
    stop_saver
    check "$1 bits, every file $2: $state through the 10:15 chime, ends with 0 (status $WAIT_STATUS)" \
        [ "$state/$WAIT_STATUS" = ran/0 ]
    [ "$state/$WAIT_STATUS" = ran/0 ] || sed 's/^/    saver: /' "$WORK/saver.out"
done
finish
