#include "shell/preview_logic.h"

#include "shell/command_line.h"

namespace {

// Larger sides are refused so that a damaged header cannot ask for an
// allocation of gigabytes.
constexpr int64_t LARGEST_SIDE = 32768;

constexpr std::size_t FILE_HEADER_SIZE = 14;
constexpr std::size_t INFO_HEADER_SIZE = 40;

uint32_t read_u16(const unsigned char *p)
{
    return p[0] | (p[1] << 8);
}

uint32_t read_u32(const unsigned char *p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

int32_t read_s32(const unsigned char *p)
{
    return static_cast<int32_t>(read_u32(p));
}

}  // namespace

std::string preview_parent_problem(int32_t parentWindow, const std::string &parentText)
{
    // The number is read as atoi reads it: blanks, a sign, digits. A 0 with
    // more after it was something else, such as an id in hex.
    const size_t number = parentText.find_first_not_of(" \t\n\v\f\r");
    const size_t digits = number == std::string::npos ? number : parentText.find_first_not_of("+-", number);
    const size_t after = digits == std::string::npos ? digits : parentText.find_first_not_of("0123456789", digits);
    if (parentWindow == 0 && after != std::string::npos &&
        parentText.find_first_not_of(" \t\n\v\f\r", after) != std::string::npos) {
        std::string problem = "could not read a window number in \"" + parentText + "\": /p takes one in decimal";
        unsigned long window = 0;
        if (read_host_window(parentText.c_str() + number, window))
            problem += ", such as " + std::to_string(window) + " for " + parentText.substr(number);
        return problem;
    }
    if (parentWindow == 0)
        return "no preview window was given; start it as \"veltrane /p <window id>\"";
    if (parentWindow < 0)
        return "the window number is negative, and X window ids never are";
    if (static_cast<unsigned long>(parentWindow) > LARGEST_X_ID)
        return "the window number is beyond the range of X window ids";
    return "";
}

bool decode_bmp24(const unsigned char *bytes, std::size_t size, RgbPicture &picture)
{
    picture = RgbPicture{};
    if (!bytes || size < FILE_HEADER_SIZE + INFO_HEADER_SIZE || bytes[0] != 'B' || bytes[1] != 'M')
        return false;
    const unsigned char *info = bytes + FILE_HEADER_SIZE;
    const uint32_t dataOffset = read_u32(bytes + 10);
    const uint32_t infoSize = read_u32(info);
    const int64_t width = read_s32(info + 4);
    const int64_t rawHeight = read_s32(info + 8);
    const uint32_t planes = read_u16(info + 12);
    const uint32_t bitsPerPixel = read_u16(info + 14);
    const uint32_t compression = read_u32(info + 16);
    if (infoSize < INFO_HEADER_SIZE || planes != 1 || bitsPerPixel != 24 || compression != 0)
        return false;

    // A negative height stores the rows top to bottom.
    const bool topDown = rawHeight < 0;
    const int64_t height = topDown ? -rawHeight : rawHeight;
    if (width <= 0 || height <= 0 || width > LARGEST_SIDE || height > LARGEST_SIDE)
        return false;
    const int64_t stride = (width * 3 + 3) & ~int64_t{3};
    if (dataOffset < FILE_HEADER_SIZE + infoSize ||
        static_cast<int64_t>(dataOffset) + stride * (height - 1) + width * 3 >
            static_cast<int64_t>(size))
        return false;

    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    picture.pixels.resize(static_cast<std::size_t>(width * height));
    for (int64_t y = 0; y < height; y++) {
        const int64_t storedRow = topDown ? y : height - 1 - y;
        const unsigned char *p = bytes + dataOffset + storedRow * stride;
        uint32_t *out = &picture.pixels[static_cast<std::size_t>(y * width)];
        for (int64_t x = 0; x < width; x++, p += 3)
            out[x] = (static_cast<uint32_t>(p[2]) << 16) | (p[1] << 8) | p[0];
    }
    return true;
}
