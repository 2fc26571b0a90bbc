// Clocks set up from picture files and frames composed in memory, checked
// pixel by pixel, at 16 and 32 bits.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "display/clock_frame.h"
#include "display/clock_view.h"
#include "display/scale.h"
#include "tests/unit/allegro_fixture.h"

namespace {

const int W = 400, H = 300;
const int FACE_W = 241, FACE_H = 201;

struct Colour {
    int r, g, b;
};
const Colour BACKGROUND = {10, 20, 30}, FACE = {250, 250, 250};
const Colour HOUR = {255, 0, 0}, MINUTE = {0, 255, 0}, SECOND = {0, 0, 255};

// A hand picture: a bar three pixels wide along the pivot row, from the
// pivot to the tip, on the mask colour.
BITMAP *bar(int length, int pivotX, int pivotY, Colour c)
{
    BITMAP *b = create_bitmap(pivotX + length, 2 * pivotY + 1);
    clear_to_color(b, bitmap_mask_color(b));
    rectfill(b, pivotX, pivotY - 1, pivotX + length - 1, pivotY + 1, makecol(c.r, c.g, c.b));
    return b;
}

class Frame : public ::testing::TestWithParam<int> {
protected:
    std::filesystem::path dir;
    ClockStyle style = ClockStyleTable[0];
    SaverSettings settings;
    ClockDisplay d;

    void SetUp() override
    {
        set_color_depth(GetParam());
        char tmpl[] = "/tmp/veltrane-frame-XXXXXX";
        dir = mkdtemp(tmpl);
        style.faceFile = "face.bmp";
        style.hourFile = "hour.bmp";
        style.minuteFile = "minute.bmp";
        style.secondFile = "second.bmp";
        style.backgroundColour = {BACKGROUND.r, BACKGROUND.g, BACKGROUND.b};
        style.hourPivot = {4, 3};
        style.minutePivot = {4, 3};
        style.secondPivot = {0, 2};
        save("hour.bmp", bar(40, 4, 3, HOUR));
        save("minute.bmp", bar(70, 4, 3, MINUTE));
        save("second.bmp", bar(90, 0, 2, SECOND));
        BITMAP *face = create_bitmap(FACE_W, FACE_H);
        clear_to_color(face, makecol(FACE.r, FACE.g, FACE.b));
        save("face.bmp", face);
        settings.secondHand = 1;
    }
    void TearDown() override
    {
        free_clock_pictures(d);
        std::filesystem::remove_all(dir);
        set_color_depth(32);
    }
    void save(const char *name, BITMAP *b)
    {
        save_bitmap((dir / name).c_str(), b, nullptr);
        destroy_bitmap(b);
    }
    void load(int w = W, int h = H)
    {
        free_clock_pictures(d);
        AssetPaths paths;
        build_asset_paths(paths, (dir.string() + "/").c_str(), style);
        ASSERT_TRUE(load_clock(d, style, paths, w, h));
    }
    static std::tm at_time(int h, int m, int s)
    {
        std::tm t{};
        t.tm_hour = h;
        t.tm_min = m;
        t.tm_sec = s;
        return t;
    }
    BITMAP *compose(int h, int m, int s)
    {
        BITMAP *frame = create_bitmap(d.frame->w, d.frame->h);
        compose_frame(frame, d, style, settings, at_time(h, m, s));
        return frame;
    }
    static bool is(BITMAP *b, int x, int y, Colour c) { return getpixel(b, x, y) == makecol(c.r, c.g, c.b); }
    // Lies strictly between the two colours on every channel that differs.
    static bool between(BITMAP *b, int x, int y, Colour a, Colour c)
    {
        const int p = getpixel(b, x, y);
        const int v[3] = {getr(p), getg(p), getb(p)}, lo[3] = {a.r, a.g, a.b}, hi[3] = {c.r, c.g, c.b};
        bool strictly = false;
        for (int i = 0; i < 3; i++) {
            if (v[i] < std::min(lo[i], hi[i]) || v[i] > std::max(lo[i], hi[i]))
                return false;
            strictly = strictly || (v[i] != lo[i] && v[i] != hi[i]);
        }
        return strictly;
    }
};

}  // namespace

TEST_P(Frame, HandsPointWhereTheTimeSays)
{
    load();
    const int cx = W / 2, cy = H / 2;
    const struct {
        int h, m, s, secondHand;
        int dx, dy;
        Colour expected;
        const char *what;
    } cases[] = {
        {3, 0, 45, 1, 30, 0, HOUR, "hour hand at 3"},
        {3, 0, 45, 1, 5, -60, MINUTE, "minute hand three quarters of a minute past 12"},
        {3, 0, 45, 1, -80, 0, SECOND, "second hand at 9"},
        {3, 0, 45, 1, 0, 30, FACE, "nothing points down"},
        {3, 0, 45, 1, -cx + 5, -cy + 5, BACKGROUND, "background colour"},
        {9, 30, 0, 1, -28, -7, HOUR, "at 9:30 the hour hand is halfway to 10"},
        {9, 30, 0, 1, 0, 60, MINUTE, "minute hand at 6"},
        {9, 30, 0, 1, 0, -80, SECOND, "second hand at 12"},
        {3, 15, 15, 1, 20, 0, SECOND, "the second hand lies on top"},
        {3, 15, 15, 0, 20, 0, MINUTE, "no second hand when its switch is 0"},
        {3, 15, 15, 2, 20, 0, MINUTE, "no second hand when its switch is 2"},
        {3, 15, 15, -1, 80, 0, FACE, "nor when it is -1"},
    };
    for (const auto &c : cases) {
        settings.secondHand = c.secondHand;
        BITMAP *frame = compose(c.h, c.m, c.s);
        EXPECT_TRUE(is(frame, cx + c.dx, cy + c.dy, c.expected)) << c.what;
        destroy_bitmap(frame);
    }
}

TEST_P(Frame, TurnedHandsHaveBlendedEdgesAndNoMaskColour)
{
    load();
    BITMAP *frame = compose(1, 37, 52);  // every hand oblique
    int blended = 0;
    const int mask = makecol(255, 0, 255);
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++) {
            ASSERT_NE(getpixel(frame, x, y), mask) << x << "," << y;
            blended += between(frame, x, y, HOUR, FACE) || between(frame, x, y, MINUTE, FACE) ||
                       between(frame, x, y, SECOND, FACE);
        }
    // Along 40 + 70 + 90 pixels of oblique edges, both sides.
    EXPECT_GT(blended, 150);
    destroy_bitmap(frame);
}

// Redrawing only the hands' places, second after second, gives exactly the
// frame composed whole, and changes nothing outside the rectangles it
// reports; the brand mark survives hands passing over it.
TEST_P(Frame, RedrawingTheHandsEqualsComposingTheWholeFrame)
{
    // A dial centre near the bottom-right corner sweeps the hands over the mark.
    style.dialCentre = DialCentreRule::FixedOffset;
    style.dialOffset = {FACE_W - 20, FACE_H - 25};
    load();
    const std::tm times[] = {at_time(3, 0, 45), at_time(3, 0, 46), at_time(4, 22, 13), at_time(4, 22, 14),
                             at_time(4, 23, 0), at_time(11, 59, 59), at_time(0, 0, 0), at_time(4, 22, 14)};
    BITMAP *before = create_bitmap(W, H);
    for (int second : {1, 0}) {
        settings.secondHand = second;
        for (const std::tm &t : times) {
            blit(d.frame, before, 0, 0, 0, 0, W, H);
            Rect changed[MAX_CHANGED_RECTS];
            const int count = redraw_frame(d, style, settings, t, changed);
            BITMAP *whole = create_bitmap(W, H);
            compose_frame(whole, d, style, settings, t);
            for (int y = 0; y < H; y++)
                for (int x = 0; x < W; x++) {
                    ASSERT_EQ(getpixel(d.frame, x, y), getpixel(whole, x, y))
                        << x << "," << y << " at " << t.tm_hour << ":" << t.tm_min << ":" << t.tm_sec;
                    if (getpixel(d.frame, x, y) == getpixel(before, x, y))
                        continue;
                    bool inside = false;
                    for (int i = 0; i < count; i++)
                        inside = inside || !rect_is_empty(rect_intersection(changed[i], {x, y, 1, 1}));
                    ASSERT_TRUE(inside) << x << "," << y << " changed outside the reported rectangles";
                }
            destroy_bitmap(whole);
        }
    }
    destroy_bitmap(before);
}

// The mark's lettering lands 5 pixels in from the corner; around it and
// through its mask the background shows.
TEST_P(Frame, BrandMarkSitsFivePixelsInFromTheCorner)
{
    load();
    ASSERT_TRUE(d.brandMarkBitmap && d.brandMarkBitmap->w == 56 && d.brandMarkBitmap->h == 8);
    BITMAP *frame = compose(3, 0, 0);
    int lettering = 0;
    for (int y = -1; y <= 8; y++)
        for (int x = -1; x <= 56; x++) {
            const bool ink = x >= 0 && y >= 0 && x < 56 && y < 8 &&
                             getpixel(d.brandMarkBitmap, x, y) != bitmap_mask_color(d.brandMarkBitmap);
            lettering += ink;
            EXPECT_TRUE(is(frame, W - 61 + x, H - 13 + y, ink ? Colour{85, 85, 85} : BACKGROUND)) << x << "," << y;
        }
    EXPECT_GT(lettering, 40);
    destroy_bitmap(frame);
}

TEST_P(Frame, StyleEightsAxleAndMissingPicturesLeftOut)
{
    style.dialCentre = DialCentreRule::FixedOffset;
    style.dialOffset = {384, 366};
    load(800, 700);
    settings.secondHand = 0;
    BITMAP *frame = compose(3, 0, 0);
    const int ax = 400 - FACE_W / 2 + 384, ay = 350 - FACE_H / 2 + 366;
    EXPECT_TRUE(is(frame, ax + 30, ay, HOUR) && is(frame, ax, ay - 60, MINUTE));
    destroy_bitmap(frame);

    style.dialCentre = DialCentreRule::FaceCentre;
    settings.secondHand = 1;
    std::filesystem::remove(dir / "hour.bmp");
    std::filesystem::remove(dir / "face.bmp");
    load();
    frame = compose(3, 0, 45);
    EXPECT_TRUE(is(frame, W / 2 + 30, H / 2, BACKGROUND)) << "no face, no hour hand";
    EXPECT_TRUE(is(frame, W / 2 + 5, H / 2 - 60, MINUTE)) << "the minute hand turns about the middle";
    destroy_bitmap(frame);
}

// A view whose screen is a bitmap of its own.
class BitmapView : public ClockView {
public:
    explicit BitmapView(ScreenSize size) : size_(size), screen(create_bitmap(size.width, size.height)) {}
    ~BitmapView() override { destroy_bitmap(screen); }
    ScreenSize size() const override { return size_; }
    ScreenSize size_;
    BITMAP *screen;

protected:
    void send(BITMAP *picture, const Rect *rects, int count) override
    {
        for (int i = 0; i < count; i++)
            blit(picture, screen, rects[i].x, rects[i].y, rects[i].x, rects[i].y, rects[i].w, rects[i].h);
    }
};

// A view larger, smaller or of another shape than the frame shows it scaled
// with bars of the style's colour; second after second its redrawn places
// give exactly what a whole repaint of the frame would.
TEST_P(Frame, ScaledViewsFollowTheRedrawsAsAWholeRepaintWould)
{
    load();
    const ScreenSize frame = {W, H};
    for (ScreenSize size : {ScreenSize{W, H}, ScreenSize{900, 500}, ScreenSize{150, 100}, ScreenSize{300, 500}}) {
        BitmapView view(size), fresh(size);
        ASSERT_TRUE(view.fit(frame, style.backgroundColour));
        view.show_all(d.frame);
        for (int second = 10; second < 16; second++) {
            Rect changed[MAX_CHANGED_RECTS];
            const int count = redraw_frame(d, style, settings, at_time(4, 22, second), changed);
            view.show(d.frame, changed, count);
        }
        ASSERT_TRUE(fresh.fit(frame, style.backgroundColour));
        fresh.show_all(d.frame);
        int differing = 0;
        for (int y = 0; y < size.height; y++)
            for (int x = 0; x < size.width; x++)
                differing += getpixel(view.screen, x, y) != getpixel(fresh.screen, x, y);
        EXPECT_EQ(differing, 0) << size.width << "x" << size.height;
        // The corners are bars or background, the middle the face: every
        // channel where it belongs.
        const Rect placed = fitted_placement(frame, size);
        EXPECT_TRUE(is(view.screen, 0, 0, BACKGROUND) && is(view.screen, size.width - 1, size.height - 1, BACKGROUND));
        EXPECT_TRUE(is(view.screen, placed.x + placed.w / 2 - placed.w / 10, placed.y + placed.h / 2 + placed.h / 8, FACE))
            << size.width << "x" << size.height;
        EXPECT_TRUE(is(view.screen, placed.x + 2, placed.y + 2, BACKGROUND)) << "scaled background";
    }
}

// Going up each pixel blends its neighbours (an edge becomes a ramp);
// going down each is the average of the pixels it covers.
TEST_P(Frame, ScalingBlendsGoingUpAndAveragesGoingDown)
{
    BITMAP *edge = create_bitmap(4, 1);
    const Colour dark = {10, 20, 30}, light = {250, 240, 230};
    for (int x = 0; x < 4; x++)
        putpixel(edge, x, 0, x < 2 ? makecol(dark.r, dark.g, dark.b) : makecol(light.r, light.g, light.b));
    BITMAP *up = create_bitmap(16, 1), *down = create_bitmap(2, 1);
    scale_into(edge, up, {0, 0, 16, 1}, {0, 0, 16, 1});
    scale_into(edge, down, {0, 0, 2, 1}, {0, 0, 2, 1});
    EXPECT_TRUE(is(up, 0, 0, dark) && is(up, 15, 0, light) && is(down, 0, 0, dark) && is(down, 1, 0, light));
    int ramp = 0;
    for (int x = 1; x < 16; x++) {
        EXPECT_GE(getr(getpixel(up, x, 0)), getr(getpixel(up, x - 1, 0))) << x;
        ramp += between(up, x, 0, dark, light);
    }
    EXPECT_GE(ramp, 3) << "an edge four times as large is a ramp of several pixels";
    // The ramp is centred on the edge, as pixel centres are.
    EXPECT_NEAR(getr(getpixel(up, 7, 0)) + getr(getpixel(up, 8, 0)), dark.r + light.r, 9);
    BITMAP *third = create_bitmap(3, 1), *twoThirds = create_bitmap(2, 1);
    blit(edge, third, 1, 0, 0, 0, 3, 1);
    scale_into(third, twoThirds, {0, 0, 2, 1}, {0, 0, 2, 1});
    if (GetParam() == 32) {
        // Two thirds of the first pixel and one third of the second.
        EXPECT_NEAR(getr(getpixel(twoThirds, 0, 0)), (2 * dark.r + light.r) / 3, 1);
        EXPECT_NEAR(getb(getpixel(twoThirds, 0, 0)), (2 * dark.b + light.b) / 3, 1);
    }
    for (BITMAP *b : {edge, up, down, third, twoThirds})
        destroy_bitmap(b);
}

INSTANTIATE_TEST_SUITE_P(Depths, Frame, ::testing::Values(16, 32));

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new AllegroEnvironment);
    return RUN_ALL_TESTS();
}
