# Cancel, the close box and Escape write nothing, even after the lists changed.
. "$VELTRANE_SOURCE_DIR/tests/dialog/dialog_lib.sh"
start_display 1024x768
APP=$WORK/app
install_program "$APP"
CFG=$APP/veltrane.cfg
ORIGINAL='# kept as it is
[saver]
clockType = 3
resolution = 2
secondHand = 1
'

change_everything() {
    keys Down Down Tab Down       # style and resolution lists
    click_at_dlu 190 103          # "Display Second hand"
    click_at_dlu 60 235           # "Random"
}

for how in cancel closebox; do
    for start in missing existing; do
        rm -f "$CFG"
        [ $start = existing ] && printf '%s' "$ORIGINAL" >"$CFG"
        open_dialog "$APP"
        change_everything
        if [ $how = cancel ]; then
            click_at_dlu 209 265      # Cancel
            expect_exit "Cancel ends with 40010 ($start file)" 74
        else
            check "the window takes the close box's message" close_box
            expect_exit "the close box ends with 0 ($start file)" 0
        fi
        if [ $start = missing ]; then
            check "$how leaves a missing file missing" test ! -e "$CFG"
        else
            check "$how leaves the file byte for byte as it was" cmp -s "$CFG" <(printf '%s' "$ORIGINAL")
        fi
        check "$how leaves no temporary file" test ! -e "$CFG.new"
    done
done

# Escape is a command no control bears: the dialog stays open.
printf '%s' "$ORIGINAL" >"$CFG"
open_dialog "$APP"
keys Down Escape
check "Escape leaves the dialog open" dialog_alive
keys Escape Escape
check "repeated Escape leaves it open too" dialog_alive
click_at_dlu 209 265
expect_exit "and Cancel still ends it" 74
check "Escape wrote nothing" cmp -s "$CFG" <(printf '%s' "$ORIGINAL")

finish
