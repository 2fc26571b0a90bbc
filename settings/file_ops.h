// The file operations of the settings store that differ between platforms.
// Paths are in the library's text encoding, UTF-8.
#pragma once

#include <cstdio>
#include <string>

// Opens the file at `path` as std::fopen does.
std::FILE *open_file(const char *path, const char *mode);

// Removes the file at `path`. True when it is gone.
bool remove_file(const char *path);

// True when the path names something, a dangling link included.
bool has_entry(const char *path);

// Forces what was written to the file at `path` onto the disk. True when it
// is there.
bool sync_file(const char *path);

// Puts the file `from` in the place of `to` in one step, replacing any file
// of that name, so that `to` is always either the old file or the new one.
bool replace_file(const char *from, const char *to);

// The file that a save of `path` must replace: `path` itself, or the file a
// symbolic link there leads to (which may not exist).
std::string file_behind_links(const char *path);

// Gives `to` the permission bits of `from`.
bool copy_permissions(const char *from, const char *to);

// Creates the folders above `path` that do not exist yet.
bool make_parent_folders(const char *path);

// Why the last of these operations, or of the C library's file functions,
// failed, as the system words it.
std::string file_error_text();
