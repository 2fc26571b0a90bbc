# What the dialog shows: the banner at 10, 10, the chosen style's preview in
# the picture control, changing as the style list changes. Screenshots are
# kept in build/tests/dialog/screenshots.
. "$VELTRANE_SOURCE_DIR/tests/dialog/dialog_lib.sh"
start_display 1024x768
APP=$WORK/app
install_program "$APP"
CFG=$APP/veltrane.cfg
PICTURES=$BUILD/generated/resources
PREVIEWS=(109 110 123 125 127 129 131 133 135 137)

# The picture control's frame stands at 30, 95 dialog units; the picture
# lies inside its one-pixel border.
picture_region() {  # picture_region SHOT OUT
    crop "$1" $(( $(dlu_x 30) + 1 )) $(( $(dlu_y 95) + 1 )) 150 150 "$2"
}

shows_preview() {  # shows_preview SHOT STYLE
    picture_region "$1" "$WORK/region.png"
    same_picture "$WORK/region.png" "$PICTURES/preview_${PREVIEWS[$2]}.bmp"
}

not_shows_preview() { ! shows_preview "$@"; }

printf '[saver]\nclockType = 4\nsecondHand = 1\nhourSound = 1\nresolution = 3\n' >"$CFG"
open_dialog "$APP"
shot "$WORK/open.png"
dialog_shot "$SHOTS/dialog.png"
crop "$WORK/open.png" $((WIN_X + 10)) $((WIN_Y + 10)) 480 112 "$WORK/banner.png"
check "the banner is drawn at 10, 10 as it is" same_picture "$WORK/banner.png" "$PICTURES/banner_120.bmp"
check "the stored style's preview is shown" shows_preview "$WORK/open.png" 4
expect_pixel "the dialog's ground is a plain light grey" "$WORK/open.png" $((WIN_X + 5)) $((WIN_Y + WIN_H - 5)) \
    "$(pixel "$WORK/open.png" $((WIN_X + WIN_W - 5)) $((WIN_Y + WIN_H / 2)))"

keys Down
shot "$WORK/next.png"
dialog_shot "$SHOTS/dialog_style5.png"
check "choosing another style changes the picture at once" shows_preview "$WORK/next.png" 5
check "the old picture is gone" not_shows_preview "$WORK/next.png" 4

keys End
shot "$WORK/last.png"
check "the last style shows its own preview" shows_preview "$WORK/last.png" 9
keys Home
shot "$WORK/first.png"
check "the first style shows its own preview" shows_preview "$WORK/first.png" 0
click_at_dlu 209 265
expect_exit "Cancel" 74

# A style outside the list: no selection and no picture from the ten.
printf '[saver]\nclockType = 12\n' >"$CFG"
open_dialog "$APP"
shot "$WORK/unlisted.png"
dialog_shot "$SHOTS/dialog_unlisted_style.png"
picture_region "$WORK/unlisted.png" "$WORK/region.png"
check "an unlisted style shows an empty picture control" test "$(convert "$WORK/region.png" -format %k info:)" = 1
keys Return
expect_exit "OK" 75
check "and saves the unlisted style back" grep -qx 'clockType = 12' "$CFG"

finish
