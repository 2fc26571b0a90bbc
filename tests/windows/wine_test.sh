# The Windows downloads under Wine. The installer, silent: the saver and its
# folder in the system folder, the uninstaller registered, the version in
# the files' properties. The installed saver shows the clock; its settings
# dialog, with the system folder read-only, saves to the user's roaming
# application-data folder (redirected to a name no code page spells), and
# the next clock follows that file rather than the defaults beside the
# program. The portable zip, unpacked into such a folder too: the clock's
# pixels from a defaults file beside it, the preview in a host's window, 2
# without a window and 1 on a screen too small. The silent uninstall leaves
# none of its files and the user's settings. Exit codes come through
# tests/windows/parent.c, a Windows parent that sees all 16 bits of them.
. "$(dirname "$0")/../e2e/saver_lib.sh"
: "${WINEPREFIX:?run through ctest}"
CAPTION="Veltrane Screen Saver"
SYS=$WINEPREFIX/drive_c/windows/system32 PF="$WINEPREFIX/drive_c/Program Files"
USER_NAME="Zoë Łukasz 山田"
APPDATA="$WINEPREFIX/drive_c/users/$USER_NAME/AppData/Roaming"
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Veltrane'
DESKTOP_KEY='HKCU\Control Panel\Desktop'
APP="$WORK/Zoë 山田"
INSTALLED='C:\windows\system32\veltrane.scr'

# Each display has its own Wine server; none is left behind.
cleanup() {
    wineserver -k 2>/dev/null
    read_only off
    stop_xvfb
    [ -n "${KEEP_WORK:-}" ] || rm -rf "$WORK"
}
wineserver -k 2>/dev/null
# read_only on|off: the system folder as an ordinary user finds it; root
# writes through permissions, not through a read-only mount.
read_only() {
    if [ "$1" = on ]; then
        { mount --bind "$SYS" "$SYS" && mount -o remount,ro,bind "$SYS"; } 2>/dev/null || chmod a-w "$SYS"
    else  # also what a run killed before its end left
        while mountpoint -q "$SYS" && umount -l "$SYS"; do :; done
        chmod u+w "$SYS"
    fi
}
read_only off
reg_value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/.*$2 *REG_[A-Z_]* *//p"; }
product_version() { strings -el "$1" | grep -A1 -x ProductVersion | tail -1; }

# run_scr PROGRAM ARGS...: starts the program through parent.exe, in APP; SCR_PID.
run_scr() {
    (cd "$APP" && exec wine "$BUILD/tests/parent.exe" "$@") >"$WORK/wine.out" 2>&1 &
    SCR_PID=$!
}
# scr_exit SECONDS: sets SCR_EXIT to the program's whole exit code.
scr_exit() {
    wait_exit "$SCR_PID" "$1" >/dev/null
    SCR_EXIT=$(tr -d '\r' <"$WORK/wine.out" | sed -n 's/^exit //p' | tail -1)
    [ -n "$SCR_EXIT" ] || SCR_EXIT="none ($WAIT_STATUS)"
}
ended() { ! kill -0 "$SCR_PID" 2>/dev/null; }
window() { WIN=$(xdotool search --onlyvisible --name "^$CAPTION\$" 2>/dev/null | head -1); [ -n "$WIN" ]; }
# press KEY [COMMAND...]: KEY again each second until COMMAND (the program's
# end) succeeds: Wine may drop keys before its input is ready.
press() {
    local key=$1 i
    shift
    for i in $(seq 20); do
        xdotool windowfocus "$WIN" key "$key" 2>/dev/null
        wait_for 1 "${@:-ended}" && return
    done
}
# banner_shown: the banner's first pixel at 10, 10 of the dialog, wherever it now sits.
banner_shown() {
    eval "$(xdotool getwindowgeometry --shell "$WIN")"
    shows "$WORK/dialog.png" $((X + 10)) $((Y + 10)) "$(pixel "$VELTRANE_PICTURES/banner_120.bmp" 0 0)"
}
dialog_changed() { shot "$WORK/now.png" && [ "$(compare -metric AE "$WORK/dialog.png" "$WORK/now.png" null: 2>&1)" != 0 ]; }
# clock_shown R,G,B: the saver's background and the brand mark of its first redraw.
clock_shown() {
    shot_when "$WORK/clock.png" $((1024 - 57)) $((768 - 13)) "$MARK_RGB" 40 && [ "$(pixel "$WORK/clock.png" 5 5)" = "$1" ]
}

# --- The installer, silent, asked to make the saver the current one --------
start_display 1024x768
wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' /v AppData \
    /t REG_EXPAND_SZ /d "C:\\users\\$USER_NAME\\AppData\\Roaming" /f >/dev/null 2>&1
rm -rf "$SYS/veltrane.scr" "$SYS/veltrane.cfg" "$SYS/morviksoft" "$PF/Veltrane" "$APPDATA/Veltrane"
find "$SYS" "$PF" | sort >"$WORK/before"
wine "$BUILD/veltrane-setup.exe" /S /CURRENT >/dev/null 2>&1
check "the installer puts veltrane.scr and its 42 pictures and sounds in the system folder" \
    eval '[ -f "$SYS/veltrane.scr" ] && [ "$(ls "$SYS/morviksoft/veltrane" | wc -l)" = 42 ]'
UNINSTALLER=$(reg_value "$UNINSTALL_KEY" UninstallString | tr -d '"')
check "an uninstaller is registered ($UNINSTALLER) and is there" [ -f "$(winepath -u "$UNINSTALLER" 2>/dev/null)" ]
check "the version $VELTRANE_VERSION in the installed programs, the installer's and the saver's properties" \
    eval '[ "$(reg_value "$UNINSTALL_KEY" DisplayVersion)" = "$VELTRANE_VERSION" ] &&
          [ "$(product_version "$BUILD/veltrane-setup.exe")" = "$VELTRANE_VERSION" ] &&
          [ "$(product_version "$SYS/veltrane.scr")" = "$VELTRANE_VERSION" ]'
check "/CURRENT makes it the current screen saver" [ "$(reg_value "$DESKTOP_KEY" SCRNSAVE.EXE)" = "$INSTALLED" ]

mkdir -p "$APP"
(cd "$APP/.." && cmake -E tar xf "$BUILD/veltrane-$VELTRANE_VERSION-portable.zip" && mv Veltrane/* "$APP/")

# --- The portable saver in a folder no code page spells, its defaults file beside it
# Test pictures of known colours for style 5, the clock at 03:00:00.
test_style "$APP" 5 401 361 13,12 13,12 20,3
settings "$APP" "clockType = 5" "secondHand = 1"
# Every Wine process of a display shares its server's clock: the pinned
# clock is that of a new server.
wineserver -k 2>/dev/null
clear_stale_faketime
(cd "$APP" && TZ=UTC exec faketime -f "@2026-12-06 03:00:00" wine "$BUILD/tests/parent.exe" \
    '.\veltrane.scr' /s) >"$WORK/wine.out" 2>&1 &
SCR_PID=$!
# Wine may show the first frame a band at a time: the mark, at the bottom, comes last.
check "the brand mark from the resources" shot_when "$WORK/clock.png" $((1024 - 57)) $((768 - 13)) "$MARK_RGB" 40
expect_pixel "the hour hand at 3" "$WORK/clock.png" $((512 + 60)) 384 "$HOUR_RGB"
expect_pixel "background colour of style 5, from the file beside the program" "$WORK/clock.png" 5 5 29,88,119
expect_pixel "the face centred" "$WORK/clock.png" 512 $((384 - 170)) "$FACE_RGB"
window
press space
scr_exit 10

run_scr "$INSTALLED" /s
check "the installed saver shows the clock, style 0 without any settings" clock_shown 200,200,200
window
press space
scr_exit 10
check "a key ends the clock with 0 (got $SCR_EXIT)" [ "$SCR_EXIT" = 0 ]

# --- The installed dialog saves to the user's folder, the system folder read-only
settings "$SYS" "clockType = 5" "secondHand = 1"
read_only on
run_scr "$INSTALLED" /c
check "the dialog opens" wait_for 30 window
check "the banner at 10, 10" wait_for 10 banner_shown
press End dialog_changed  # the last style, 9
press Return
scr_exit 10
check "Enter ends it with OK's code 40011 (got $SCR_EXIT)" [ "$SCR_EXIT" = 40011 ]
check "OK wrote nine keys to %APPDATA%\\Veltrane\\veltrane.cfg: the new style, the defaults' second hand" \
    eval '[ "$(grep -c " = " "$APPDATA/Veltrane/veltrane.cfg")" = 9 ] &&
          grep -q "^clockType = 9" "$APPDATA/Veltrane/veltrane.cfg" && grep -q "^secondHand = 1" "$APPDATA/Veltrane/veltrane.cfg"'
run_scr "$INSTALLED" /s
check "the next clock shows the saved style 9" clock_shown 230,230,230
window
press space
scr_exit 10
read_only off
rm "$SYS/veltrane.cfg"

# --- The preview inside a stand-in host's 200 x 150 area, and without a window
(cd "$APP" && wine "$BUILD/tests/parent.exe" -area 200 150 '.\veltrane.scr') >"$WORK/host.out" 2>&1
check "a 'sspreview' child fills the host's area and ends with 0 when it goes ($(tr -d '\r' <"$WORK/host.out" | tr '\n' ' '))" \
    eval 'grep -q "^child sspreview 200x150" "$WORK/host.out" && grep -q "^exit 0" "$WORK/host.out"'
run_scr '.\veltrane.scr' /p 0
scr_exit 30
check "/p 0 ends with 2 (got $SCR_EXIT)" [ "$SCR_EXIT" = 2 ]

# No graphics mode on a screen smaller than every mode the clock asks for.
wineserver -k 2>/dev/null
start_display 800x600
run_scr '.\veltrane.scr' /s
scr_exit 40
check "/s on an 800x600 screen ends with 1 (got $SCR_EXIT)" [ "$SCR_EXIT" = 1 ]

# --- The silent uninstall: it runs on from a copy of itself, so wait for its last step
wine "$UNINSTALLER" /S >/dev/null 2>&1
check "the uninstaller ends by removing its entry" wait_for 30 eval '! wine reg query "$UNINSTALL_KEY" >/dev/null 2>&1'
find "$SYS" "$PF" | sort >"$WORK/after"
check "it leaves none of its files ($(diff "$WORK/before" "$WORK/after" | tr '\n' ' '))" cmp -s "$WORK/before" "$WORK/after"
check "nor the current screen saver, and keeps the user's settings" \
    eval '[ -z "$(reg_value "$DESKTOP_KEY" SCRNSAVE.EXE)" ] && [ -f "$APPDATA/Veltrane/veltrane.cfg" ]'

finish
