#!/bin/bash
# Installation into a prefix of the user's own: the program with its asset
# folder beside it, links in bin/, and a program started through its link
# that reads the settings file and pictures beside its real self.
. "$VELTRANE_SOURCE_DIR/tests/e2e/lib.sh"
. "$VELTRANE_SOURCE_DIR/tests/preview/host_lib.sh"

PREFIX=$WORK/prefix
cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1
check "cmake --install succeeds" [ $? = 0 ]

APP=$PREFIX/lib/veltrane
check "the program is installed" [ -x "$APP/veltrane" ]
missing=
for f in tick.wav chime.wav; do [ -s "$APP/morviksoft/veltrane/$f" ] || missing="$missing $f"; done
for i in 0 1 2 3 4 5 6 7 8 9; do
    for f in clock$i.bmp hr$i.bmp min$i.bmp sec$i.bmp; do
        [ -s "$APP/morviksoft/veltrane/$f" ] || missing="$missing $f"
    done
done
check "the asset folder beside it is complete (missing:${missing:- none})" [ -z "$missing" ]
for name in veltrane veltrane-idle-host; do
    check "bin/$name is a relative link to lib/veltrane/$name" \
        [ "$(readlink "$PREFIX/bin/$name")" = "../lib/veltrane/$name" ]
done

# Through the link, the idle host finds the program beside its real self:
# with no veltrane on PATH it gets as far as asking for a display.
out=$(env -u DISPLAY PATH=/usr/bin:/bin "$PREFIX/bin/veltrane-idle-host" 2>&1)
check "the idle host finds the installed program ($out)" \
    grep -q "DISPLAY is not set" <<<"$out"

# Started through its link, the saver reads the settings file beside the
# real program: style 3 fills the screen with white instead of the default
# grey, and its face comes from the installed asset folder.
printf '[saver]\nclockType = 3\n' >"$APP/veltrane.cfg"
start_own_display 1024x768
(cd / && exec "$PREFIX/bin/veltrane" /s 2>/dev/null) &
SAVER_PID=$!
started=no
for _ in $(seq 100); do
    shot "$WORK/saver.png"
    if [ "$(pixel "$WORK/saver.png" 0 0)" = "255,255,255" ]; then
        started=yes
        break
    fi
    sleep 0.1
done
check "the saver started through the link uses the settings beside the program" [ "$started" = yes ]
face_colours=$(convert "$WORK/saver.png" -crop 300x300+362+234 +repage -unique-colors -format '%w' info:)
check "its face picture is drawn from the asset folder ($face_colours colours in the middle)" \
    [ "$face_colours" -gt 20 ]
xdotool key space
wait_exit "$SAVER_PID" 5 >"$WORK/code"
check "it ends with 0 after a key press (got $(cat "$WORK/code"))" [ "$(cat "$WORK/code")" = 0 ]

finish
