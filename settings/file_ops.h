// The file operations of the settings store that differ between platforms.
// Paths are in the library's text encoding, UTF-8.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// What reading a file found.
enum class FileRead {
    ok,           // `bytes` holds the whole file
    failed,       // it could not be opened or read (file_error_text says why)
    not_regular,  // a folder, a FIFO, a device, a socket: never opened for reading
    too_large,    // more than the limit
};

// Reads the file at `path`, following links, when it is a regular file of at
// most `limit` bytes. It never blocks on a FIFO or reads a device, and never
// holds more than `limit` bytes plus one buffer, even of a file that grows
// while it is read. `bytes` is left empty unless the result is ok.
FileRead read_regular_file(const char *path, std::size_t limit, std::string &bytes);

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

// Why a file that reading found as `read` is not one to save over, for the
// user, or "" when it is.
std::string read_refusal(FileRead read, const std::string &file, std::size_t limit);

// Makes `text` the whole of `file` in one step: it is written to a new file
// beside it (`file` + ".new"), given the old file's permission bits when
// `existed`, forced to the disk and read back, and only then renamed over
// `file`, which is read back too. Returns "" when `file` holds `text`;
// otherwise why not, for the user, `file` left as it was.
std::string replace_file_contents(const std::string &file, const std::string &text, bool existed);
