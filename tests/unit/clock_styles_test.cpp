#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>

#include "settings/clock_styles.h"

TEST(ClockStyles, TenNamedRowsAndAWhiteFallbackWithStyleZerosPictures)
{
    std::set<std::string> names;
    std::set<int> previews;
    for (int i = 0; i < CLOCK_STYLE_COUNT; i++) {
        EXPECT_EQ(&clock_style_for(i), &ClockStyleTable[i]);
        ASSERT_NE(ClockStyleTable[i].displayName, nullptr);
        // Each row's pictures carry its own digit.
        const std::string n = std::to_string(i);
        const ClockStyle &s = ClockStyleTable[i];
        EXPECT_EQ(std::string(s.faceFile) + s.hourFile + s.minuteFile + s.secondFile,
                  "clock" + n + ".bmphr" + n + ".bmpmin" + n + ".bmpsec" + n + ".bmp");
        names.insert(ClockStyleTable[i].displayName);
        previews.insert(ClockStyleTable[i].previewBitmap);
    }
    EXPECT_EQ(names.size(), 10u);
    EXPECT_EQ(previews.size(), 10u);
    const ClockStyle &zero = ClockStyleTable[0];
    for (int t : {-1, 10, INT_MIN, INT_MAX}) {
        const ClockStyle &s = clock_style_for(t);
        EXPECT_EQ(&s, &FallbackClockStyle) << t;
        EXPECT_STREQ(s.faceFile, zero.faceFile);
        EXPECT_EQ(s.hourPivot.x, zero.hourPivot.x);
        EXPECT_EQ(s.backgroundColour.r + s.backgroundColour.g + s.backgroundColour.b, 765);
    }
}
