// The nine settings and the resolution choices, each stated once: the
// settings store, the command line, the settings dialog and the choice of
// graphics mode all read them from here.
#pragma once

#include <cstdint>

#include "settings/settings.h"

struct ScreenResolution {
    const char *caption;  // as the dialog's list shows it
    int width;            // 0 x 0: the desktop's own size
    int height;
};

// Indexed by the resolution setting.
extern const ScreenResolution SCREEN_RESOLUTIONS[SCREEN_RESOLUTION_COUNT];

struct SettingRow {
    const char *key;                 // in the settings file; also the field's name
    int32_t SaverSettings::*field;
    int loadPosition;                // load_settings reads the keys in this order
    int controlId;                   // the dialog's list or check box
    const char *flag;                // --flag N for a number; --flag and --no-flag for a switch
    bool isSwitch;                   // on only when exactly 1
    int32_t largest;                 // a number: --flag takes 0 to this; the file keeps its own fallbacks
    const char *help;                // what --help says of the option
};

// In the order save_settings writes them, which is also the order of the
// dialog's controls: the two lists, then the seven check boxes.
extern const SettingRow SETTING_ROWS[SETTING_COUNT];

// The row that load_settings reads at `position` (0 first).
const SettingRow &setting_in_load_order(int position);
