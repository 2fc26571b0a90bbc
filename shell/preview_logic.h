// The decisions of the preview window as plain values: whether a window
// number can be a preview area at all, and how the embedded picture's BMP
// bytes become pixels. Nothing here needs a display.
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
