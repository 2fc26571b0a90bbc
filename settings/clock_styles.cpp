#include "settings/clock_styles.h"

namespace {
constexpr DialCentreRule CENTRE = DialCentreRule::FaceCentre;
constexpr HandPivot NO_OFFSET = {0, 0};
}  // namespace

const ClockStyle ClockStyleTable[CLOCK_STYLE_COUNT] = {
    {"School Clock", "clock0.bmp", "hr0.bmp", "min0.bmp", "sec0.bmp",
     {11, 15}, {11, 15}, {11, 15}, {200, 200, 200}, CENTRE, NO_OFFSET, 109},
    {"School 1 Clock", "clock1.bmp", "hr1.bmp", "min1.bmp", "sec1.bmp",
     {11, 17}, {99, 13}, {99, 16}, {200, 200, 200}, CENTRE, NO_OFFSET, 110},
    {"Black and White Clock", "clock2.bmp", "hr2.bmp", "min2.bmp", "sec2.bmp",
     {12, 13}, {33, 31}, {33, 31}, {0, 0, 0}, CENTRE, NO_OFFSET, 123},
    {"Math Clock", "clock3.bmp", "hr3.bmp", "min3.bmp", "sec3.bmp",
     {20, 3}, {20, 6}, {20, 6}, {255, 255, 255}, CENTRE, NO_OFFSET, 125},
    {"Whatever Clock", "clock4.bmp", "hr4.bmp", "min4.bmp", "sec4.bmp",
     {20, 3}, {12, 12}, {12, 12}, {10, 10, 10}, CENTRE, NO_OFFSET, 127},
    {"Pool Clock", "clock5.bmp", "hr5.bmp", "min5.bmp", "sec5.bmp",
     {20, 3}, {13, 12}, {13, 12}, {29, 88, 119}, CENTRE, NO_OFFSET, 129},
    {"Grandfather Clock", "clock6.bmp", "hr6.bmp", "min6.bmp", "sec6.bmp",
     {20, 2}, {16, 16}, {13, 22}, {255, 255, 255}, CENTRE, NO_OFFSET, 131},
    {"Artistic Clock", "clock7.bmp", "hr7.bmp", "min7.bmp", "sec7.bmp",
     {20, 2}, {17, 18}, {17, 18}, {232, 232, 232}, CENTRE, NO_OFFSET, 133},
    {"Old Fashion Wheel Clock", "clock8.bmp", "hr8.bmp", "min8.bmp", "sec8.bmp",
     {19, 5}, {2, 1}, {2, 1}, {155, 42, 7}, DialCentreRule::FixedOffset, {384, 366}, 135},
    {"Funky Clock", "clock9.bmp", "hr9.bmp", "min9.bmp", "sec9.bmp",
     {0, 12}, {3, 56}, {2, 37}, {230, 230, 230}, CENTRE, NO_OFFSET, 137},
};

// Style 0's pictures and pivots, but on white rather than style 0's grey.
const ClockStyle FallbackClockStyle = {
    nullptr, "clock0.bmp", "hr0.bmp", "min0.bmp", "sec0.bmp",
    {11, 15}, {11, 15}, {11, 15}, {255, 255, 255}, CENTRE, NO_OFFSET, 0};

const ClockStyle &clock_style_for(int clockType)
{
    if (is_listed_clock_type(clockType))
        return ClockStyleTable[clockType];
    return FallbackClockStyle;
}
