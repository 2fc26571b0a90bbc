# Broken asset files: every picture and sound missing, empty, cut (inside
# the header or inside the data) or garbage, at 24 and 16 bits. The saver
# must start, go through the tick and a chime with what is left, and end on
# a key with status 0.
. "$(dirname "$0")/../e2e/saver_lib.sh"

APP=$WORK/app
install_program "$APP"
ASSETS=$APP/morviksoft/veltrane
settings "$APP" "clockType = 3" "secondHand = 1" "secondSound = 1" "fifteenhourSound = 1"

break_all() {  # break_all FAULT: spoils every file of a fresh copy of the assets
    local f size cut=20
    rm -f "$ASSETS"/*
    install_real_assets "$APP"
    for f in "$ASSETS"/*; do
        size=$(stat -c %s "$f")
        case $1 in
            missing) rm -f "$f" ;;
            empty) : >"$f" ;;
            cut) truncate -s $cut "$f"; cut=$((cut == 20 ? size / 2 : 20)) ;;
            garbage) head -c "$size" /dev/urandom >"$f" ;;
        esac
    done
}

# next_second: moves the held clock on and waits until the saver has looked
# at it (the first read of the new file sets its access time).
next_second() {
    date -u -d "$(cat "$WORK/clock") UTC 1 second" '+%F %T' >"$WORK/clock.next"
    local written
    written=$(stat -c %x "$WORK/clock.next")
    mv "$WORK/clock.next" "$WORK/clock"
    wait_for 5 eval '[ "$(stat -c %x "$WORK/clock")" != "$written" ]'
}

for run in "24 missing" "24 cut" "16 empty" "16 garbage"; do
    set -- $run
    if [ "${DEPTH:-}" != "$1" ]; then
        start_display 1024x768 "$1"
        DEPTH=$1
        shot "$WORK/root.png"
        ROOT_PIXEL=$(pixel "$WORK/root.png" 0 0)
    fi
    break_all "$2"
    start_saver_held "$APP" "2026-12-06 10:14:58"
    state="no clock on the screen"
    if wait_for 10 eval 'shot "$WORK/shot.png" && [ "$(pixel "$WORK/shot.png" 0 0)" != "$ROOT_PIXEL" ]'; then
        state="stopped at the tick or the chime"
        next_second && next_second && next_second && kill -0 "$SAVER_PID" && state=ran
    fi
    xdotool key space
    wait_exit "$SAVER_PID" 5 >/dev/null
    check "$1 bits, every file $2: $state through the 10:15 chime, ends with 0 (status $WAIT_STATUS)" \
        [ "$state/$WAIT_STATUS" = ran/0 ]
    [ "$state/$WAIT_STATUS" = ran/0 ] || sed 's/^/    saver: /' "$WORK/saver.out"
done

finish
