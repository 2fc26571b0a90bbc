// The settings dialog.
#pragma once

#include <cstdint>

// End codes of the dialog: the ids of its buttons, or 0 for the close box.
constexpr int IDOK_BUTTON = 40011;
constexpr int IDCANCEL_BUTTON = 40010;

// Shows the dialog owned by `parentWindow` (0 for none) and returns its end
// code.
int run_settings_dialog(int32_t parentWindow);
