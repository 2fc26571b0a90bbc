// The settings dialog.
#pragma once

#include <cstdint>

#include "resources/dialog_template.h"

// End codes of the dialog: the ids of its buttons, or 0 for the close box.
constexpr int IDOK_BUTTON = IDC_OK;
constexpr int IDCANCEL_BUTTON = IDC_CANCEL;
constexpr int CLOSE_BOX_CODE = 0;

// The codes when the dialog cannot be shown at all: no display to show it
// on, or (Linux) its module cannot be loaded.
constexpr int NO_DIALOG_DISPLAY = 1;
constexpr int NO_DIALOG_MODULE = 1;

// Shows the dialog owned by `parentWindow` (0 for none) and returns its end
// code. A parent that names no window shows nothing and gives 0.
int run_settings_dialog(int32_t parentWindow);
