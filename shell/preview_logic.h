// The decisions of the preview window as plain values: whether a window
// number can be a preview area at all, how the embedded picture's BMP bytes
// become pixels, and how a colour becomes a pixel value of a true-colour
// visual. Nothing here needs a display.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Exit codes of preview mode besides 0 (the host destroyed the area).
constexpr int PREVIEW_NO_DISPLAY = 1;  // no X display could be opened
constexpr int PREVIEW_NO_PARENT = 2;   // the number names no window

// Why `parentWindow`, read from `parentText`, cannot be a preview area, or
// empty when it may be one (only the X server can then tell whether such a
// window exists).
std::string preview_parent_problem(int32_t parentWindow, const std::string &parentText = "");

// A decoded picture, rows top to bottom, each pixel 0xRRGGBB.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

// Decodes a whole uncompressed 24-bit BMP file. Returns false, leaving
// `picture` empty, for anything else or for a file that is cut short.
bool decode_bmp24(const unsigned char *bytes, std::size_t size, RgbPicture &picture);

// The pixel value of colour 0xRRGGBB in a visual with these channel masks.
uint32_t pack_pixel(uint32_t rgb, unsigned long redMask, unsigned long greenMask,
                    unsigned long blueMask);

// The bits of a `depth`-bit pixel that no colour channel uses: the alpha
// channel of a 32-bit visual, which must be set for the pixel to be opaque.
uint32_t spare_bits(int depth, unsigned long redMask, unsigned long greenMask,
                    unsigned long blueMask);
