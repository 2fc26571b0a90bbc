#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "resources/embedded_pictures.h"
#include "resources/resource_ids.h"
#include "shell/preview_logic.h"

namespace {

void put_u16(std::vector<unsigned char> &b, std::size_t at, uint32_t v)
{
    b[at] = v & 0xFF;
    b[at + 1] = (v >> 8) & 0xFF;
}

void put_u32(std::vector<unsigned char> &b, std::size_t at, uint32_t v)
{
    put_u16(b, at, v & 0xFFFF);
    put_u16(b, at + 2, v >> 16);
}

// A 24-bit BMP file of `rows` (top row first, pixels 0xRRGGBB), stored
// bottom-up unless `topDown`.
std::vector<unsigned char> make_bmp(const std::vector<std::vector<uint32_t>> &rows, bool topDown)
{
    const int width = static_cast<int>(rows[0].size());
    const int height = static_cast<int>(rows.size());
    const int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> b(54 + stride * height, 0xEE);  // padding left non-zero
    b[0] = 'B';
    b[1] = 'M';
    put_u32(b, 2, static_cast<uint32_t>(b.size()));
    put_u32(b, 6, 0);
    put_u32(b, 10, 54);
    put_u32(b, 14, 40);
    put_u32(b, 18, width);
    put_u32(b, 22, static_cast<uint32_t>(topDown ? -height : height));
    put_u16(b, 26, 1);
    put_u16(b, 28, 24);
    put_u32(b, 30, 0);
    for (std::size_t at = 34; at < 54; at++)
        b[at] = 0;
    for (int y = 0; y < height; y++) {
        const int stored = topDown ? y : height - 1 - y;
        for (int x = 0; x < width; x++) {
            const std::size_t at = 54 + stored * stride + x * 3;
            b[at] = rows[y][x] & 0xFF;
            b[at + 1] = (rows[y][x] >> 8) & 0xFF;
            b[at + 2] = (rows[y][x] >> 16) & 0xFF;
        }
    }
    return b;
}

// Three pixels a row leave three bytes of padding: row order and padding
// both show in the result.
const std::vector<std::vector<uint32_t>> SAMPLE_ROWS = {
    {0xFF0000, 0x00FF00, 0x0000FF},
    {0x123456, 0xFFFFFF, 0x000000},
};

TEST(PreviewParent, NumbersThatCannotBeWindowsAreRefused)
{
    for (int32_t n : {0, -1, -2097153, INT32_MIN, INT32_MAX, 0x20000000}) {
        SCOPED_TRACE(n);
        EXPECT_NE(preview_parent_problem(n), nullptr);
    }
    for (int32_t n : {1, 2097153, 0x1FFFFFFF}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(preview_parent_problem(n), nullptr);
    }
}

TEST(PreviewPicture, BottomUpAndTopDownFilesGiveTheSamePixels)
{
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(topDown ? "top-down" : "bottom-up");
        const std::vector<unsigned char> file = make_bmp(SAMPLE_ROWS, topDown);
        RgbPicture picture;
        ASSERT_TRUE(decode_bmp24(file.data(), file.size(), picture));
        EXPECT_EQ(picture.width, 3);
        EXPECT_EQ(picture.height, 2);
        EXPECT_EQ(picture.pixels, (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0x123456,
                                                          0xFFFFFF, 0x000000}));
    }
}

TEST(PreviewPicture, AnythingButAWholeUncompressed24BitFileIsRefused)
{
    const std::vector<unsigned char> good = make_bmp(SAMPLE_ROWS, false);
    const auto refused = [](std::vector<unsigned char> file) {
        RgbPicture picture;
        picture.width = 99;
        const bool ok = decode_bmp24(file.data(), file.size(), picture);
        return !ok && picture.width == 0 && picture.pixels.empty();
    };

    // Each a field of the header written over: offset, width in bytes, value.
    const struct { std::size_t at; int bytes; uint32_t value; const char *what; } spoiled[] = {
        {0, 2, 'B' | ('A' << 8), "magic"},
        {28, 2, 32, "32 bits per pixel"},
        {28, 2, 8, "8 bits per pixel"},
        {30, 4, 1, "run-length compressed"},
        {14, 4, 12, "old 12-byte header"},
        {18, 4, 0, "no width"},
        {18, 4, 0x80000000u, "negative width"},
        {22, 4, 0x80000000u, "height that cannot be negated"},
        {18, 4, 100000, "huge width"},
        {10, 4, 20, "pixels inside the header"},
        {10, 4, 0xFFFFFFF0u, "pixels far beyond the end"},
    };
    for (const auto &s : spoiled) {
        auto changed = good;
        (s.bytes == 2 ? put_u16 : put_u32)(changed, s.at, s.value);
        EXPECT_TRUE(refused(changed)) << s.what;
    }

    // Every file cut short is refused, down to nothing at all; the last row
    // may lack only its padding.
    const std::size_t lastPadding = 3;
    for (std::size_t size = 0; size < good.size() - lastPadding; size++)
        EXPECT_TRUE(refused(std::vector<unsigned char>(good.begin(), good.begin() + size)))
            << "cut to " << size << " bytes";
    RgbPicture picture;
    EXPECT_TRUE(decode_bmp24(good.data(), good.size() - lastPadding, picture));
    EXPECT_FALSE(decode_bmp24(nullptr, 100, picture));
}

TEST(PreviewPicture, TheBuiltInPictureIsAClockOnWhite)
{
    const EmbeddedPicture bytes = embedded_picture(IDB_PREVIEW_WINDOW);
    RgbPicture picture;
    ASSERT_TRUE(decode_bmp24(bytes.bytes, bytes.size, picture));
    EXPECT_EQ(picture.width, 151);
    EXPECT_EQ(picture.height, 119);
    const auto at = [&](int x, int y) { return picture.pixels[y * picture.width + x]; };
    EXPECT_EQ(at(0, 0), 0xFFFFFFu);
    EXPECT_EQ(at(150, 118), 0xFFFFFFu);
    int dark = 0;
    for (uint32_t p : picture.pixels)
        dark += ((p >> 16) & 0xFF) < 128 && ((p >> 8) & 0xFF) < 128 && (p & 0xFF) < 128;
    EXPECT_GT(dark, 200) << "the face's rim and hands";
}

TEST(PreviewPixel, ColoursFillEachChannelOfTheVisual)
{
    // The usual 24-bit visual keeps the colour as it is.
    EXPECT_EQ(pack_pixel(0x123456, 0xFF0000, 0x00FF00, 0x0000FF), 0x123456u);
    // Channels in the other order.
    EXPECT_EQ(pack_pixel(0x123456, 0x0000FF, 0x00FF00, 0xFF0000), 0x563412u);
    // 16 bits, 5-6-5: the ends stay the ends, the middle is rounded.
    EXPECT_EQ(pack_pixel(0xFFFFFF, 0xF800, 0x07E0, 0x001F), 0xFFFFu);
    EXPECT_EQ(pack_pixel(0x000000, 0xF800, 0x07E0, 0x001F), 0u);
    EXPECT_EQ(pack_pixel(0x808080, 0xF800, 0x07E0, 0x001F), (16u << 11) | (32u << 5) | 16u);
    // 30 bits, 10 a channel.
    EXPECT_EQ(pack_pixel(0xFFFFFF, 0x3FF00000, 0x000FFC00, 0x000003FF), 0x3FFFFFFFu);
    EXPECT_EQ(pack_pixel(0xFF0000, 0x3FF00000, 0x000FFC00, 0x000003FF), 0x3FF00000u);
    // A missing channel contributes nothing.
    EXPECT_EQ(pack_pixel(0xFFFFFF, 0xFF0000, 0x00FF00, 0), 0xFFFF00u);
}

TEST(PreviewPixel, OnlyADeeperPixelThanItsChannelsHasSpareBits)
{
    EXPECT_EQ(spare_bits(24, 0xFF0000, 0x00FF00, 0x0000FF), 0u);
    EXPECT_EQ(spare_bits(32, 0xFF0000, 0x00FF00, 0x0000FF), 0xFF000000u);
    EXPECT_EQ(spare_bits(16, 0xF800, 0x07E0, 0x001F), 0u);
    EXPECT_EQ(spare_bits(16, 0x7C00, 0x03E0, 0x001F), 0x8000u);
    EXPECT_EQ(spare_bits(0, 0, 0, 0), 0u);
}

}  // namespace
