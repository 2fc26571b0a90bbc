// The file operations every platform shares, built on the platform's own.
#include "settings/file_ops.h"

#include <cstdio>

namespace {

std::string quoted(const std::string &path)
{
    return "\"" + path + "\"";
}

bool write_bytes(const char *path, const std::string &bytes)
{
    std::FILE *f = open_file(path, "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool holds(const std::string &path, const std::string &text)
{
    std::string bytes;
    return read_regular_file(path.c_str(), text.size(), bytes) == FileRead::ok && bytes == text;
}

}  // namespace

std::string read_refusal(FileRead read, const std::string &file, std::size_t limit)
{
    switch (read) {
    case FileRead::ok:
        return "";
    case FileRead::failed:
        return quoted(file) + " could not be read (" + file_error_text() + ")";
    case FileRead::not_regular:
        return quoted(file) + " is not a regular file (a folder, a device or a pipe), so it is not saved over";
    case FileRead::too_large:
        break;
    }
    return quoted(file) + " is longer than " + std::to_string(limit / 1024 / 1024) +
           " MB, more than a settings file holds, so it is not saved over";
}

std::string replace_file_contents(const std::string &file, const std::string &text, bool existed)
{
    const std::string temp = file + ".new";
    std::string why;
    remove_file(temp.c_str());
    if (!write_bytes(temp.c_str(), text) || (existed && !copy_permissions(file.c_str(), temp.c_str())) ||
        !sync_file(temp.c_str()))
        why = quoted(temp) + " could not be written (" + file_error_text() + ")";
    else if (!holds(temp, text))
        why = quoted(temp) + " did not read back as written";
    else if (!replace_file(temp.c_str(), file.c_str()))
        why = quoted(temp) + " could not take the place of " + quoted(file) + " (" + file_error_text() + ")";
    else if (!holds(file, text))
        why = quoted(file) + " did not read back as saved";
    remove_file(temp.c_str());
    return why;
}
