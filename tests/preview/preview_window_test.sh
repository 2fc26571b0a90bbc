#!/bin/bash
# The preview inside a stand-in host's preview area: the picture at the
# area's top-left corner at its own size, white beyond it, cut at the edge of
# a smaller area, repainted when uncovered, and exit code 0 within a second
# of the area's destruction.
. "$VELTRANE_SOURCE_DIR/tests/e2e/lib.sh"
. "$VELTRANE_SOURCE_DIR/tests/preview/host_lib.sh"

start_own_display 640x480
PICTURE_W=151
PICTURE_H=119

# A copy with a settings file that asks for another style: the preview shows
# the same picture whatever the settings say.
install_program "$WORK/app"
printf '[saver]\nclockType = 3\nresolution = 2\n' >"$WORK/app/veltrane.cfg"

shot "$WORK/empty.png"
ROOT_COLOUR=$(colours "$WORK/empty.png" 0 0 1 1)

# exit_within_a_second LINE: the host's "exit CODE MS" line says code 0 in
# under 1000 ms.
exit_within_a_second() {
    set -- $1
    [ "${2:-}" = 0 ] && awk -v ms="${3:-x}" 'BEGIN { exit !(ms + 0 < 1000 && ms != "x") }'
}

# one_area NAME X Y WIDTH HEIGHT PROGRAM ARGS...: runs the preview in an area
# of that size and checks what it shows and how it ends.
one_area() {
    local name=$1 x=$2 y=$3 w=$4 h=$5
    shift 5
    start_host "$x" "$y" "$w" "$h" "$@"
    check "$name: the host runs the preview" [ -n "$PREVIEW_PID" ]

    local shown_w=$((w < PICTURE_W ? w : PICTURE_W)) shown_h=$((h < PICTURE_H ? h : PICTURE_H))
    check "$name: the picture's top-left ${shown_w}x${shown_h} at the area's corner" \
        wait_picture "$x" "$y" "$shown_w" "$shown_h"
    cp "$WORK/screen.png" "$WORK/$name.png"

    local geometry
    # "1 child:" and then the child's line, its geometry relative to the area.
    geometry=$(xwininfo -children -id "$HOST_WINDOW" | awk '
        / child(ren)?[:.]/ { count = $1; getline
            for (i = 1; i <= NF; i++) if ($i ~ /^[0-9]+x[0-9]+[-+]/) { print count, $i; exit } }')
    check "$name: one child window of the area's size at 0,0 (got '$geometry')" \
        [ "$geometry" = "1 ${w}x${h}+0+0" ]

    if [ "$w" -gt "$PICTURE_W" ]; then
        check "$name: white right of the picture" \
            [ "$(colours "$WORK/$name.png" $((x + PICTURE_W)) "$y" $((w - PICTURE_W)) "$h")" = "#FFFFFF" ]
    fi
    if [ "$h" -gt "$PICTURE_H" ]; then
        check "$name: white below the picture" \
            [ "$(colours "$WORK/$name.png" "$x" $((y + PICTURE_H)) "$w" $((h - PICTURE_H)))" = "#FFFFFF" ]
    fi
    if [ "$w" -lt "$PICTURE_W" ]; then
        check "$name: nothing of the picture right of the area" \
            [ "$(colours "$WORK/$name.png" $((x + w)) "$y" $((PICTURE_W - w)) "$shown_h")" = "$ROOT_COLOUR" ]
    fi
    if [ "$h" -lt "$PICTURE_H" ]; then
        check "$name: nothing of the picture below the area" \
            [ "$(colours "$WORK/$name.png" "$x" $((y + h)) "$shown_w" $((PICTURE_H - h)))" = "$ROOT_COLOUR" ]
    fi

    local ending
    ending=$(end_host)
    check "$name: exit code 0 within a second of the area's destruction ($ending)" \
        exit_within_a_second "$ending"
}

one_area larger 20 30 300 200 "$BUILD/veltrane" /p "{id}"
one_area smaller 20 30 100 80 "$BUILD/veltrane" "/P:{id}"
one_area narrow 20 30 60 250 "$WORK/app/veltrane" /p "{id}"
one_area exact 20 30 151 119 "$WORK/app/veltrane" "-p:{id}"
# A host on a composited desktop may give its area a 32-bit visual.
HOST_FLAGS=--argb one_area argb 20 30 250 150 "$BUILD/veltrane" /p "{id}"

# Covered and uncovered again: the preview paints itself anew.
start_host 300 200 200 150 "$BUILD/veltrane" /p "{id}"
wait_picture 300 200 151 119
PREVIEW_HOST_PID=$HOST_PID PREVIEW_HOST_OUT=$HOST_OUT
start_host 320 210 80 60
shot "$WORK/covered.png"
check "a window covers part of the preview" \
    [ "$(colours "$WORK/covered.png" 330 220 20 20)" = "#0000FF" ]
end_host >/dev/null
HOST_PID=$PREVIEW_HOST_PID HOST_OUT=$PREVIEW_HOST_OUT
check "uncovered, the picture is whole again" wait_picture 300 200 151 119
ending=$(end_host)
check "after the repaint it still ends with 0 ($ending)" exit_within_a_second "$ending"

finish
