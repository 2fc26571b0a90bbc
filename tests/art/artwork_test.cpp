// The generated artwork, read back with the library's own loaders exactly as
// the saver and the dialog read it, and checked against what the saver
// needs of every style.
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <string>

#include "settings/clock_styles.h"

namespace {

const std::string ASSETS = VELTRANE_ASSET_DIR;
const std::string RESOURCES = VELTRANE_GENERATED_DIR;

// Faces whose picture is framed reach their corners; every other face is
// round or shaped and leaves its corners to the background.
const bool FRAMED[CLOCK_STYLE_COUNT] = {false, false, false, false, true, false, false, false, true, false};

class AllegroEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_EQ(install_allegro(SYSTEM_NONE, &errno, atexit), 0);
        set_color_depth(32);
    }
};

BITMAP *load_picture(const std::string &path)
{
    return load_bitmap(path.c_str(), nullptr);
}

struct Colour {
    int r, g, b;
};

Colour colour_at(BITMAP *b, int x, int y)
{
    const int depth = bitmap_color_depth(b);
    const int c = getpixel(b, x, y);
    return {getr_depth(depth, c), getg_depth(depth, c), getb_depth(depth, c)};
}

bool is_masked(BITMAP *b, int x, int y)
{
    return getpixel(b, x, y) == bitmap_mask_color(b);
}

// Nearly the mask colour but not quite: such a pixel shows as a pink speck,
// and at 16 bits per pixel it may even fall onto the mask colour.
bool is_fringe(BITMAP *b, int x, int y)
{
    if (is_masked(b, x, y))
        return false;
    Colour c = colour_at(b, x, y);
    return c.r > 200 && c.g < 60 && c.b > 200;
}

int count_masked(BITMAP *b)
{
    int n = 0;
    for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++)
            n += is_masked(b, x, y);
    return n;
}

void dial_centre(const ClockStyle &style, BITMAP *face, int &x, int &y)
{
    if (style.dialCentre == DialCentreRule::FixedOffset) {
        x = style.dialOffset.x;
        y = style.dialOffset.y;
    } else {
        x = face->w / 2;
        y = face->h / 2;
    }
}

// The hand's reach: the farthest painted pixel from the pivot.
struct Reach {
    double distance = 0;
    int x = 0, y = 0;
};

Reach hand_reach(BITMAP *hand, HandPivot pivot)
{
    Reach r;
    for (int y = 0; y < hand->h; y++)
        for (int x = 0; x < hand->w; x++) {
            double d = std::hypot(x - pivot.x, y - pivot.y);
            if (!is_masked(hand, x, y) && d > r.distance)
                r = {d, x, y};
        }
    return r;
}

struct HandUnderTest {
    BITMAP *hand;
    HandPivot pivot;
    const char *name;
};

class StyleArtwork : public ::testing::TestWithParam<int> {
protected:
    const ClockStyle &style = ClockStyleTable[GetParam()];
    BITMAP *face = nullptr, *hour = nullptr, *minute = nullptr, *second = nullptr;

    void SetUp() override
    {
        face = load_picture(ASSETS + "/" + style.faceFile);
        hour = load_picture(ASSETS + "/" + style.hourFile);
        minute = load_picture(ASSETS + "/" + style.minuteFile);
        second = load_picture(ASSETS + "/" + style.secondFile);
        ASSERT_TRUE(face && hour && minute && second) << "style " << GetParam() << " is incomplete";
    }

    void TearDown() override
    {
        for (BITMAP *b : {face, hour, minute, second})
            if (b)
                destroy_bitmap(b);
    }
    std::array<HandUnderTest, 3> hands() const
    {
        return {{{hour, style.hourPivot, "hour"},
                 {minute, style.minutePivot, "minute"},
                 {second, style.secondPivot, "second"}}};
    }
};

// Each pivot is a painted pixel of its hand; unturned, a hand shows
// 3 o'clock (its far end right of the pivot, near the pivot's row); hands
// reach no farther than the face around the dial centre, the minute hand
// farther than the hour hand.
TEST_P(StyleArtwork, HandsTurnAboutThemselvesAndFitTheFace)
{
    int cx, cy;
    dial_centre(style, face, cx, cy);
    const int room = std::min(std::min(cx, face->w - 1 - cx), std::min(cy, face->h - 1 - cy));
    double reach[3];
    int i = 0;
    for (const HandUnderTest &h : hands()) {
        SCOPED_TRACE(h.name);
        ASSERT_TRUE(h.pivot.x >= 0 && h.pivot.y >= 0 && h.pivot.x < h.hand->w && h.pivot.y < h.hand->h);
        EXPECT_FALSE(is_masked(h.hand, h.pivot.x, h.pivot.y));
        const Reach r = hand_reach(h.hand, h.pivot);
        EXPECT_GT(r.x, h.pivot.x);
        EXPECT_LT(std::abs(r.y - h.pivot.y), r.distance / 4);
        EXPECT_LE(r.distance, room);
        reach[i++] = r.distance;
    }
    EXPECT_GT(reach[1], reach[0]);
    EXPECT_GE(reach[0], 60) << "an hour hand too short to read across a room";
}

TEST_P(StyleArtwork, FaceFitsTheSmallestScreen)
{
    EXPECT_LE(face->w, 1024);
    EXPECT_LE(face->h, 768);
}

TEST_P(StyleArtwork, FaceCornersShowTheBackgroundOnlyWhereTheFaceIsShaped)
{
    // A round face leaves its corners to the background; a framed face
    // (styles 4 and 8) fills them a few pixels in from its soft edge.
    const bool shaped = !FRAMED[GetParam()];
    const int in = shaped ? 0 : 12;
    EXPECT_EQ(is_masked(face, in, in), shaped);
    EXPECT_EQ(is_masked(face, face->w - 1 - in, in), shaped);
    EXPECT_EQ(is_masked(face, in, face->h - 1 - in), shaped);
    EXPECT_EQ(is_masked(face, face->w - 1 - in, face->h - 1 - in), shaped);
}

TEST_P(StyleArtwork, NoPinkFringeAnywhere)
{
    for (BITMAP *b : {face, hour, minute, second}) {
        int fringe = 0, firstX = -1, firstY = -1;
        for (int y = 0; y < b->h; y++)
            for (int x = 0; x < b->w; x++)
                if (is_fringe(b, x, y) && fringe++ == 0) {
                    firstX = x;
                    firstY = y;
                }
        EXPECT_EQ(fringe, 0) << "first at (" << firstX << ", " << firstY << ") of a " << b->w << "x"
                             << b->h << " picture";
    }
}

// The saver may run at 16 bits per pixel, where neighbouring colours share
// one pixel value: no painted pixel may turn into the mask colour there.
TEST_P(StyleArtwork, NothingTurnsTransparentAtSixteenBits)
{
    for (const char *file : {style.faceFile, style.hourFile, style.minuteFile, style.secondFile}) {
        SCOPED_TRACE(file);
        BITMAP *deep = load_picture(ASSETS + "/" + file);
        set_color_depth(16);
        BITMAP *shallow = load_picture(ASSETS + "/" + file);
        set_color_depth(32);
        ASSERT_TRUE(deep && shallow);
        EXPECT_EQ(bitmap_color_depth(shallow), 16);
        EXPECT_EQ(count_masked(shallow), count_masked(deep));
        destroy_bitmap(deep);
        destroy_bitmap(shallow);
    }
}

INSTANTIATE_TEST_SUITE_P(AllStyles, StyleArtwork, ::testing::Range(0, CLOCK_STYLE_COUNT),
                         [](const ::testing::TestParamInfo<int> &info) {
                             return "Style" + std::to_string(info.param);
                         });

// The two sounds load as the saver loads them, as 16-bit PCM, loud enough
// yet never clipped; the tick is short, the chime lasts a few seconds and
// dies away to silence instead of ending in a click.
TEST(Sounds, TickAndChimeAreCleanAndOfTheirLength)
{
    const struct {
        const char *file;
        double minSeconds, maxSeconds;
    } sounds[] = {{"tick.wav", 0.02, 0.08}, {"chime.wav", 2, 6}};
    for (const auto &sound : sounds) {
        SCOPED_TRACE(sound.file);
        SAMPLE *s = load_sample((ASSETS + "/" + sound.file).c_str());
        ASSERT_TRUE(s && s->bits == 16 && s->freq >= 22050);
        const double seconds = static_cast<double>(s->len) / s->freq;
        EXPECT_TRUE(seconds >= sound.minSeconds && seconds <= sound.maxSeconds) << seconds;
        // Allegro keeps 16-bit samples unsigned: silence is 0x8000.
        const auto *data = static_cast<const uint16_t *>(s->data);
        const unsigned count = s->len * (s->stereo ? 2 : 1);
        int peak = 0, tail = 0;
        for (unsigned i = 0; i < count; i++) {
            const int level = std::abs(static_cast<int>(data[i]) - 0x8000);
            peak = std::max(peak, level);
            if (i >= count - count / 100)
                tail = std::max(tail, level);
        }
        EXPECT_TRUE(peak > 0x8000 / 4 && peak < 0x8000 * 95 / 100) << "peak " << peak;
        if (seconds > 1) {
            EXPECT_LT(tail, 0x8000 / 100) << "the last hundredth is near silence";
        }
        destroy_sample(s);
    }
}

// The pictures carried inside the program, at the sizes their places need.
TEST(EmbeddedPictures, HaveTheirSizes)
{
    const struct {
        std::string file;
        int w, h;
    } pictures[] = {
        {"banner_120.bmp", 480, 112},
        {"preview_window_121.bmp", 151, 119},
    };
    for (const auto &p : pictures) {
        SCOPED_TRACE(p.file);
        BITMAP *b = load_picture(RESOURCES + "/" + p.file);
        ASSERT_TRUE(b);
        EXPECT_EQ(b->w, p.w);
        EXPECT_EQ(b->h, p.h);
        destroy_bitmap(b);
    }
    for (const ClockStyle &style : ClockStyleTable) {
        std::string file = "preview_" + std::to_string(style.previewBitmap) + ".bmp";
        SCOPED_TRACE(file);
        BITMAP *b = load_picture(RESOURCES + "/" + file);
        ASSERT_TRUE(b);
        EXPECT_EQ(b->w, 150);
        EXPECT_EQ(b->h, 150);
        destroy_bitmap(b);
    }
}

// A preview shows its style: its corner has the style's background colour,
// and the face covers a fair part of it (even a face of a few dots and
// hands is more than one flat colour).
TEST(EmbeddedPictures, PreviewsShowTheirStyle)
{
    for (const ClockStyle &style : ClockStyleTable) {
        std::string file = "preview_" + std::to_string(style.previewBitmap) + ".bmp";
        SCOPED_TRACE(file);
        BITMAP *b = load_picture(RESOURCES + "/" + file);
        ASSERT_TRUE(b);
        Colour corner = colour_at(b, 0, 0);
        EXPECT_EQ(corner.r, style.backgroundColour.r);
        EXPECT_EQ(corner.g, style.backgroundColour.g);
        EXPECT_EQ(corner.b, style.backgroundColour.b);
        int differing = 0;
        for (int y = 0; y < b->h; y++)
            for (int x = 0; x < b->w; x++)
                differing += getpixel(b, x, y) != getpixel(b, 0, 0);
        EXPECT_GT(differing, 150 * 150 / 40);
        destroy_bitmap(b);
    }
}

}  // namespace

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new AllegroEnvironment);
    return RUN_ALL_TESTS();
}
