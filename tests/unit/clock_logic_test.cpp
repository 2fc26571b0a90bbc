#include <gtest/gtest.h>

#include <vector>

#include "display/clock_logic.h"

namespace {

std::tm at(int hour, int minute, int second)
{
    std::tm t{};
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

// Records every mode asked for and answers from a script (0 = success).
struct ScriptedModes {
    std::vector<int> answers;
    std::vector<GfxModeRequest> asked = {};
    int operator()(const GfxModeRequest &r)
    {
        asked.push_back(r);
        return asked.size() <= answers.size() ? answers[asked.size() - 1] : -1;
    }
};

bool same(const GfxModeRequest &a, const GfxModeRequest &b)
{
    return a.depth == b.depth && a.width == b.width && a.height == b.height;
}

}  // namespace

TEST(ScreenSize, ResolutionSettingPicksTheSize)
{
    EXPECT_EQ(saver_screen_size(0, 0, 1920, 1080).width, 1920);
    EXPECT_EQ(saver_screen_size(0, 0, 1920, 1080).height, 1080);
    // A desktop below 768 rows, or one that cannot be read, gives 1024 x 768.
    EXPECT_EQ(saver_screen_size(0, 0, 1280, 720).width, 1024);
    EXPECT_EQ(saver_screen_size(0, 0, 1280, 720).height, 768);
    EXPECT_EQ(saver_screen_size(0, -1, 2560, 1440).width, 1024);
    EXPECT_EQ(saver_screen_size(0, 0, 1000, 800).width, 1024);
    EXPECT_EQ(saver_screen_size(1, 0, 0, 0).width, 1680);
    EXPECT_EQ(saver_screen_size(1, 0, 0, 0).height, 1050);
    EXPECT_EQ(saver_screen_size(2, 0, 0, 0).height, 900);
    EXPECT_EQ(saver_screen_size(3, 0, 0, 0).height, 1024);
    EXPECT_EQ(saver_screen_size(4, 0, 0, 0).width, 1024);
    EXPECT_EQ(saver_screen_size(9, 0, 0, 0).height, 768);
}

// The modes tried in order until one works: the size at 32 bits, at 16
// bits, then 1024 x 768 at 16 bits (even when that was the size), never
// 1024 x 768 at 32 bits.
TEST(GfxModeChoice, AttemptsInOrderUntilOneWorks)
{
    const struct {
        ScreenSize size;
        std::vector<int> answers;
        int result;
        std::vector<GfxModeRequest> asked;
    } cases[] = {
        {{1280, 720}, {0}, 0, {{32, 1280, 720}}},
        {{1440, 900}, {-1, 0}, 0, {{32, 1440, 900}, {16, 1440, 900}}},
        {{1024, 768}, {-1, -1, 0}, 0, {{32, 1024, 768}, {16, 1024, 768}, {16, 1024, 768}}},
        {{1680, 1050}, {-1, -1, -1}, 1, {{32, 1680, 1050}, {16, 1680, 1050}, {16, 1024, 768}}},
    };
    for (const auto &c : cases) {
        ScriptedModes modes{c.answers};
        EXPECT_EQ(choose_gfx_mode(c.size, std::ref(modes)), c.result);
        ASSERT_EQ(modes.asked.size(), c.asked.size()) << c.size.width;
        for (size_t i = 0; i < c.asked.size(); i++)
            EXPECT_TRUE(same(modes.asked[i], c.asked[i])) << c.size.width << " attempt " << i;
    }
}

TEST(HandAngle, WorkedAngles)
{
    EXPECT_EQ(hand_angle(3, 12, 0, 60), 0);                    // 3:00 hour hand unturned
    EXPECT_EQ(hand_angle(0, 60, 0, 60), -4194304);             // minute 0 points up
    EXPECT_EQ(hand_angle(45, 60, 0, 1), 8388608);              // second 45: half a turn from 3
    EXPECT_EQ(hand_angle(13, 12, 0, 60) - hand_angle(1, 12, 0, 60), 16777216);
    EXPECT_EQ(hand_angle(12, 12, 0, 60) - hand_angle(0, 12, 0, 60), 16777216);
    // 23:59 lies beyond a full turn, one minute's worth short of 12 o'clock.
    const int twelve = 2 * 16777216 - 4194304;
    EXPECT_EQ(hand_angle(23, 12, 59, 60), 29336825);
    EXPECT_EQ(twelve - hand_angle(23, 12, 59, 60), 23303);
    // The minute hand moves on with the seconds, in whole divisions.
    EXPECT_EQ(hand_angle(15, 60, 30, 60), 4194304 + 139810 - 4194304);
}

TEST(FacePosition, HalvesAreTakenSeparately)
{
    Point p = face_position(1024, 768, 751, 600);
    EXPECT_EQ(p.x, 137);
    EXPECT_EQ(p.y, 84);
    // A face larger than the screen gets negative coordinates.
    EXPECT_LT(face_position(1024, 768, 1200, 900).x, 0);
}

TEST(DialCentre, FaceCentreIsTheScreenCentre)
{
    for (int w : {600, 601, 751}) {
        Point face = face_position(1920, 1080, w, 701);
        Point c = dial_centre(ClockStyleTable[0], face, w, 701);
        EXPECT_EQ(c.x, 960);
        EXPECT_EQ(c.y, 540);
    }
}

TEST(DialCentre, StyleEightUsesItsAxleWhateverTheFaceSize)
{
    for (int w : {100, 768, 2000}) {
        Point c = dial_centre(ClockStyleTable[8], {10, 20}, w, w);
        EXPECT_EQ(c.x, 394);
        EXPECT_EQ(c.y, 386);
    }
    Point fallback = dial_centre(clock_style_for(12), {10, 20}, 100, 50);
    EXPECT_EQ(fallback.x, 60);
    EXPECT_EQ(fallback.y, 45);
}

TEST(Redraw, OnlyHourMinuteAndSecondCount)
{
    std::tm last = at(10, 20, 30);
    std::tm same = last;
    same.tm_mday = 5;
    same.tm_year = 99;
    same.tm_isdst = 1;
    EXPECT_FALSE(time_changed(same, last));
    EXPECT_TRUE(time_changed(at(10, 20, 31), last));
    EXPECT_TRUE(time_changed(at(10, 21, 30), last));
    EXPECT_TRUE(time_changed(at(11, 20, 30), last));
    EXPECT_TRUE(time_changed(at(9, 20, 30), last));  // the clock set back
}

TEST(PassSounds, TickAndQuarterChimes)
{
    SaverSettings s;
    s.secondSound = 1;
    s.fifteenhourSound = 1;
    PassSounds at15 = sounds_for_pass(at(7, 15, 0), s, true);
    EXPECT_TRUE(at15.tick);
    EXPECT_TRUE(at15.chime[CHIME_FIFTEEN]);
    EXPECT_FALSE(at15.chime[CHIME_HOUR] || at15.chime[CHIME_HALF] || at15.chime[CHIME_FORTYFIVE]);

    PassSounds at15s1 = sounds_for_pass(at(7, 15, 1), s, true);
    EXPECT_TRUE(at15s1.tick);
    EXPECT_FALSE(at15s1.chime[CHIME_FIFTEEN]);

    // The hour is not counted: every full hour gets the same single chime.
    s.hourSound = 1;
    for (int hour : {0, 12, 23})
        EXPECT_TRUE(sounds_for_pass(at(hour, 0, 0), s, true).chime[CHIME_HOUR]);
}

TEST(PassSounds, SwitchesCountOnlyWhenExactlyOne)
{
    SaverSettings s;
    s.secondSound = 2;
    s.hourSound = -1;
    s.halfhourSound = 1;
    s.fortyfivehourSound = 1;
    EXPECT_FALSE(sounds_for_pass(at(3, 0, 0), s, true).tick);
    EXPECT_FALSE(sounds_for_pass(at(3, 0, 0), s, true).chime[CHIME_HOUR]);
    EXPECT_TRUE(sounds_for_pass(at(3, 30, 0), s, true).chime[CHIME_HALF]);
    EXPECT_TRUE(sounds_for_pass(at(3, 45, 0), s, true).chime[CHIME_FORTYFIVE]);
}

TEST(PassSounds, NothingPlaysWithoutSound)
{
    SaverSettings s;
    s.secondSound = s.hourSound = s.fifteenhourSound = s.halfhourSound = s.fortyfivehourSound = 1;
    PassSounds none = sounds_for_pass(at(12, 0, 0), s, false);
    EXPECT_FALSE(none.tick);
    for (bool c : none.chime)
        EXPECT_FALSE(c);
}

TEST(ExitTest, MouseMovesOfMoreThanTenPixels)
{
    const Point start{500, 400};
    InputState still{0, 500, 400, false, false, false, false, false};
    EXPECT_FALSE(input_ends_saver(still, start));
    for (auto [dx, dy] : {std::pair{10, 0}, {-10, 0}, {0, 10}, {0, -10}, {10, 10}}) {
        InputState moved = still;
        moved.mouseX += dx;
        moved.mouseY += dy;
        EXPECT_FALSE(input_ends_saver(moved, start)) << dx << "," << dy;
    }
    for (auto [dx, dy] : {std::pair{11, 0}, {-11, 0}, {0, 11}, {0, -11}}) {
        InputState moved = still;
        moved.mouseX += dx;
        moved.mouseY += dy;
        EXPECT_TRUE(input_ends_saver(moved, start)) << dx << "," << dy;
    }
}

TEST(ExitTest, ButtonsAndWatchedKeys)
{
    const Point start{0, 0};
    InputState base{0, 0, 0, false, false, false, false, false};
    InputState b = base;
    b.mouseButtons = 4;
    EXPECT_TRUE(input_ends_saver(b, start));
    for (bool InputState::*k : {&InputState::alt, &InputState::altGr, &InputState::leftShift,
                                &InputState::rightShift, &InputState::tab}) {
        InputState s = base;
        s.*k = true;
        EXPECT_TRUE(input_ends_saver(s, start));
    }
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
        EXPECT_EQ(f.width, s.frameW) << s.windowW << "x" << s.windowH;
        EXPECT_EQ(f.height, s.frameH) << s.windowW << "x" << s.windowH;
    }
    const struct {
        Rect in;
        Rect out;
    } rects[] = {
        {{0, 0, 935, 701}, {0, 0, 400, 300}},
        {{100, 100, 1, 1}, {42, 42, 2, 2}},      // every pixel it touches
        {{934, 700, 10, 10}, {399, 299, 1, 1}},  // held inside the window
        {{5, 5, 0, 3}, {0, 0, 0, 0}},
    };
    for (const auto &r : rects) {
        const Rect got = scaled_rect(r.in, {935, 701}, {400, 300});
        EXPECT_TRUE(got.x == r.out.x && got.y == r.out.y && got.w == r.out.w && got.h == r.out.h)
            << r.in.x << "," << r.in.y << " gives " << got.x << "," << got.y << " " << got.w << "x" << got.h;
    }
}

TEST(Waiting, UntilJustAfterTheNextSecond)
{
    EXPECT_EQ(ms_until_next_second(0), 1001);
    EXPECT_EQ(ms_until_next_second(999), 2);
    EXPECT_EQ(ms_until_next_second(1500), 2) << "held to the second";
}

TEST(TurnedPicture, BoundsHoldEveryCornerOfThePicture)
{
    // Unturned, a 10 x 4 picture with its pivot at (2, 1) on (100, 50)
    // covers columns 98..107 and rows 49..52, and one pixel more all round.
    Rect r = turned_picture_bounds(10, 4, {2, 1}, {100, 50}, hand_angle(3, 12, 0, 60));
    EXPECT_TRUE(r.x == 97 && r.y == 48 && r.w == 12 && r.h == 6) << r.x << "," << r.y << " " << r.w << "x" << r.h;
    // Pointing up (a quarter turn back), the picture runs from the pivot
    // upwards; rounding of the turn may add a column.
    r = turned_picture_bounds(10, 4, {2, 1}, {100, 50}, hand_angle(0, 12, 0, 60));
    EXPECT_TRUE(r.x <= 98 && r.y == 42 && r.x + r.w >= 104 && r.x + r.w <= 105 && r.h == 12) << "up: " << r.x << "," << r.y << " " << r.w << "x" << r.h;
    EXPECT_TRUE(rect_is_empty(turned_picture_bounds(0, 4, {0, 0}, {0, 0}, 0)));
}
