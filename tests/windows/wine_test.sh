# The Windows program under Wine: the clock's pixels and a key ending it
# with 0; the dialog opening and its OK (40011) writing the settings; the
# preview inside a host's window ending with 0 when the window goes; 2 for
# a preview without a window and 1 for a screen too small for the clock.
# Exit codes come through tests/windows/parent.c, a Windows parent that sees
# all 16 bits of them.
. "$(dirname "$0")/../e2e/saver_lib.sh"
: "${WINEPREFIX:?run through ctest}"
CAPTION="Veltrane Screen Saver"
APP=$WORK/app
mkdir -p "$APP/morviksoft/veltrane"
cp "$BUILD/veltrane.scr" "$APP/"

# Each display has its own Wine server; none is left behind.
cleanup() {
    wineserver -k 2>/dev/null
    stop_xvfb
    rm -rf "$WORK"
}
wineserver -k 2>/dev/null

# run_scr ARGS...: starts the program in APP through parent.exe; SCR_PID.
run_scr() {
    (cd "$APP" && exec wine "$BUILD/tests/parent.exe" '.\veltrane.scr' "$@") >"$WORK/wine.out" 2>&1 &
    SCR_PID=$!
}
# scr_exit SECONDS: sets SCR_EXIT to the program's whole exit code.
scr_exit() {
    wait_exit "$SCR_PID" "$1" >/dev/null
    SCR_EXIT=$(tr -d '\r' <"$WORK/wine.out" | sed -n 's/^exit //p' | tail -1)
    [ -n "$SCR_EXIT" ] || SCR_EXIT="none ($WAIT_STATUS)"
}
window() { WIN=$(xdotool search --onlyvisible --name "^$CAPTION\$" 2>/dev/null | head -1); [ -n "$WIN" ]; }
# press KEY: until the program ends (Wine may drop keys before its input is ready).
press() {
    local i
    for i in $(seq 20); do
        xdotool windowfocus "$WIN" key "$1" 2>/dev/null
        wait_for 1 eval '! kill -0 $SCR_PID 2>/dev/null' && return
    done
}
# banner_shown: the banner's first pixel at 10, 10 of the dialog, wherever it now sits.
banner_shown() {
    eval "$(xdotool getwindowgeometry --shell "$WIN")"
    shows "$WORK/dialog.png" $((X + 10)) $((Y + 10)) "$(pixel "$VELTRANE_PICTURES/banner_120.bmp" 0 0)"
}

start_display 1024x768
# The clock: test pictures of known colours for style 5, the hour hand at 3.
test_style "$APP" 5 401 361 13,12 13,12 20,3
settings "$APP" "clockType = 5" "secondHand = 1"
clear_stale_faketime
(cd "$APP" && TZ=UTC exec faketime -f "@2026-12-06 03:00:00" wine "$BUILD/tests/parent.exe" \
    '.\veltrane.scr' /s) >"$WORK/wine.out" 2>&1 &
SCR_PID=$!
# Wine may show the first frame a band at a time: the mark, at the bottom, comes last.
check "the brand mark from the resources" shot_when "$WORK/clock.png" $((1024 - 57)) $((768 - 13)) "$MARK_RGB" 40
expect_pixel "the hour hand at 3" "$WORK/clock.png" $((512 + 60)) 384 "$HOUR_RGB"
expect_pixel "background colour of style 5" "$WORK/clock.png" 5 5 29,88,119
expect_pixel "the face centred" "$WORK/clock.png" 512 $((384 - 170)) "$FACE_RGB"
window
press space
scr_exit 10
check "a key ends the clock with 0 (got $SCR_EXIT)" [ "$SCR_EXIT" = 0 ]

# The dialog: its banner from the resources, OK writes the nine keys and
# carries a style outside the list through.
printf '[saver]\r\nclockType = 12\r\n' >"$APP/veltrane.cfg"
run_scr /c
check "the dialog opens" wait_for 30 window
check "the banner at 10, 10" wait_for 10 banner_shown
press Return
scr_exit 10
check "Enter ends it with OK's code 40011 (got $SCR_EXIT)" [ "$SCR_EXIT" = 40011 ]
check "OK wrote nine keys, the style carried through" \
    eval '[ "$(grep -c " = " "$APP/veltrane.cfg")" = 9 ] && grep -q "^clockType = 12" "$APP/veltrane.cfg"'

# The preview inside a stand-in host's 200 x 150 area, and without a window.
(cd "$APP" && wine "$BUILD/tests/parent.exe" -area 200 150 '.\veltrane.scr') >"$WORK/host.out" 2>&1
check "a 'sspreview' child fills the host's area and ends with 0 when it goes ($(tr -d '\r' <"$WORK/host.out" | tr '\n' ' '))" \
    eval 'grep -q "^child sspreview 200x150" "$WORK/host.out" && grep -q "^exit 0" "$WORK/host.out"'
run_scr /p 0
scr_exit 30
check "/p 0 ends with 2 (got $SCR_EXIT)" [ "$SCR_EXIT" = 2 ]

# No graphics mode on a screen smaller than every mode the clock asks for.
wineserver -k 2>/dev/null
start_display 800x600
run_scr /s
scr_exit 40
check "/s on an 800x600 screen ends with 1 (got $SCR_EXIT)" [ "$SCR_EXIT" = 1 ]

finish
