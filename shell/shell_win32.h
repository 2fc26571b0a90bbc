// The Windows shell: the instance handle the entry keeps, and the runners
// that take the host's windows as handles.
#pragma once

#include <windows.h>

// The program's own module, for every load from its resources. Set by
// WinMain before anything else.
extern HINSTANCE app_instance;

// Shows the fixed preview picture in a child of `parentWindow` until the
// host destroys it, and returns the message loop's quit code, 0. A parent
// that is no window shows nothing and returns PREVIEW_NO_PARENT.
int run_preview(HINSTANCE instance, HINSTANCE previousInstance, HWND parentWindow);

// Shows the settings dialog owned by `parentWindow` and returns its end code.
int run_settings_dialog(HINSTANCE instance, HWND parentWindow);
