#include <gtest/gtest.h>

#include <set>
#include <string>

#include "settings/clock_styles.h"

TEST(ClockStyles, EveryRowNamesItsOwnFilesAndPreview)
{
    std::set<int> previews;
    std::set<std::string> names;
    for (int i = 0; i < CLOCK_STYLE_COUNT; i++) {
        const ClockStyle &s = clock_style_for(i);
        EXPECT_EQ(&s, &ClockStyleTable[i]);
        const std::string n = std::to_string(i);
        EXPECT_EQ(std::string(s.faceFile), "clock" + n + ".bmp");
        EXPECT_EQ(std::string(s.hourFile), "hr" + n + ".bmp");
        EXPECT_EQ(std::string(s.minuteFile), "min" + n + ".bmp");
        EXPECT_EQ(std::string(s.secondFile), "sec" + n + ".bmp");
        ASSERT_NE(s.displayName, nullptr);
        names.insert(s.displayName);
        previews.insert(s.previewBitmap);
        EXPECT_EQ(s.dialCentre == DialCentreRule::FixedOffset, i == 8);
    }
    EXPECT_EQ(names.size(), 10u);
    EXPECT_EQ(previews, (std::set<int>{109, 110, 123, 125, 127, 129, 131, 133, 135, 137}));
}

TEST(ClockStyles, OutOfRangeSelectsTheWhiteFallback)
{
    for (int t : {-1, 10, 12, -2147483647 - 1, 2147483647}) {
        const ClockStyle &s = clock_style_for(t);
        EXPECT_EQ(&s, &FallbackClockStyle);
        EXPECT_EQ(s.displayName, nullptr);
        EXPECT_EQ(std::string(s.faceFile), "clock0.bmp");
        EXPECT_EQ(s.hourPivot.x, 11);
        EXPECT_EQ(s.secondPivot.y, 15);
        EXPECT_EQ(s.backgroundColour.r + s.backgroundColour.g + s.backgroundColour.b, 765);
    }
    // Style 0 itself is grey, not white.
    EXPECT_EQ(ClockStyleTable[0].backgroundColour.g, 200);
}

TEST(ClockStyles, DistinctiveRows)
{
    EXPECT_STREQ(ClockStyleTable[8].displayName, "Old Fashion Wheel Clock");
    EXPECT_EQ(ClockStyleTable[8].dialOffset.x, 384);
    EXPECT_EQ(ClockStyleTable[8].dialOffset.y, 366);
    EXPECT_EQ(ClockStyleTable[9].secondPivot.x, 0);
    EXPECT_EQ(ClockStyleTable[1].minutePivot.x, 99);
    EXPECT_EQ(ClockStyleTable[2].backgroundColour.r, 0);
    EXPECT_EQ(ClockStyleTable[4].backgroundColour.r, 10);
    EXPECT_EQ(ClockStyleTable[5].backgroundColour.b, 119);
}
