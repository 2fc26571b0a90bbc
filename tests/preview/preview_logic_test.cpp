#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <cstdint>
#include <vector>

#include "resources/embedded_pictures.h"
#include "resources/resource_ids.h"
#include "shell/preview_logic.h"

namespace {

using Bytes = std::vector<unsigned char>;

void put(Bytes &b, std::size_t at, int bytes, uint32_t v)
{
    for (int i = 0; i < bytes; i++)
        b[at + i] = (v >> (8 * i)) & 0xFF;
}

// A 24-bit BMP of two rows of three pixels (three bytes of padding a row, so
// that row order and padding both show), bottom-up unless `topDown`.
const uint32_t SAMPLE[] = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF, 0x000000};

Bytes make_bmp(bool topDown)
{
    const int width = 3, height = 2, stride = 12;
    Bytes b(54 + stride * height, 0xEE);  // padding left non-zero
    std::fill(b.begin() + 2, b.begin() + 54, 0);
    b[0] = 'B';
    b[1] = 'M';
    // at, bytes, value: file size, pixel offset, header size, width, height,
    // planes, bits per pixel; the rest of the header is 0.
    const uint32_t fields[][3] = {{2, 4, static_cast<uint32_t>(b.size())}, {10, 4, 54}, {14, 4, 40},
        {18, 4, width}, {22, 4, static_cast<uint32_t>(topDown ? -height : height)}, {26, 2, 1}, {28, 2, 24}};
    for (const auto &f : fields)
        put(b, f[0], static_cast<int>(f[1]), f[2]);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            put(b, 54 + (topDown ? y : height - 1 - y) * stride + x * 3, 3, SAMPLE[y * width + x]);
    return b;
}

bool refused(const Bytes &file)
{
    RgbPicture picture;
    picture.width = 99;
    return !decode_bmp24(file.data(), file.size(), picture) && picture.width == 0 && picture.pixels.empty();
}

TEST(PreviewParent, NumbersThatCannotBeWindowsAreRefusedSayingWhy)
{
    for (int32_t n : {-1, -2097153, INT32_MIN, INT32_MAX, 0x20000000})
        EXPECT_NE(preview_parent_problem(n), "") << n;
    for (int32_t n : {1, 2097153, 0x1FFFFFFF})
        EXPECT_EQ(preview_parent_problem(n, std::to_string(n) + "abc"), "") << n;
    // The text the 0 was read from: nothing, a zero, or something unread.
    const std::string none = "no preview window was given; start it as \"veltrane /p <window id>\"",
                      unread = "could not read a window number in \"";
    const std::pair<const char *, std::string> zeros[] = {
        {"", none}, {" +00 ", none}, {"abc", unread + "abc\": /p takes one in decimal"},
        {"0x1a00003", unread + "0x1a00003\": /p takes one in decimal, such as 27262979 for 0x1a00003"},
        {" 0x10 x", unread + " 0x10 x\": /p takes one in decimal"},
        {"0x100000000", unread + "0x100000000\": /p takes one in decimal"},
    };
    for (const auto &[text, says] : zeros)
        EXPECT_EQ(preview_parent_problem(0, text), says) << text;
}

TEST(PreviewPicture, BottomUpAndTopDownFilesGiveTheSamePixels)
{
    for (bool topDown : {false, true}) {
        const Bytes file = make_bmp(topDown);
        RgbPicture picture;
        ASSERT_TRUE(decode_bmp24(file.data(), file.size(), picture)) << topDown;
        EXPECT_EQ(picture.width, 3);
        EXPECT_EQ(picture.height, 2);
        EXPECT_EQ(picture.pixels, std::vector<uint32_t>(std::begin(SAMPLE), std::end(SAMPLE))) << topDown;
    }
}

TEST(PreviewPicture, AnythingButAWholeUncompressed24BitFileIsRefused)
{
    const Bytes good = make_bmp(false);
    // Each a field of the header written over: offset, width in bytes, value.
    const struct { std::size_t at; int bytes; uint32_t value; const char *what; } spoiled[] = {
        {0, 2, 'B' | ('A' << 8), "magic"}, {28, 2, 32, "32 bits per pixel"}, {28, 2, 8, "8 bits per pixel"},
        {30, 4, 1, "run-length compressed"}, {14, 4, 12, "old 12-byte header"}, {18, 4, 0, "no width"},
        {18, 4, 0x80000000u, "negative width"}, {22, 4, 0x80000000u, "height that cannot be negated"},
        {18, 4, 100000, "huge width"}, {10, 4, 20, "pixels inside the header"},
        {10, 4, 0xFFFFFFF0u, "pixels far beyond the end"},
    };
    for (const auto &s : spoiled) {
        Bytes changed = good;
        put(changed, s.at, s.bytes, s.value);
        EXPECT_TRUE(refused(changed)) << s.what;
    }
    // Every file cut short is refused, down to nothing; the last row may lack
    // only its padding.
    const std::size_t lastPadding = 3;
    for (std::size_t size = 0; size < good.size() - lastPadding; size++)
        EXPECT_TRUE(refused(Bytes(good.begin(), good.begin() + size))) << "cut to " << size << " bytes";
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
    EXPECT_EQ(picture.pixels.front(), 0xFFFFFFu);
    EXPECT_EQ(picture.pixels.back(), 0xFFFFFFu);
    int dark = 0;
    for (uint32_t p : picture.pixels)
        dark += ((p >> 16) & 0xFF) < 128 && ((p >> 8) & 0xFF) < 128 && (p & 0xFF) < 128;
    EXPECT_GT(dark, 200) << "the face's rim and hands";
}

}  // namespace
