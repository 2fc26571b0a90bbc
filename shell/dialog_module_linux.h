// The settings dialog's module: "dialog/veltrane-dialog.so" beside the program,
// loaded only to show the dialog or a message box, so that the clock and
// host mode never load the toolkit's libraries. Its two entry points, and
// the program's way to reach them.
#pragma once

#include <cstdint>
#include <string>

#define DIALOG_MODULE_EXPORT extern "C" __attribute__((visibility("default")))

constexpr char DIALOG_MODULE_FILE[] = "dialog/veltrane-dialog.so";

// In the module. The settings dialog, as run_settings_dialog.
DIALOG_MODULE_EXPORT int veltrane_settings_dialog(int32_t parentWindow);
// A message box, until the user closes it; 1 when there is no display.
DIALOG_MODULE_EXPORT int veltrane_message_box(const char *message, int isError);

// In the program. Shows `message` in a message box through the module; false,
// with `why`, when the module cannot be loaded or no display opened.
bool show_message_box(const std::string &message, bool isError, std::string &why);
