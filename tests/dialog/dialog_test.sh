# The dialog as the user drives it: the pictures it shows, the keyboard's way
# through its controls in the template's order, and each way out.
. "$VELTRANE_SOURCE_DIR/tests/dialog/dialog_lib.sh"
start_display 1024x768
APP=$WORK/app
install_program "$APP"
CFG=$APP/veltrane.cfg
PREVIEWS=(109 110 123 125 127 129 131 133 135 137)

# The picture control's frame stands at 30, 95 dialog units; the picture
# lies inside its one-pixel border.
preview_region() {
    shot "$WORK/now.png"
    crop "$WORK/now.png" $(( $(dlu_x 30) + 1 )) $(( $(dlu_y 95) + 1 )) 150 150 "$WORK/region.png"
}
shows_preview() { preview_region && same_picture "$WORK/region.png" "$PICTURES/preview_${PREVIEWS[$1]}.bmp"; }
shows_no_preview() { preview_region && test "$(convert "$WORK/region.png" -format %k info:)" = 1; }

# settled_shot OUT BEFORE: screenshots until one differs from BEFORE and the
# next is the same, so that what a key changed is fully drawn.
settled_shot() {
    rm -f "$WORK/last.png"
    settled() {
        shot "$WORK/this.png"
        [ -f "$WORK/last.png" ] && same_picture "$WORK/last.png" "$WORK/this.png" && ! same_picture "$1" "$WORK/this.png" && return
        mv "$WORK/this.png" "$WORK/last.png"
        return 1
    }
    wait_for 10 settled "$2" && mv "$WORK/this.png" "$1"
}

# changed_at A B X Y W H: what differs between two screenshots has its
# middle inside that rectangle of dialog units (a redraw may spill over).
changed_at() {
    local w h x y
    IFS='x+' read -r w h x y < <(convert "$1" "$2" -compose difference -composite -threshold 0 -format '%@' info:)
    x=$((x + w / 2)) y=$((y + h / 2))
    [ "$x" -ge "$(dlu_x "$3")" ] && [ "$y" -ge "$(dlu_y "$4")" ] &&
        [ "$x" -lt "$(dlu_x $(($3 + $5)))" ] && [ "$y" -lt "$(dlu_y $(($4 + $6)))" ]
}

# The seven boxes in Tab order, with their rectangles in dialog units.
BOX_KEYS=(secondHand secondSound hourSound halfhourSound fifteenhourSound fortyfivehourSound random)
BOX_RECTS=("166 94 86 18" "166 109 81 18" "166 124 83 18" "166 155 120 18" "166 139 130 18" "166 172 128 18"
           "21 227 118 16")

# What shows, and the whole Tab order: the two lists, the four push buttons
# passed over, then each box ticked or cleared by space, one at a time.
printf '# mine\n[other]\nkey = 1\n[saver]\nclockType = 4\nresolution = 3\nsecondHand = 2\nhourSound = 1\n' >"$CFG"
open_dialog "$APP"
check "the banner is drawn at 10, 10 as it is" shows_banner
check "the stored style's preview shows" shows_preview 4
expect_pixel "the dialog's ground is a plain light grey" "$WORK/now.png" $((WIN_X + 5)) $((WIN_Y + WIN_H - 5)) \
    "$(pixel "$WORK/now.png" $((WIN_X + WIN_W - 5)) $((WIN_Y + WIN_H / 2)))"
for step in Down:5 End:9 Home:0; do
    keys "${step%:*}"
    check "$step in the style list shows that style's preview at once" wait_for 5 shows_preview "${step#*:}"
done
keys Tab Down Tab Tab Tab Tab
settled_shot "$WORK/before.png" /dev/null
for i in "${!BOX_KEYS[@]}"; do
    keys Tab
    settled_shot "$WORK/focused.png" "$WORK/before.png"
    keys space
    settled_shot "$WORK/before.png" "$WORK/focused.png"
    # shellcheck disable=SC2086
    check "Tab $((i + 7)) reaches ${BOX_KEYS[i]}'s box, and space changes that box alone" \
        changed_at "$WORK/focused.png" "$WORK/before.png" ${BOX_RECTS[i]}
done
keys Tab Down
check "Tab from the last control comes back to the style list" wait_for 5 shows_preview 1
keys shift+Tab space Return
expect_exit "Shift+Tab goes back to Random; Enter on a check box means OK" 75
expected=('# mine' 'key = 1' 'clockType = 1' 'resolution = 4' 'secondHand = 1' 'secondSound = 1' 'hourSound = 0'
          'fifteenhourSound = 1' 'halfhourSound = 1' 'fortyfivehourSound = 1' 'random = 0')
for line in "${expected[@]}"; do
    check "the file holds '$line' (a stored 2 showed clear)" grep -qx "$line" "$CFG"
done

# Escape is a command no control bears; space on the focused OK saves.
rm -f "$CFG"
open_dialog "$APP"
keys Escape Down Escape Tab Tab Tab Tab Tab space
expect_exit "Escape leaves the dialog open, space on the focused OK saves" 75
check "with the style chosen after Escape" grep -qx 'clockType = 1' "$CFG"

# Enter on a focused push button presses that button: Cancel writes nothing.
ORIGINAL='# kept as it is
[saver]
clockType = 3
'
printf '%s' "$ORIGINAL" >"$CFG"
open_dialog "$APP"
keys Down Tab Down Tab Tab Tab Return
expect_exit "Enter on the focused Cancel button cancels" 74
check "Cancel leaves the file byte for byte, with no temporary file" \
    eval 'cmp -s "$CFG" <(printf "%s" "$ORIGINAL") && test ! -e "$CFG.new"'

# The close box: an unlisted style shows no picture and is not saved.
printf '[saver]\nclockType = 12\n' >"$CFG"
open_dialog "$APP"
check "an unlisted style shows an empty picture control" shows_no_preview
keys Tab Down
click_at_dlu 60 235      # "Random"
check "the window takes the close box's message" close_box
expect_exit "the close box ends with 0" 0
check "and writes nothing" grep -qx 'clockType = 12' "$CFG"

# Inside a dropped-down list Return and Escape belong to the list; the web
# buttons open their pages through xdg-open and leave the dialog open.
mkdir -p "$WORK/bin"
cat >"$WORK/bin/xdg-open" <<END
#!/bin/sh
printf '%s|' "\$#" "\$@" >>"$WORK/opened"
echo >>"$WORK/opened"
END
chmod +x "$WORK/bin/xdg-open"
rm -f "$CFG"
RUN_AS="env PATH=$WORK/bin:$PATH" open_dialog "$APP"
# A dropped-down list is a window of its own, which takes the keys once shown.
windows_shown() { test "$(xdotool search --onlyvisible --pid "$DIALOG_PID" 2>/dev/null | wc -l)" = "$1"; }
keys space
wait_for 5 windows_shown 2
keys Down Down Return
check "Return in an open list picks the item" wait_for 5 shows_preview 2
wait_for 5 windows_shown 1
keys Tab space
wait_for 5 windows_shown 2
keys Down Escape
check "Escape closes an open list and leaves the dialog" wait_for 5 windows_shown 1
keys Tab Return Return Tab Return
pages_opened() { test "$(wc -l <"$WORK/opened" 2>/dev/null)" = 3; }
no_zombies() { test -z "$(ps --ppid "$DIALOG_PID" -o stat= | grep Z)"; }
check "Visit site twice and Tell A Friend once open three pages" wait_for 10 pages_opened
check "the dialog stays open" dialog_alive
check "the pages, each one argument" diff "$WORK/opened" - <<'END'
1|https://www.morviksoft.example|
1|https://www.morviksoft.example|
1|https://www.morviksoft.example/passonsoft.php?s=30|
END
check "the browser openers are reaped" wait_for 5 no_zombies
click_at_dlu 268 265     # OK
expect_exit "OK by the mouse saves" 75
check "the item picked in the open list is saved" grep -qx 'clockType = 2' "$CFG"
check "the list closed by Escape kept its choice" grep -qx 'resolution = 0' "$CFG"

finish
