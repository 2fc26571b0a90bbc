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

void convert_pixels(const uint32_t *in, uint32_t *out, int count, const PixelFormat &from, const PixelFormat &to)
{
    const auto channel = [](uint32_t c, ChannelPlace p) { return static_cast<int>((c >> p.shift) & 0xFF); };
    if (to.red.top != 255 || to.green.top != 255 || to.blue.top != 255) {
        for (int i = 0; i < count; i++)
            out[i] = pack_rgb(to, channel(in[i], from.red), channel(in[i], from.green), channel(in[i], from.blue));
        return;
    }
    // Each channel only moves: plain shifts, with no test a pixel, which
    // the compiler can run several pixels at a time.
    const int rs = from.red.shift, gs = from.green.shift, bs = from.blue.shift;
    const int rt = to.red.shift, gt = to.green.shift, bt = to.blue.shift;
    const uint32_t spare = to.spare;
    for (int i = 0; i < count; i++) {
        const uint32_t c = in[i];
        out[i] = spare | (((c >> rs) & 0xFF) << rt) | (((c >> gs) & 0xFF) << gt) | (((c >> bs) & 0xFF) << bt);
    }
}
