#include "tools/offscreen_clock.h"

#include "display/clock_logic.h"
#include "display/embedded_bitmap.h"
#include "resources/resource_ids.h"

bool load_offscreen_clock(ClockDisplay &d, const std::string &assetFolder, const ClockStyle &style,
                          int screenWidth, int screenHeight)
{
    auto load = [&](const char *file) { return load_bitmap((assetFolder + "/" + file).c_str(), nullptr); };
    d.hourHandBitmap = load(style.hourFile);
    d.minuteHandBitmap = load(style.minuteFile);
    d.secondHandBitmap = load(style.secondFile);
    d.faceBitmap = load(style.faceFile);
    d.brandMarkBitmap = load_embedded_bitmap(IDB_BRAND_MARK);
    d.background = create_bitmap(screenWidth, screenHeight);
    if (!d.hourHandBitmap || !d.minuteHandBitmap || !d.secondHandBitmap || !d.faceBitmap || !d.background)
        return false;
    const Rgb c = style.backgroundColour;
    clear_to_color(d.background, makecol(c.r, c.g, c.b));
    const Point face = face_position(screenWidth, screenHeight, d.faceBitmap->w, d.faceBitmap->h);
    d.faceX = face.x;
    d.faceY = face.y;
    draw_sprite(d.background, d.faceBitmap, d.faceX, d.faceY);
    return true;
}

void free_offscreen_clock(ClockDisplay &d)
{
    for (BITMAP **b : {&d.hourHandBitmap, &d.minuteHandBitmap, &d.secondHandBitmap, &d.faceBitmap,
                       &d.brandMarkBitmap, &d.background}) {
        if (*b)
            destroy_bitmap(*b);
        *b = nullptr;
    }
}
