// The file operations of the settings store that differ between platforms.
#pragma once

// Forces what was written to the file at `path` onto the disk. True when it
// is there.
bool sync_file(const char *path);

// Puts the file `from` in the place of `to` in one step, replacing any file
// of that name, so that `to` is always either the old file or the new one.
bool replace_file(const char *from, const char *to);
