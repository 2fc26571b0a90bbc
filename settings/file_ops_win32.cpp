// Windows: rename() there refuses to replace an existing file, so the move
// is asked for explicitly, and written through before it returns.
#include "settings/file_ops.h"

#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
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

FileRead read_regular_file(const char *path, std::size_t limit, std::string &bytes)
{
    bytes.clear();
    last_system_error = 0;
    struct _stat64 status;
    if (_stat64(path, &status) != 0)
        return FileRead::failed;
    if (!(status.st_mode & _S_IFREG))
        return FileRead::not_regular;
    if (static_cast<unsigned long long>(status.st_size) > limit)
        return FileRead::too_large;
    std::FILE *file = std::fopen(path, "rb");
    if (!file)
        return FileRead::failed;
    FileRead result = FileRead::ok;
    char buffer[8192];
    std::size_t n;
    while (result == FileRead::ok && (n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, n);
        if (bytes.size() > limit)
            result = FileRead::too_large;
    }
    if (result == FileRead::ok && std::ferror(file))
        result = FileRead::failed;
    std::fclose(file);
    if (result != FileRead::ok)
        bytes.clear();
    return result;
}

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
