#include "settings/settings_table.h"

#include "resources/dialog_template.h"

const ScreenResolution SCREEN_RESOLUTIONS[SCREEN_RESOLUTION_COUNT] = {
    {"Current Resolution", 0, 0},
    {"1680x1050", 1680, 1050},
    {"1440x900", 1440, 900},
    {"1280x1024", 1280, 1024},
    {"1024x768", 1024, 768},
};

const SettingRow SETTING_ROWS[SETTING_COUNT] = {
    {"clockType", &SaverSettings::clockType, 1, IDC_STYLE_LIST, "style", false, CLOCK_STYLE_COUNT - 1,
     "clock style"},
    {"resolution", &SaverSettings::resolution, 0, IDC_RESOLUTION_LIST, "resolution", false,
     SCREEN_RESOLUTION_COUNT - 1, "screen size"},
    {"secondHand", &SaverSettings::secondHand, 2, IDC_SECOND_HAND, "second-hand", true, 1,
     "draw the second hand"},
    {"secondSound", &SaverSettings::secondSound, 3, IDC_SECOND_SOUND, "tick", true, 1, "tick every second"},
    {"hourSound", &SaverSettings::hourSound, 4, IDC_HOUR_CHIME, "chime-hour", true, 1, "chime at the full hour"},
    {"fifteenhourSound", &SaverSettings::fifteenhourSound, 5, IDC_FIFTEEN_CHIME, "chime-15", true, 1,
     "chime at a quarter past"},
    {"halfhourSound", &SaverSettings::halfhourSound, 6, IDC_HALF_HOUR_CHIME, "chime-30", true, 1,
     "chime at half past"},
    {"fortyfivehourSound", &SaverSettings::fortyfivehourSound, 7, IDC_FORTY_FIVE_CHIME, "chime-45", true, 1,
     "chime at a quarter to"},
    {"random", &SaverSettings::random, 8, IDC_RANDOM, "random", true, 1, "pick the style at random"},
};

const SettingRow &setting_in_load_order(int position)
{
    for (const SettingRow &row : SETTING_ROWS)
        if (row.loadPosition == position)
            return row;
    return SETTING_ROWS[0];
}
