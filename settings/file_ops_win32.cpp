// Windows: rename() there refuses to replace an existing file, so the move
// is asked for explicitly, and written through before it returns.
#include "settings/file_ops.h"

#include <windows.h>

#include <cerrno>
#include <cstring>

namespace {

// The C library's functions set errno, the system's set their own code.
DWORD last_system_error = 0;

bool system_result(bool ok)
{
    last_system_error = ok ? 0 : GetLastError();
    return ok;
}

}  // namespace

bool sync_file(const char *path)
{
    // Flushing needs a handle with write access, though nothing is written.
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (!system_result(file != INVALID_HANDLE_VALUE))
        return false;
    const bool ok = system_result(FlushFileBuffers(file) != 0);
    CloseHandle(file);
    return ok;
}

bool replace_file(const char *from, const char *to)
{
    return system_result(MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0);
}

std::string file_behind_links(const char *path)
{
    return path;
}

bool copy_permissions(const char *, const char *)
{
    return true;
}

bool make_parent_folders(const char *)
{
    // The settings file lies in the program's own folder, which exists.
    return true;
}

std::string file_error_text()
{
    if (last_system_error == 0)
        return std::strerror(errno);
    char text[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, last_system_error, 0,
                   text, sizeof text, nullptr);
    last_system_error = 0;
    // The system's texts end in a full stop and a line break.
    size_t n = std::strlen(text);
    while (n > 0 && (text[n - 1] == '\n' || text[n - 1] == '\r' || text[n - 1] == '.'))
        text[--n] = '\0';
    return text;
}
