// The clock's decisions as plain values: modes, places, angles, redraws,
// sounds, the exit test, fitting and waiting.
#include <gtest/gtest.h>

#include <vector>

#include "display/clock_logic.h"
#include "display/pixel_format.h"

namespace {

std::tm at(int hour, int minute, int second)
{
    std::tm t{};
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

bool same(const Rect &a, const Rect &b)
{
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

}  // namespace

TEST(GfxMode, SizeFromTheSettingThenAttemptsInOrderUntilOneWorks)
{
    const struct {
        int resolution, desktopResult, desktopW, desktopH, w, h;
    } sizes[] = {
        {0, 0, 1920, 1080, 1920, 1080}, {0, 0, 1280, 720, 1024, 768},  // too few rows
        {0, -1, 2560, 1440, 1024, 768}, {0, 0, 1000, 800, 1024, 768},  // unreadable, too narrow
        {1, 0, 0, 0, 1680, 1050},       {2, 0, 0, 0, 1440, 900},
        {3, 0, 0, 0, 1280, 1024},       {4, 0, 0, 0, 1024, 768},
        {9, 0, 0, 0, 1024, 768},
    };
    for (const auto &s : sizes) {
        const ScreenSize got = saver_screen_size(s.resolution, s.desktopResult, s.desktopW, s.desktopH);
        EXPECT_TRUE(got.width == s.w && got.height == s.h) << s.resolution << " " << s.desktopW;
    }
    // The size at 32 bits, at 16 bits, then 1024 x 768 at 16 bits (even
    // when that was the size), never 1024 x 768 at 32 bits.
    const struct {
        ScreenSize size;
        int working;  // which attempt succeeds; 3: none
        std::vector<GfxModeRequest> asked;
    } cases[] = {
        {{1280, 720}, 0, {{32, 1280, 720}}},
        {{1440, 900}, 1, {{32, 1440, 900}, {16, 1440, 900}}},
        {{1024, 768}, 2, {{32, 1024, 768}, {16, 1024, 768}, {16, 1024, 768}}},
        {{1680, 1050}, 3, {{32, 1680, 1050}, {16, 1680, 1050}, {16, 1024, 768}}},
    };
    for (const auto &c : cases) {
        std::vector<GfxModeRequest> asked;
        const int result = choose_gfx_mode(c.size, [&](const GfxModeRequest &r) {
            asked.push_back(r);
            return static_cast<int>(asked.size()) - 1 == c.working ? 0 : -1;
        });
        EXPECT_EQ(result, c.working == 3 ? 1 : 0);
        ASSERT_EQ(asked.size(), c.asked.size()) << c.size.width;
        for (size_t i = 0; i < asked.size(); i++)
            EXPECT_TRUE(asked[i].depth == c.asked[i].depth && asked[i].width == c.asked[i].width &&
                        asked[i].height == c.asked[i].height)
                << c.size.width << " attempt " << i;
    }
}

TEST(Places, FaceHalvesTakenSeparatelyAndTheDialCentreByTheStylesRule)
{
    const Point p = face_position(1024, 768, 751, 600);
    EXPECT_TRUE(p.x == 137 && p.y == 84);
    EXPECT_LT(face_position(1024, 768, 1200, 900).x, 0) << "a face larger than the screen";
    for (int w : {600, 601, 751}) {
        const Point c = dial_centre(ClockStyleTable[0], face_position(1920, 1080, w, 701), w, 701);
        EXPECT_TRUE(c.x == 960 && c.y == 540) << "the screen's centre for a face " << w << " wide";
        const Point axle = dial_centre(ClockStyleTable[8], {10, 20}, w, w);
        EXPECT_TRUE(axle.x == 394 && axle.y == 386) << "style 8's axle whatever the face's size";
    }
    const Point fallback = dial_centre(clock_style_for(12), {10, 20}, 100, 50);
    EXPECT_TRUE(fallback.x == 60 && fallback.y == 45);
}

TEST(HandAngle, WorkedAngles)
{
    EXPECT_EQ(hand_angle(3, 12, 0, 60), 0);         // 3:00 hour hand unturned
    EXPECT_EQ(hand_angle(0, 60, 0, 60), -4194304);  // minute 0 points up
    EXPECT_EQ(hand_angle(45, 60, 0, 1), 8388608);   // second 45: half a turn from 3
    EXPECT_EQ(hand_angle(13, 12, 0, 60) - hand_angle(1, 12, 0, 60), 16777216);
    EXPECT_EQ(hand_angle(12, 12, 0, 60) - hand_angle(0, 12, 0, 60), 16777216);
    // 23:59 lies beyond a full turn, one minute's worth short of 12 o'clock.
    EXPECT_EQ(hand_angle(23, 12, 59, 60), 29336825);
    // The minute hand moves on with the seconds, in whole divisions.
    EXPECT_EQ(hand_angle(15, 60, 30, 60), 139810);
}

TEST(Pass, RedrawsOnHourMinuteOrSecondAndPlaysWhatTheSwitchesSay)
{
    const std::tm last = at(10, 20, 30);
    std::tm sameTime = last;
    sameTime.tm_mday = 5;
    sameTime.tm_year = 99;
    sameTime.tm_isdst = 1;
    EXPECT_FALSE(time_changed(sameTime, last)) << "date fields never count";
    for (const std::tm &t : {at(10, 20, 31), at(10, 21, 30), at(11, 20, 30), at(9, 20, 30)})
        EXPECT_TRUE(time_changed(t, last));

    // Switches: tick, hour, :15, :30, :45; only exactly 1 is on.
    const struct {
        int32_t tick, hour, fifteen, half, fortyfive;
        bool sound;
        std::tm time;
        bool wantTick, wantChime[CHIME_COUNT];
    } cases[] = {
        {1, 0, 1, 0, 0, true, at(7, 15, 0), true, {false, true, false, false}},
        {1, 0, 1, 0, 0, true, at(7, 15, 1), true, {false, false, false, false}},
        {0, 1, 0, 0, 0, true, at(0, 0, 0), false, {true, false, false, false}},
        {0, 1, 0, 0, 0, true, at(23, 0, 0), false, {true, false, false, false}},  // no hour count
        {2, -1, 0, 1, 1, true, at(3, 0, 0), false, {false, false, false, false}},
        {2, -1, 0, 1, 1, true, at(3, 30, 0), false, {false, false, true, false}},
        {2, -1, 0, 1, 1, true, at(3, 45, 0), false, {false, false, false, true}},
        {1, 1, 1, 1, 1, false, at(12, 0, 0), false, {false, false, false, false}},
    };
    for (const auto &c : cases) {
        SaverSettings s;
        s.secondSound = c.tick;
        s.hourSound = c.hour;
        s.fifteenhourSound = c.fifteen;
        s.halfhourSound = c.half;
        s.fortyfivehourSound = c.fortyfive;
        const PassSounds got = sounds_for_pass(c.time, s, c.sound);
        EXPECT_EQ(got.tick, c.wantTick) << c.time.tm_hour << ":" << c.time.tm_min << ":" << c.time.tm_sec;
        for (int i = 0; i < CHIME_COUNT; i++)
            EXPECT_EQ(got.chime[i], c.wantChime[i]) << c.time.tm_min << " chime " << i;
    }
}

TEST(ExitTest, MovesOfMoreThanTenPixelsButtonsAndTheFiveWatchedKeys)
{
    const Point start{500, 400};
    const InputState still{0, 500, 400, false, false, false, false, false};
    const struct {
        int dx, dy;
        bool ends;
    } moves[] = {{0, 0, false},  {10, 0, false}, {-10, 0, false}, {0, 10, false}, {0, -10, false},
                 {10, 10, false}, {11, 0, true},  {-11, 0, true},  {0, 11, true},  {0, -11, true}};
    for (const auto &m : moves) {
        InputState moved = still;
        moved.mouseX += m.dx;
        moved.mouseY += m.dy;
        EXPECT_EQ(input_ends_saver(moved, start), m.ends) << m.dx << "," << m.dy;
    }
    InputState pressed = still;
    pressed.mouseButtons = 4;
    EXPECT_TRUE(input_ends_saver(pressed, start));
    for (bool InputState::*k : {&InputState::alt, &InputState::altGr, &InputState::leftShift,
                                &InputState::rightShift, &InputState::tab}) {
        InputState key = still;
        key.*k = true;
        EXPECT_TRUE(input_ends_saver(key, start));
    }
    // Keys by their keysyms: the watched ones (under their other names
    // too), keys that type, and modifiers and locks that do neither.
    const struct {
        unsigned keysym;
        KeyRole role;
    } keys[] = {
        {0xffe9, KeyRole::Watched}, {0xfe03, KeyRole::Watched}, {0xffe1, KeyRole::Watched},
        {0xffe2, KeyRole::Watched}, {0xff09, KeyRole::Watched}, {0xfe20, KeyRole::Watched},
        {'a', KeyRole::Types},      {' ', KeyRole::Types},      {0xff0d, KeyRole::Types},  // Return
        {0xffbe, KeyRole::Types},   {0x1008ff13, KeyRole::Types}, {0, KeyRole::Types},      // F1, a media key, none
        {0xffe3, KeyRole::Silent},  {0xffe4, KeyRole::Silent},  {0xffe5, KeyRole::Silent},
        {0xffeb, KeyRole::Silent},  {0xff7f, KeyRole::Silent},  {0xfe11, KeyRole::Silent},  // Level5 shift
    };
    for (const auto &k : keys)
        EXPECT_EQ(key_role(k.keysym), k.role) << std::hex << k.keysym;
}

TEST(Fitting, FrameSizeForAWindowAndTheRectanglesScaledToIt)
{
    const struct {
        int windowW, windowH, faceW, faceH, frameW, frameH;
    } sizes[] = {
        {1920, 1080, 751, 751, 1920, 1080},  // the face fits: the window's own size
        {751, 751, 751, 751, 751, 751},
        {400, 300, 751, 701, 935, 701},      // taller face: grow to its height
        {300, 400, 751, 701, 751, 1002},     // wider face: grow to its width
        {0, 0, 10, 10, 10, 10},              // a window of nothing still gets a frame
    };
    for (const auto &s : sizes) {
        const ScreenSize f = fitted_frame_size(s.windowW, s.windowH, s.faceW, s.faceH);
        EXPECT_TRUE(f.width == s.frameW && f.height == s.frameH) << s.windowW << "x" << s.windowH;
    }
    const struct {
        Rect in, out;
    } rects[] = {
        {{0, 0, 935, 701}, {0, 0, 400, 300}},
        {{100, 100, 1, 1}, {42, 42, 2, 2}},      // every pixel it touches
        {{934, 700, 10, 10}, {399, 299, 1, 1}},  // held inside the window
        {{5, 5, 0, 3}, {0, 0, 0, 0}},
    };
    for (const auto &r : rects)
        EXPECT_TRUE(same(scaled_rect(r.in, {935, 701}, {0, 0, 400, 300}), r.out)) << r.in.x << "," << r.in.y;
    // Placed with bars, and widened for a scaling that reads neighbours.
    EXPECT_TRUE(same(scaled_rect({100, 100, 10, 10}, {1024, 768}, {240, 0, 1440, 1080}), {380, 140, 15, 15}));
    EXPECT_TRUE(same(scaled_rect({100, 100, 10, 10}, {1024, 768}, {240, 0, 1440, 1080}, 1), {379, 139, 18, 18}));
    EXPECT_TRUE(same(scaled_rect({0, 0, 5, 5}, {1024, 768}, {240, 0, 1440, 1080}, 1), {240, 0, 9, 9}))
        << "held inside the frame's place";
}

TEST(Fitting, EachAreaShowsTheFrameTheResolutionAsksForScaledToFillIt)
{
    const ScreenSize face = {681, 681};
    const struct {
        int resolution;
        ScreenSize area;
        int scale;
        ScreenSize frame;
        Rect placed;
    } cases[] = {
        {0, {1920, 1080}, 1, {1920, 1080}, {0, 0, 1920, 1080}},   // the monitor's own size
        {0, {3840, 2160}, 2, {1920, 1080}, {0, 0, 3840, 2160}},   // 200 %: the clock twice as large
        {0, {3840, 2160}, 1, {3840, 2160}, {0, 0, 3840, 2160}},
        {0, {320, 240}, 1, {908, 681}, {0, 0, 320, 240}},          // a preview pane: larger, scaled down
        {4, {1920, 1080}, 1, {1024, 768}, {240, 0, 1440, 1080}},   // a 4:3 mode: bars at the sides
        {1, {1920, 1080}, 2, {1680, 1050}, {96, 0, 1728, 1080}},   // the scale plays no part
        {3, {1280, 1024}, 1, {1280, 1024}, {0, 0, 1280, 1024}},
        {4, {1080, 1920}, 1, {1024, 768}, {0, 555, 1080, 810}},    // a monitor on its side
        {0, {0, 0}, 1, {681, 681}, {0, 0, 0, 0}},
    };
    for (const auto &c : cases) {
        const ScreenSize frame = composition_size(c.resolution, c.area, c.scale, face);
        EXPECT_TRUE(frame.width == c.frame.width && frame.height == c.frame.height)
            << c.resolution << " " << c.area.width << "x" << c.area.height << ": " << frame.width << "x" << frame.height;
        const Rect placed = fitted_placement(frame, c.area);
        EXPECT_TRUE(same(placed, c.placed)) << placed.x << "," << placed.y << " " << placed.w << "x" << placed.h;
    }
    // The desktop's scale: GDK_SCALE first, then Xft.dpi / 96 rounded.
    const struct {
        const char *gdk, *dpi;
        int scale;
    } scales[] = {
        {nullptr, nullptr, 1}, {"2", "96", 2},   {nullptr, "192", 2}, {nullptr, "144", 2}, {nullptr, "120", 1},
        {"0", "192", 2},       {"x", nullptr, 1}, {"99", nullptr, 1},  {nullptr, "-5", 1},  {"", "288.0", 3},
    };
    for (const auto &c : scales)
        EXPECT_EQ(desktop_scale(c.gdk, c.dpi), c.scale) << (c.gdk ? c.gdk : "-") << " " << (c.dpi ? c.dpi : "-");
}

TEST(Monitors, OneClockPerMonitorMirrorsLeftOutTheWholeScreenWhenNoneIsUsable)
{
    const ScreenSize wide = {3840, 1080};
    const Rect left = {0, 0, 1920, 1080}, right = {1920, 0, 1920, 1080};
    const struct {
        std::vector<Monitor> reported;
        std::vector<Rect> covered;
        const char *what;
    } cases[] = {
        {{{right, false}, {left, false}}, {left, right}, "left to right"},
        {{{left, false}, {right, true}}, {right, left}, "the primary first"},
        {{{left, false}, {right, false}, {{0, 0, 3840, 1080}, true}}, {left, right}, "a wide screen shared out"},
        {{{left, false}, {{0, 0, 1280, 1024}, false}}, {left}, "a mirror at a lower resolution"},
        {{{left, false}, {left, false}}, {left}, "a mirror"},
        {{{{3000, 0, 1920, 1080}, false}}, {{3000, 0, 840, 1080}}, "cut to the screen"},
        {{{{0, 0, 0, 1080}, false}, {{4000, 0, 100, 100}, false}}, {{0, 0, 3840, 1080}}, "nothing usable"},
        {{}, {{0, 0, 3840, 1080}}, "nothing reported"},
    };
    for (const auto &c : cases) {
        const std::vector<Rect> got = monitors_to_cover(c.reported, wide);
        bool match = got.size() == c.covered.size();
        for (size_t i = 0; match && i < got.size(); i++)
            match = same(got[i], c.covered[i]);
        EXPECT_TRUE(match) << c.what << ": " << got.size() << " monitors";
    }
}

TEST(Timing, TheWaitEndsJustAfterTheNextSecond)
{
    EXPECT_EQ(ms_until_next_second(0), 1001);
    EXPECT_EQ(ms_until_next_second(999), 2);
    EXPECT_EQ(ms_until_next_second(1500), 2) << "held to the second";
}

TEST(PixelFormat, ColoursFillEachChannelOfTheVisual)
{
    // colour, red, green and blue masks, pixel
    const uint32_t cases[][5] = {
        {0x123456, 0xFF0000, 0x00FF00, 0x0000FF, 0x123456},                    // the usual 24 bits
        {0x123456, 0x0000FF, 0x00FF00, 0xFF0000, 0x563412},                    // channels reversed
        {0xFFFFFF, 0xF800, 0x07E0, 0x001F, 0xFFFF},                            // 5-6-5: the ends stay
        {0x000000, 0xF800, 0x07E0, 0x001F, 0},                                 // the ends,
        {0x808080, 0xF800, 0x07E0, 0x001F, (16u << 11) | (32u << 5) | 16u},    // the middle is rounded
        {0xFFFFFF, 0x3FF00000, 0x000FFC00, 0x000003FF, 0x3FFFFFFF},            // 10 bits a channel
        {0xFF0000, 0x3FF00000, 0x000FFC00, 0x000003FF, 0x3FF00000},
        {0xFFFFFF, 0xFF0000, 0x00FF00, 0, 0xFFFF00},                           // a missing channel
    };
    for (const auto &c : cases)
        EXPECT_EQ(pack_pixel(c[0], c[1], c[2], c[3]), c[4]) << std::hex << c[0] << " " << c[1];
}

TEST(PixelFormat, OnlyADeeperPixelThanItsChannelsHasSpareBits)
{
    // depth, red, green and blue masks, spare bits
    const uint32_t cases[][5] = {{24, 0xFF0000, 0x00FF00, 0x0000FF, 0}, {32, 0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000},
        {16, 0xF800, 0x07E0, 0x001F, 0}, {16, 0x7C00, 0x03E0, 0x001F, 0x8000}, {0, 0, 0, 0, 0}};
    for (const auto &c : cases)
        EXPECT_EQ(spare_bits(static_cast<int>(c[0]), c[1], c[2], c[3]), c[4]) << c[0] << " " << std::hex << c[1];
}
