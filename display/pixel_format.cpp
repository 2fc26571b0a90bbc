#include "display/pixel_format.h"

namespace {

ChannelPlace channel_place(unsigned long mask)
{
    if (mask == 0)
        return {0, 0};
    int shift = 0;
    while (!(mask & (1UL << shift)))
        shift++;
    return {shift, mask >> shift};
}

}  // namespace

PixelFormat pixel_format(int depth, unsigned long redMask, unsigned long greenMask, unsigned long blueMask)
{
    return {channel_place(redMask), channel_place(greenMask), channel_place(blueMask),
            spare_bits(depth, redMask, greenMask, blueMask)};
}

uint32_t pack_pixel(uint32_t rgb, unsigned long redMask, unsigned long greenMask, unsigned long blueMask)
{
    return pack_rgb(pixel_format(0, redMask, greenMask, blueMask), (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF,
                    rgb & 0xFF);
}

uint32_t spare_bits(int depth, unsigned long redMask, unsigned long greenMask, unsigned long blueMask)
{
    if (depth <= 0)
        return 0;
    const uint64_t all = depth >= 32 ? 0xFFFFFFFFu : (uint64_t{1} << depth) - 1;
    return static_cast<uint32_t>(all & ~(redMask | greenMask | blueMask));
}
