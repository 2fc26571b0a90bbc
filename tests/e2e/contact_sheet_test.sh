# Makes the contact sheet of all ten styles (build/contact-sheet.png) and
# checks that each tile shows its own style's background and a face on it.
. "$(dirname "$0")/lib.sh"

SHEET=$BUILD/contact-sheet.png
check "the contact sheet is made" "$BUILD/tools/veltrane-contact-sheet" "$BUILD/morviksoft/veltrane" "$SHEET"
BACKGROUNDS=(200,200,200 200,200,200 0,0,0 255,255,255 10,10,10 29,88,119 255,255,255 232,232,232 155,42,7 230,230,230)
for i in $(seq 0 9); do
    x=$(( (i % 5) * 512 )) y=$(( (i / 5) * 384 ))
    expect_pixel "style $i tile has its background" "$SHEET" $((x + 4)) $((y + 4)) "${BACKGROUNDS[$i]}"
    # The hubs of some styles have a pin of the background's colour at the very centre.
    hub=$(pixel "$SHEET" $((x + 256)) $((y + 192)))$(pixel "$SHEET" $((x + 258)) $((y + 192)))
    check "style $i tile has something drawn at the centre" test "$hub" != "${BACKGROUNDS[$i]}${BACKGROUNDS[$i]}"
done
finish
