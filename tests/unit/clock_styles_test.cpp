#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>

#include "settings/clock_styles.h"

TEST(ClockStyles, TenDistinctRowsAndAWhiteFallbackWithStyleZerosPictures)
{
    std::set<std::string> rows;
    for (int i = 0; i < CLOCK_STYLE_COUNT; i++)
        rows.insert(std::string(ClockStyleTable[i].displayName) + ClockStyleTable[i].faceFile +
                    std::to_string(ClockStyleTable[i].previewBitmap));
    EXPECT_EQ(rows.size(), 10u);
    const ClockStyle &zero = ClockStyleTable[0], &fallback = FallbackClockStyle;
    for (int t : {INT_MIN, -1, 0, 9, 10, INT_MAX})
        EXPECT_EQ(&clock_style_for(t), t == 0 || t == 9 ? &ClockStyleTable[t] : &fallback) << t;
    EXPECT_EQ(std::string(fallback.faceFile) + fallback.hourFile + fallback.minuteFile + fallback.secondFile,
              std::string(zero.faceFile) + zero.hourFile + zero.minuteFile + zero.secondFile);
    EXPECT_EQ(fallback.hourPivot.x + fallback.hourPivot.y, zero.hourPivot.x + zero.hourPivot.y);
    EXPECT_EQ(fallback.backgroundColour.r + fallback.backgroundColour.g + fallback.backgroundColour.b, 765);
}
