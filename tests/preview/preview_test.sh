#!/bin/bash
# The preview in a stand-in host's area: the picture at its own size at the
# top-left corner, white beyond, cut by a smaller area, whatever the settings;
# repainted when uncovered; exit 0 within a second of the area's destruction.
# Then how the preview and the saver end without a window or a display.
. "$VELTRANE_SOURCE_DIR/tests/e2e/lib.sh"
start_display 640x480
PW=151 PH=119  # the picture's size
install_program "$WORK/app"
printf '[saver]\nclockType = 3\nresolution = 2\n' >"$WORK/app/veltrane.cfg"
PROGRAM=$WORK/app/veltrane
shot "$WORK/empty.png"
ROOT_COLOUR=$(colours "$WORK/empty.png" 0 0 1 1)

# ends_in_time LINE: the host's "exit CODE MS" line says code 0 in under 1 s.
ends_in_time() {
    set -- $1
    [ "${2:-}" = 0 ] && awk -v ms="${3:-x}" 'BEGIN { exit !(ms != "x" && ms + 0 < 1000) }'
}
region_is() { [ "$(colours "$WORK/$1.png" "$2" "$3" "$4" "$5")" = "$6" ]; }  # NAME X Y W H COLOURS

x=20 y=30
for area in "larger - 300 200" "smaller - 100 80" "argb --argb 250 150"; do  # name, host flags, w, h
    set -- $area
    name=$1 w=$3 h=$4 sw=$(($3 < PW ? $3 : PW)) sh=$(($4 < PH ? $4 : PH))
    HOST_FLAGS=${2%-} start_host $x $y "$w" "$h" "$PROGRAM" /p "{id}"
    check "$name: the picture's top-left ${sw}x${sh} at the area's corner" wait_picture $x $y $sw $sh
    cp "$WORK/screen.png" "$WORK/$name.png"
    geometry=$(xwininfo -children -id "$HOST_WINDOW" | awk '
        / child(ren)?[:.]/ { count = $1; getline
            for (i = 1; i <= NF; i++) if ($i ~ /^[0-9]+x[0-9]+[-+]/) { print count, $i; exit } }')
    check "$name: one child window of the area's size at 0,0 (got '$geometry')" [ "$geometry" = "1 ${w}x${h}+0+0" ]
    if [ "$w" -gt $PW ]; then
        check "$name: white right of and below the picture" eval \
            'region_is $name $((x + PW)) $y $((w - PW)) $h "#FFFFFF" && region_is $name $x $((y + PH)) $w $((h - PH)) "#FFFFFF"'
    else
        check "$name: nothing of the picture right of or below the area" eval \
            'region_is $name $((x + w)) $y $((PW - w)) $sh "$ROOT_COLOUR" && region_is $name $x $((y + h)) $sw $((PH - h)) "$ROOT_COLOUR"'
    fi
    ending=$(end_host)
    check "$name: exit code 0 within a second of the area's destruction ($ending)" ends_in_time "$ending"
done

# Covered and uncovered again: the preview paints itself anew.
start_host 300 200 200 150 "$PROGRAM" /p "{id}"
wait_picture 300 200 $PW $PH
PREVIEW_HOST_PID=$HOST_PID PREVIEW_HOST_OUT=$HOST_OUT
start_host 320 210 80 60
check "a window covers part of the preview" wait_for 5 eval 'shot "$WORK/covered.png" && region_is covered 330 220 20 20 "#0000FF"'
end_host >/dev/null
HOST_PID=$PREVIEW_HOST_PID HOST_OUT=$PREVIEW_HOST_OUT
check "uncovered, the picture is whole again" wait_picture 300 200 $PW $PH
end_host >/dev/null

# ends_with CODE MESSAGE ARGS...: the program ends within 5 s with CODE and
# says MESSAGE on stderr. (Which numbers are refused is the unit test's.)
ends_with() {
    local code=$1 message=$2 got
    shift 2
    timeout 5 "$PROGRAM" "$@" 2>"$WORK/stderr"
    got=$?
    check "'$*' (DISPLAY=${DISPLAY:-}) ends with $code ($got), says '$message' ($(head -c 150 "$WORK/stderr"))" \
        eval '[ "$got" = "$code" ] && grep -q -- "$message" "$WORK/stderr"'
}
start_host 10 10 50 50
GONE=$HOST_WINDOW
end_host >/dev/null
ends_with 2 "there is no window $GONE" /p "$GONE"
NOWHERE=$(absent_display)
DISPLAY=$NOWHERE ends_with 1 "cannot open the X display \"$NOWHERE\"" /p 2097153
unset DISPLAY
# The number is looked at before the display: a bad one is bad anywhere.
ends_with 2 "no preview window was given" /p 0
ends_with 1 "DISPLAY is not set" /p 2097153
ends_with 1 "DISPLAY is not set" /s
finish
