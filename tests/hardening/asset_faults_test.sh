# Broken asset files: each picture and sound missing, empty, truncated (in
# its header and in its data) or not a picture/sound at all, one at a time
# and all at once, at 16 and at 32 bits. The saver must run, redraw, and end
# on a key with status 0 every time.
. "$(dirname "$0")/../e2e/saver_lib.sh"

STYLE=3
FILES="clock$STYLE.bmp hr$STYLE.bmp min$STYLE.bmp sec$STYLE.bmp tick.wav chime.wav"
FAULTS="missing empty header_cut data_cut garbage"
APP=$WORK/app
install_program "$APP"
ASSETS=$APP/morviksoft/veltrane

# break FILE FAULT: spoils one asset file of a fresh copy of the real ones.
break_file() {
    local f=$ASSETS/$1 size
    size=$(stat -c %s "$f")
    case $2 in
        missing) rm -f "$f" ;;
        empty) : > "$f" ;;
        header_cut) truncate -s 20 "$f" ;;
        data_cut) truncate -s $((size / 2)) "$f" ;;
        garbage) head -c "$size" /dev/urandom > "$f" ;;
    esac
}

# survives DESCRIPTION: the saver runs through a chime, the tick and a few
# redraws, then a key ends it with status 0.
survives() {
    start_saver "$APP" "2026-12-06 10:14:58"
    sleep 2.5
    local alive=no
    kill -0 "$SAVER_PID" 2>/dev/null && alive=yes
    xdotool key space
    wait_exit "$SAVER_PID" 5 >/dev/null
    check "$1: runs and ends with status 0 (alive=$alive, status=$WAIT_STATUS)" \
        test "$alive/$WAIT_STATUS" = yes/0
    # What the saver said, so that a failure shows its reason.
    [ "$alive/$WAIT_STATUS" = yes/0 ] || sed 's/^/    saver: /' "$WORK/saver.out"
}

for depth in 24 16; do
    start_display 1024x768 $depth
    for fault in $FAULTS; do
        for file in $FILES; do
            rm -f "$ASSETS"/*
            install_real_assets "$APP"
            settings "$APP" "clockType = $STYLE" "secondHand = 1" "secondSound = 1" "fifteenhourSound = 1"
            break_file "$file" "$fault"
            survives "depth $depth, $file $fault"
        done
        rm -f "$ASSETS"/*
        install_real_assets "$APP"
        for file in $FILES; do break_file "$file" "$fault"; done
        survives "depth $depth, every file $fault"
    done
    # With nothing to draw, the frame is the style's background alone.
    shot "$WORK/all-garbage-$depth.png"
    kill "$XVFB_PID"; wait "$XVFB_PID" 2>/dev/null; XVFB_PID=
done

finish
