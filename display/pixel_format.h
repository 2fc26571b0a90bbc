// How a colour becomes a pixel of a true-colour visual, as X11 and other
// display systems describe one: a mask per channel, maybe spare bits.
#pragma once

#include <cstdint>

struct ChannelPlace {
    int shift;           // where the channel's lowest bit lies
    unsigned long top;   // its largest value (the mask shifted down)
};

struct PixelFormat {
    ChannelPlace red, green, blue;
    uint32_t spare;      // bits no channel uses (a 32-bit visual's alpha)
};

PixelFormat pixel_format(int depth, unsigned long redMask, unsigned long greenMask, unsigned long blueMask);

// An 8-bit channel value scaled to the channel, rounded so that 0 and 255
// always reach its ends.
inline uint32_t place_channel(int value, ChannelPlace c)
{
    // The usual 8-bit channel needs no scaling, and this runs for every
    // pixel sent.
    if (c.top == 255)
        return static_cast<uint32_t>(value) << c.shift;
    return static_cast<uint32_t>(((static_cast<unsigned long>(value) * c.top + 127) / 255) << c.shift);
}

// The pixel of r, g, b (0 to 255) with the spare bits set, so that a
// compositor shows it opaque.
inline uint32_t pack_rgb(const PixelFormat &f, int r, int g, int b)
{
    return f.spare | place_channel(r, f.red) | place_channel(g, f.green) | place_channel(b, f.blue);
}

// The pixel value of colour 0xRRGGBB in a visual with these channel masks.
uint32_t pack_pixel(uint32_t rgb, unsigned long redMask, unsigned long greenMask, unsigned long blueMask);

// The bits of a `depth`-bit pixel that no colour channel uses: the alpha
// channel of a 32-bit visual, which must be set for the pixel to be opaque.
uint32_t spare_bits(int depth, unsigned long redMask, unsigned long greenMask, unsigned long blueMask);
