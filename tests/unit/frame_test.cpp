// Frames composed in memory, checked pixel by pixel.
#include <gtest/gtest.h>

#include "display/embedded_bitmap.h"
#include "display/full_screen_clock.h"
#include "resources/resource_ids.h"
#include "tests/unit/allegro_fixture.h"

namespace {

const int W = 400, H = 300;

int rgb(int r, int g, int b) { return makecol(r, g, b); }

// A hand picture: a bar along the pivot row from the pivot to the tip.
BITMAP *bar(int length, int pivotX, int pivotY, int colour)
{
    BITMAP *b = create_bitmap(pivotX + length, 2 * pivotY + 1);
    clear_to_color(b, bitmap_mask_color(b));
    rectfill(b, pivotX, pivotY - 1, pivotX + length - 1, pivotY + 1, colour);
    return b;
}

class Frame : public ::testing::Test {
protected:
    ClockDisplay d;
    ClockStyle style = ClockStyleTable[0];
    SaverSettings settings;
    BITMAP *frame = nullptr;

    void SetUp() override
    {
        style.hourPivot = {4, 3};
        style.minutePivot = {4, 3};
        style.secondPivot = {0, 2};
        d.background = create_bitmap(W, H);
        clear_to_color(d.background, rgb(10, 20, 30));
        d.faceBitmap = create_bitmap(241, 201);
        clear_to_color(d.faceBitmap, rgb(250, 250, 250));
        d.faceX = W / 2 - 241 / 2;
        d.faceY = H / 2 - 201 / 2;
        draw_sprite(d.background, d.faceBitmap, d.faceX, d.faceY);
        d.hourHandBitmap = bar(40, 4, 3, rgb(255, 0, 0));
        d.minuteHandBitmap = bar(70, 4, 3, rgb(0, 255, 0));
        d.secondHandBitmap = bar(90, 0, 2, rgb(0, 0, 255));
        d.brandMarkBitmap = load_embedded_bitmap(IDB_BRAND_MARK);
        frame = create_bitmap(W, H);
        settings.secondHand = 1;
    }
    void TearDown() override
    {
        for (BITMAP *b : {d.background, d.faceBitmap, d.hourHandBitmap, d.minuteHandBitmap,
                          d.secondHandBitmap, d.brandMarkBitmap, frame})
            if (b)
                destroy_bitmap(b);
    }
    void compose(int h, int m, int s)
    {
        std::tm t{};
        t.tm_hour = h;
        t.tm_min = m;
        t.tm_sec = s;
        compose_frame(frame, d, style, settings, t);
    }
    int at(int x, int y) { return getpixel(frame, x, y); }
};

}  // namespace

TEST_F(Frame, HandsPointWhereTheTimeSays)
{
    compose(3, 0, 45);
    const int cx = W / 2, cy = H / 2;
    EXPECT_EQ(at(cx + 30, cy), rgb(255, 0, 0)) << "hour hand at 3";
    EXPECT_EQ(at(cx + 4, cy - 60), rgb(0, 255, 0)) << "minute hand 3/4 of a minute past 12";
    EXPECT_EQ(at(cx - 80, cy), rgb(0, 0, 255)) << "second hand at 9";
    EXPECT_EQ(at(cx, cy + 30), rgb(250, 250, 250)) << "nothing points down";
    EXPECT_EQ(at(5, 5), rgb(10, 20, 30)) << "background colour";
}

TEST_F(Frame, HalfPastNineAndSecondsMoveTheMinuteHand)
{
    compose(9, 30, 0);
    const int cx = W / 2, cy = H / 2;
    // At 9:30 the hour hand is halfway between 9 and 10: up and left of 9.
    EXPECT_EQ(at(cx - 28, cy - 7), rgb(255, 0, 0));
    EXPECT_EQ(at(cx, cy + 60), rgb(0, 255, 0)) << "minute hand at 6";
    EXPECT_EQ(at(cx, cy - 80), rgb(0, 0, 255)) << "second hand at 12";
}

TEST_F(Frame, SecondHandOnlyWhenSwitchIsExactlyOne)
{
    for (int value : {0, 2, -1}) {
        settings.secondHand = value;
        compose(3, 0, 45);
        EXPECT_EQ(at(W / 2 - 80, H / 2), rgb(250, 250, 250)) << value;
    }
}

TEST_F(Frame, SecondHandLiesOnTop)
{
    compose(3, 15, 15);  // all three hands point to 3
    EXPECT_EQ(at(W / 2 + 20, H / 2), rgb(0, 0, 255));
}

TEST_F(Frame, BrandMarkSitsFivePixelsInFromTheCorner)
{
    ASSERT_NE(d.brandMarkBitmap, nullptr);
    ASSERT_EQ(d.brandMarkBitmap->w, 56);
    ASSERT_EQ(d.brandMarkBitmap->h, 8);
    compose(3, 0, 0);
    int grey = 0, other = 0;
    const int mask = bitmap_mask_color(d.brandMarkBitmap);
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 56; x++) {
            int p = getpixel(d.brandMarkBitmap, x, y);
            int onFrame = at(W - 61 + x, H - 13 + y);
            if (p == mask) {
                EXPECT_EQ(onFrame, rgb(10, 20, 30)) << "mask pixels stay transparent";
            } else {
                EXPECT_EQ(p, rgb(85, 85, 85));
                EXPECT_EQ(onFrame, rgb(85, 85, 85));
                grey++;
            }
        }
    EXPECT_GT(grey, 40) << "the mark has lettering";
    EXPECT_EQ(other, 0);
    EXPECT_EQ(at(W - 62, H - 13), rgb(10, 20, 30));
    EXPECT_EQ(at(W - 61, H - 14), rgb(10, 20, 30));
}

TEST_F(Frame, StyleEightTurnsAboutItsAxle)
{
    style.dialCentre = DialCentreRule::FixedOffset;
    style.dialOffset = {384, 366};
    d.faceX = -300;
    d.faceY = -250;
    settings.secondHand = 0;
    compose(3, 0, 0);
    EXPECT_EQ(at(84 + 30, 116), rgb(255, 0, 0));
    EXPECT_EQ(at(84, 116 - 60), rgb(0, 255, 0));
}

TEST_F(Frame, MissingPicturesAreLeftOut)
{
    destroy_bitmap(d.hourHandBitmap);
    destroy_bitmap(d.brandMarkBitmap);
    d.hourHandBitmap = d.brandMarkBitmap = nullptr;
    compose(3, 0, 45);
    EXPECT_EQ(at(W / 2 + 30, H / 2), rgb(250, 250, 250));
    EXPECT_EQ(at(W / 2 + 4, H / 2 - 60), rgb(0, 255, 0));
}

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new AllegroEnvironment);
    return RUN_ALL_TESTS();
}
