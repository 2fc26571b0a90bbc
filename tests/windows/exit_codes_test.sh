# The Windows program's modes and exit codes under Wine, on a screen too
# small for any of the saver's graphics modes: the saver gives 1, the
# preview lives in a host's window and gives 0 when that window goes, and a
# preview without a window to live in gives 2 at once.
. "$(dirname "$0")/wine_lib.sh"

start_display 800x600
APP=$WORK/app
install_scr "$APP"
test_style "$APP" 0 401 361 11,15 11,15 11,15

for mode in /s -S; do
    start_scr "$APP" $mode
    scr_exit 40
    check "$mode with no graphics mode ends with 1 (got $SCR_EXIT)" test "$SCR_EXIT" = 1
done
check "no settings file written by the saver" test ! -e "$APP/veltrane.cfg"

# The stand-in host opens a 200 x 150 area, starts "/p HWND" in it, checks
# the child, closes the area and reports.
(cd "$APP" && wine "$BUILD/tests/preview_host.exe" '.\veltrane.scr' 200 150) >"$WORK/host.out" 2>"$WORK/host.err"
status=$?
tr -d '\r' <"$WORK/host.out" | sed 's/^/# host: /'
check "a 'sspreview' child fills the host's area" grep -q "^child sspreview 200x150" "$WORK/host.out"
check "the preview ends with 0 when its area goes" grep -q "^exit 0" "$WORK/host.out"
check "the host saw nothing wrong" test "$status" = 0

for args in "/p 0" "/p" "/p 123456"; do
    start_scr "$APP" $args
    scr_exit 30
    check "$args: no window to live in, ends with 2 (got $SCR_EXIT)" test "$SCR_EXIT" = 2
done

finish
