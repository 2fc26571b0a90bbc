# OK and Enter write the file; what the dialog shows is what gets saved.
. "$VELTRANE_SOURCE_DIR/tests/dialog/dialog_lib.sh"
start_display 1024x768
APP=$WORK/app
install_program "$APP"
CFG=$APP/veltrane.cfg

# OK without any change on a missing file creates it, nine keys in save order.
open_dialog "$APP"
click_at_dlu 268 265   # OK
expect_exit "OK ends the dialog as saved" 75
check "a new file holds the header and the nine keys in save order" \
    diff "$CFG" - <<'END'
[saver]
clockType = 0
resolution = 0
secondHand = 0
secondSound = 0
hourSound = 0
fifteenhourSound = 0
halfhourSound = 0
fortyfivehourSound = 0
random = 0
END

# Enter in the style list means OK; an unlisted style and a switch of 2 go
# back as the saver reads them.
printf '# mine\n[other]\nkey = 1\n[saver]\nclockType = 12\nrandom = 1\nsecondHand = 2\nresolution = 9\n' >"$CFG"
open_dialog "$APP"
keys Return
expect_exit "Enter means OK" 75
check "an unlisted style is written back unchanged" grep -qx 'clockType = 12' "$CFG"
check "a stored 2 is written as 0" grep -qx 'secondHand = 0' "$CFG"
check "random stays on" grep -qx 'random = 1' "$CFG"
check "an out-of-range resolution arrives and leaves as 0" grep -qx 'resolution = 0' "$CFG"
check "other sections and comments are kept" grep -qx '# mine' "$CFG"
check "other keys are kept" grep -qx 'key = 1' "$CFG"

# Lists by keyboard, boxes by mouse, then Enter from a ticked box.
rm -f "$CFG"
open_dialog "$APP"
keys Down Down Tab Down           # style 2, resolution 1680x1050
click_at_dlu 190 118              # "Second hand sound"
click_at_dlu 190 148              # "Chime 15 minutes after"
keys Return
expect_exit "Enter on a check box means OK" 75
check "the choices are saved" diff "$CFG" - <<'END'
[saver]
clockType = 2
resolution = 1
secondHand = 0
secondSound = 1
hourSound = 0
fifteenhourSound = 1
halfhourSound = 0
fortyfivehourSound = 0
random = 0
END

finish
