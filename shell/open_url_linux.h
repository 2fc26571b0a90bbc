// Opening a web page in the user's browser.
#pragma once

// Starts "xdg-open address" without a shell and reaps it from the GLib main
// loop when it ends. Returns false when it could not be started (no
// xdg-open on this machine); the caller carries on either way.
bool open_url(const char *address);
