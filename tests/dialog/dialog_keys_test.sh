# The keyboard: Tab walks the controls in the template's order, Enter presses
# a focused push button and otherwise means OK, the web buttons leave the
# dialog open.
. "$VELTRANE_SOURCE_DIR/tests/dialog/dialog_lib.sh"
start_display 1024x768
APP=$WORK/app
install_program "$APP"
CFG=$APP/veltrane.cfg

# A stand-in browser opener that notes its arguments.
mkdir -p "$WORK/bin"
cat >"$WORK/bin/xdg-open" <<END
#!/bin/sh
printf '%s|' "\$#" "\$@" >>"$WORK/opened"
echo >>"$WORK/opened"
END
chmod +x "$WORK/bin/xdg-open"
RUN_AS="env PATH=$WORK/bin:$PATH"

# tab_to N: N presses of Tab from the first control.
tab_to() {
    local n=$1 k=()
    for _ in $(seq "$n"); do k+=(Tab); done
    [ "$n" -gt 0 ] && keys "${k[@]}"
}

# after_tabs N KEY... EXPECTED_LINE: Tab N times, type the keys, then Enter;
# the file must hold EXPECTED_LINE.
saves_after_tabs() {
    local n=$1 expected=${*: -1}
    rm -f "$CFG"
    open_dialog "$APP"
    tab_to "$n"
    keys "${@:2:$#-2}" Return
    expect_exit "Tab x$n, ${*:2:$#-2}, Enter saves" 75
    check "Tab x$n reaches the control of '$expected'" grep -qx "$expected" "$CFG"
}

saves_after_tabs 0 Down 'clockType = 1'
saves_after_tabs 1 Down 'resolution = 1'
saves_after_tabs 6 space 'secondHand = 1'
saves_after_tabs 7 space 'secondSound = 1'
saves_after_tabs 8 space 'hourSound = 1'
saves_after_tabs 9 space 'halfhourSound = 1'
saves_after_tabs 10 space 'fortyfivehourSound = 0'
check "Tab x10 is 'Chime 15 minutes after'" grep -qx 'fifteenhourSound = 1' "$CFG"
saves_after_tabs 11 space 'fortyfivehourSound = 1'
saves_after_tabs 12 space 'random = 1'
saves_after_tabs 13 Down 'clockType = 1'

rm -f "$CFG"
open_dialog "$APP"
keys shift+Tab space Return
expect_exit "Shift+Tab goes back to the last control" 75
check "the last control is 'Random'" grep -qx 'random = 1' "$CFG"

# Enter on a focused push button presses that button.
rm -f "$CFG"
open_dialog "$APP"
tab_to 4
keys Return
expect_exit "Enter on the focused Cancel button cancels" 74
check "and writes nothing" test ! -e "$CFG"

open_dialog "$APP"
tab_to 5
keys space
expect_exit "space on the focused OK button saves" 75

# The web buttons: each press opens its page and the dialog stays.
rm -f "$WORK/opened" "$CFG"
open_dialog "$APP"
tab_to 2
keys Return Return
keys Tab Return
sleep 0.5
check "the web buttons leave the dialog open" dialog_alive
check "Visit site opens the site's home page, as one argument" \
    grep -qx '1|https://www.morviksoft.example|' "$WORK/opened"
check "it can be pressed again" test "$(grep -c 'morviksoft.example|$' "$WORK/opened")" = 2
check "Tell A Friend opens the recommendation page" \
    grep -qx '1|https://www.morviksoft.example/passonsoft.php?s=30|' "$WORK/opened"
check "the browser openers are reaped" test -z "$(ps --ppid "$DIALOG_PID" -o stat= | grep Z)"
click_at_dlu 209 265
expect_exit "Cancel after the web buttons" 74

# Return and Escape inside a dropped-down list belong to the list.
RUN_AS="env PATH=$WORK/bin:$PATH"
rm -f "$CFG"
open_dialog "$APP"
keys space Down Down Return    # open the style list, pick the third style
check "Return in an open list picks the item and leaves the dialog open" dialog_alive
keys Tab space Down Escape     # open the resolution list, then close it
check "Escape in an open list leaves the dialog open" dialog_alive
keys Return
expect_exit "then Enter means OK" 75
check "the item picked in the open list is saved" grep -qx 'clockType = 2' "$CFG"
check "the list closed by Escape kept its choice" grep -qx 'resolution = 0' "$CFG"

# Without any xdg-open the dialog stays open and answers.
RUN_AS="env PATH=$WORK/nothing-here"
open_dialog "$APP"
click_at_dlu 50 265      # Visit site
click_at_dlu 119 265     # Tell A Friend
check "without xdg-open the dialog stays open" dialog_alive
check "and says why on stderr" grep -q 'xdg-open' "$WORK/stderr"
click_at_dlu 268 265
expect_exit "and OK still works" 75

finish
