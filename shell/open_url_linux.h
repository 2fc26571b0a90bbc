// Opening a web page in the user's browser.
#pragma once

// Starts "xdg-open address" without a shell and reaps it from the GLib main
// loop when it ends; when it ends with a failure (no browser found, say),
// `failed(data)` is called from that loop. Returns false, calling nothing,
// when it could not be started at all (no xdg-open on this machine).
bool open_url(const char *address, void (*failed)(void *data), void *data);
