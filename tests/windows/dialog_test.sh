# The settings dialog of the Windows program under Wine: what it shows,
# Enter saves the nine keys (40011), Escape does nothing, Cancel and the
# close box write nothing (40010, 0), a window number that is no window
# shows nothing.
. "$(dirname "$0")/wine_lib.sh"

start_display 1024x768
APP=$WORK/app
install_scr "$APP"
CAPTION="Veltrane Screen Saver"
BANNER=$VELTRANE_PICTURES/banner_120.bmp

# Stored values the dialog must carry through: a style outside the list, a
# switch other than 0 and 1 (shown clear, as the saver takes it, so saved
# as 0), a resolution out of range, and a section and key of someone else's.
cat >"$APP/veltrane.cfg" <<'CFG'
[saver]
clockType = 12
secondHand = 2
resolution = 7
random = 1
halfhourSound = 1

[other]
keep = yes
CFG

start_scr "$APP" /c
win=$(wait_window "$CAPTION" 30)
check "the dialog opens" test -n "$win"
sleep 1
shot "$WORK/dialog.png"
eval "$(xdotool getwindowgeometry --shell "$win")"
check "the dialog is centred on the screen" \
    test $((X + WIDTH / 2 - 512)) -ge -2 -a $((X + WIDTH / 2 - 512)) -le 2
expect_pixel "banner's top-left pixel at 10, 10" "$WORK/dialog.png" $((X + 10)) $((Y + 10)) "$(pixel "$BANNER" 0 0)"
expect_pixel "banner's bottom-right pixel at 489, 121" "$WORK/dialog.png" $((X + 489)) $((Y + 121)) "$(pixel "$BANNER" 479 111)"
expect_pixel "banner's middle pixel" "$WORK/dialog.png" $((X + 250)) $((Y + 66)) "$(pixel "$BANNER" 240 56)"
expect_pixel "dialog background below the banner" "$WORK/dialog.png" $((X + 250)) $((Y + 126)) "$(pixel "$WORK/dialog.png" $((X + 3)) $((Y + 126)))"

keys_to "$win" Escape
sleep 1
check "Escape leaves the dialog open" kill -0 "$SCR_PID"
press_until_gone "$win" "$SCR_PID" Return
scr_exit 10
check "Enter ends with OK's code 40011 (got $SCR_EXIT)" test "$SCR_EXIT" = 40011
tr -d '\r' <"$APP/veltrane.cfg" >"$WORK/saved.cfg"
for kv in "clockType = 12" "resolution = 0" "secondHand = 0" "secondSound = 0" "hourSound = 0" \
          "fifteenhourSound = 0" "halfhourSound = 1" "fortyfivehourSound = 0" "random = 1"; do
    check "saved: $kv" grep -qx "$kv" "$WORK/saved.cfg"
done
check "nine keys in [saver], once each" \
    test "$(sed -n '/^\[saver\]/,/^\[/p' "$WORK/saved.cfg" | grep -c ' = ')" = 9
check "someone else's section kept" grep -qx "keep = yes" "$WORK/saved.cfg"
check "no temporary file left" test ! -e "$APP/veltrane.cfg.new"

# Cancel after choosing another style and resolution: nothing written.
cp "$APP/veltrane.cfg" "$WORK/before.cfg"
start_scr "$APP" /c
win=$(wait_window "$CAPTION" 30)
sleep 1
keys_to "$win" Down Tab Down Tab Tab Tab
press_until_gone "$win" "$SCR_PID" space
scr_exit 10
check "Cancel ends with 40010 (got $SCR_EXIT)" test "$SCR_EXIT" = 40010
check "Cancel writes nothing" cmp -s "$APP/veltrane.cfg" "$WORK/before.cfg"

# The close box: code 0, nothing written.
start_scr "$APP" /c
win=$(wait_window "$CAPTION" 30)
sleep 1
keys_to "$win" Down
close_box "$win"
scr_exit 10
check "the close box ends with 0 (got $SCR_EXIT)" test "$SCR_EXIT" = 0
check "the close box writes nothing" cmp -s "$APP/veltrane.cfg" "$WORK/before.cfg"

# The web buttons start the browser through rundll32 and leave the dialog
# open, however often they are pressed.
start_scr "$APP" /c
win=$(wait_window "$CAPTION" 30)
sleep 1
keys_to "$win" Tab Tab space
sleep 1
keys_to "$win" Tab space space
sleep 2
check "the web buttons leave the dialog open" kill -0 "$SCR_PID"
close_box "$win"
scr_exit 10
check "... and it still closes with 0 (got $SCR_EXIT)" test "$SCR_EXIT" = 0
check "... without writing" cmp -s "$APP/veltrane.cfg" "$WORK/before.cfg"

# No settings file yet: OK creates it with the nine keys in the save order.
rm "$APP/veltrane.cfg"
start_scr "$APP" /c
win=$(wait_window "$CAPTION" 30)
sleep 1
press_until_gone "$win" "$SCR_PID" Return
scr_exit 10
check "OK on a missing file ends with 40011 (got $SCR_EXIT)" test "$SCR_EXIT" = 40011
check "a new file holds the header and the nine keys in the save order" \
    test "$(tr -d '\r' <"$APP/veltrane.cfg" | grep -v '^$' | tr '\n' ' ')" = \
    "[saver] clockType = 0 resolution = 0 secondHand = 0 secondSound = 0 hourSound = 0 fifteenhourSound = 0 halfhourSound = 0 fortyfivehourSound = 0 random = 0 "

# A window number that names no window: nothing shown, 0, nothing written.
rm "$APP/veltrane.cfg"
start_scr "$APP" /c:123456
scr_exit 30
check "/c with no such window ends with 0 (got $SCR_EXIT)" test "$SCR_EXIT" = 0
check "... and writes nothing" test ! -e "$APP/veltrane.cfg"

finish
