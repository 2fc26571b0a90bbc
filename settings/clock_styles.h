// The ten clock styles: their pictures, hand pivots, background colours,
// dial-centre rules, dialog names and preview pictures, as constant data.
#pragma once

struct HandPivot {
    int x;
    int y;
};

struct Rgb {
    int r;
    int g;
    int b;
};

enum class DialCentreRule {
    FaceCentre,    // the middle of the face picture
    FixedOffset,   // a fixed offset from the face picture's top-left corner
};

struct ClockStyle {
    const char *displayName;   // nullptr for the fallback row
    const char *faceFile;
    const char *hourFile;
    const char *minuteFile;
    const char *secondFile;
    HandPivot secondPivot;
    HandPivot minutePivot;
    HandPivot hourPivot;
    Rgb backgroundColour;
    DialCentreRule dialCentre;
    HandPivot dialOffset;      // used with DialCentreRule::FixedOffset
    int previewBitmap;         // resource id; 0 for the fallback row
};

constexpr int CLOCK_STYLE_COUNT = 10;

// Rows 0..9 of the table, in the order the settings dialog lists them.
extern const ClockStyle ClockStyleTable[CLOCK_STYLE_COUNT];

// The row every clockType outside 0..9 selects.
extern const ClockStyle FallbackClockStyle;

// The row for clockType: 0..9 give their own row, anything else the fallback.
const ClockStyle &clock_style_for(int clockType);

// True when clockType names one of the ten real rows.
inline bool is_listed_clock_type(int clockType)
{
    return clockType >= 0 && clockType < CLOCK_STYLE_COUNT;
}
