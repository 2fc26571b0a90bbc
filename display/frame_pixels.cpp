#include "display/frame_pixels.h"

namespace {

// Where the library keeps each channel of its 32-bit pixels (with no
// display driver of its own, not where a display keeps them).
const PixelFormat &library_format_32()
{
    static const PixelFormat format = pixel_format(
        32, static_cast<uint32_t>(makecol32(255, 0, 0)), static_cast<uint32_t>(makecol32(0, 255, 0)),
        static_cast<uint32_t>(makecol32(0, 0, 255)));
    return format;
}

}  // namespace

void frame_row_to(BITMAP *picture, int x, int y, int count, uint32_t *to, const PixelFormat &format)
{
    const int depth = bitmap_color_depth(picture);
    if (depth == 32 && is_memory_bitmap(picture)) {
        convert_pixels(reinterpret_cast<const uint32_t *>(picture->line[y]) + x, to, count, library_format_32(), format);
        return;
    }
    for (int i = 0; i < count; i++) {
        const int c = getpixel(picture, x + i, y);
        to[i] = pack_rgb(format, getr_depth(depth, c), getg_depth(depth, c), getb_depth(depth, c));
    }
}
