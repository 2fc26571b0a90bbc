// The generated artwork, read back with the library's own loaders exactly as
// the saver and the dialog read it, and checked against what the saver needs.
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <string>

#include "settings/clock_styles.h"

namespace {

const std::string ASSETS = std::string(VELTRANE_ASSET_DIR) + "/", RESOURCES = std::string(VELTRANE_GENERATED_DIR) + "/";

BITMAP *load(const std::string &path, int depth = 32)
{
    set_color_depth(depth);
    BITMAP *b = load_bitmap(path.c_str(), nullptr);
    set_color_depth(32);
    EXPECT_TRUE(b) << path;
    return b;
}

bool masked(BITMAP *b, int x, int y) { return getpixel(b, x, y) == bitmap_mask_color(b); }

// count of pixels for which `test` holds
template <typename Test> int count(BITMAP *b, Test test)
{
    int n = 0;
    for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++)
            n += test(x, y);
    return n;
}

// Each pivot is a painted pixel of its hand. Unturned, a hand shows 3
// o'clock: its farthest painted pixel lies right of the pivot, near the
// pivot's row. Hands reach no farther than the face around the dial centre,
// the minute hand farther than the hour hand. No picture has a pink fringe
// (nearly the mask colour), and at 16 bits no painted pixel turns into it.
TEST(Artwork, EveryStyleFitsAndTurnsAboutItsPivots)
{
    for (int s = 0; s < CLOCK_STYLE_COUNT; s++) {
        const ClockStyle &style = ClockStyleTable[s];
        SCOPED_TRACE(style.faceFile);
        BITMAP *face = load(ASSETS + style.faceFile);
        ASSERT_TRUE(face);
        EXPECT_TRUE(face->w <= 1024 && face->h <= 768) << face->w << "x" << face->h;
        const bool fixed = style.dialCentre == DialCentreRule::FixedOffset;
        const int cx = fixed ? style.dialOffset.x : face->w / 2, cy = fixed ? style.dialOffset.y : face->h / 2;
        const int room = std::min(std::min(cx, face->w - 1 - cx), std::min(cy, face->h - 1 - cy));
        const struct { const char *file; HandPivot pivot; } hands[] = {
            {style.hourFile, style.hourPivot}, {style.minuteFile, style.minutePivot}, {style.secondFile, style.secondPivot}};
        double reach[3] = {};
        for (int h = 0; h < 3; h++) {
            SCOPED_TRACE(hands[h].file);
            BITMAP *hand = load(ASSETS + hands[h].file);
            ASSERT_TRUE(hand);
            const HandPivot p = hands[h].pivot;
            EXPECT_TRUE(p.x >= 0 && p.y >= 0 && p.x < hand->w && p.y < hand->h && !masked(hand, p.x, p.y));
            int tipX = 0, tipY = 0;
            count(hand, [&](int x, int y) {
                const double d = std::hypot(x - p.x, y - p.y);
                if (!masked(hand, x, y) && d > reach[h])
                    reach[h] = d, tipX = x, tipY = y;
                return 0;
            });
            EXPECT_TRUE(tipX > p.x && std::abs(tipY - p.y) < reach[h] / 4) << "tip at " << tipX << "," << tipY;
            EXPECT_LE(reach[h], room);
            destroy_bitmap(hand);
        }
        EXPECT_TRUE(reach[1] > reach[0] && reach[0] >= 60) << reach[0] << " " << reach[1];
        destroy_bitmap(face);
        for (const char *file : {style.faceFile, style.hourFile, style.minuteFile, style.secondFile}) {
            SCOPED_TRACE(file);
            BITMAP *deep = load(ASSETS + file), *shallow = load(ASSETS + file, 16);
            ASSERT_TRUE(deep && shallow && bitmap_color_depth(shallow) == 16);
            EXPECT_EQ(count(deep, [&](int x, int y) {
                          const int c = getpixel(deep, x, y);
                          return !masked(deep, x, y) && getr32(c) > 200 && getg32(c) < 60 && getb32(c) > 200;
                      }), 0) << "pink fringe";
            EXPECT_EQ(count(shallow, [&](int x, int y) { return masked(shallow, x, y); }),
                      count(deep, [&](int x, int y) { return masked(deep, x, y); }));
            destroy_bitmap(deep);
            destroy_bitmap(shallow);
        }
    }
}

// The embedded pictures at the sizes their places need; a preview's corner
// has its style's background and a fair part of it is face.
TEST(Artwork, EmbeddedPicturesHaveTheirSizesAndPreviewsTheirStyle)
{
    const struct { std::string file; int w, h; } sizes[] = {{"banner_120.bmp", 480, 112}, {"preview_window_121.bmp", 151, 119}};
    for (const auto &p : sizes) {
        BITMAP *b = load(RESOURCES + p.file);
        ASSERT_TRUE(b);
        EXPECT_TRUE(b->w == p.w && b->h == p.h) << p.file;
        destroy_bitmap(b);
    }
    for (const ClockStyle &style : ClockStyleTable) {
        SCOPED_TRACE(style.previewBitmap);
        BITMAP *b = load(RESOURCES + "preview_" + std::to_string(style.previewBitmap) + ".bmp");
        ASSERT_TRUE(b);
        EXPECT_TRUE(b->w == 150 && b->h == 150);
        const int corner = getpixel(b, 0, 0);
        const Rgb bg = style.backgroundColour;
        EXPECT_TRUE(getr32(corner) == bg.r && getg32(corner) == bg.g && getb32(corner) == bg.b);
        EXPECT_GT(count(b, [&](int x, int y) { return getpixel(b, x, y) != corner; }), 150 * 150 / 40);
        destroy_bitmap(b);
    }
}

// The two sounds as the saver loads them: 16-bit, loud enough yet never
// clipped; the tick short, the chime a few seconds, dying away to silence.
TEST(Artwork, SoundsAreCleanAndOfTheirLength)
{
    const struct { const char *file; double minSeconds, maxSeconds; } sounds[] = {{"tick.wav", 0.02, 0.08}, {"chime.wav", 2, 6}};
    for (const auto &sound : sounds) {
        SCOPED_TRACE(sound.file);
        SAMPLE *s = load_sample((ASSETS + sound.file).c_str());
        ASSERT_TRUE(s && s->bits == 16 && s->freq >= 22050);
        const double seconds = static_cast<double>(s->len) / s->freq;
        EXPECT_TRUE(seconds >= sound.minSeconds && seconds <= sound.maxSeconds) << seconds;
        const auto *data = static_cast<const uint16_t *>(s->data);  // unsigned: silence is 0x8000
        const unsigned n = s->len * (s->stereo ? 2 : 1);
        int peak = 0, tail = 0;
        for (unsigned i = 0; i < n; i++) {
            const int level = std::abs(static_cast<int>(data[i]) - 0x8000);
            peak = std::max(peak, level);
            tail = i >= n - n / 100 ? std::max(tail, level) : tail;
        }
        EXPECT_TRUE(peak > 0x8000 / 4 && peak < 0x8000 * 95 / 100) << "peak " << peak;
        EXPECT_TRUE(seconds < 1 || tail < 0x8000 / 100) << "the last hundredth is near silence: " << tail;
        destroy_sample(s);
    }
}

}  // namespace

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        return 1;
    return RUN_ALL_TESTS();
}
