// Windows: every file is reached by its wide name, so that a user whose
// name the code page cannot spell still has a settings file. rename() there
// refuses to replace an existing file, so the move is asked for explicitly,
// and written through before it returns.
#include "settings/file_ops.h"

#include <sys/stat.h>
#include <windows.h>
#include <shlobj.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "settings/wide_text_win32.h"

namespace {

// The C library's functions set errno, the system's set their own code.
DWORD last_system_error = 0;

bool system_result(bool ok)
{
    last_system_error = ok ? 0 : GetLastError();
    return ok;
}

}  // namespace

std::FILE *open_file(const char *path, const char *mode)
{
    last_system_error = 0;
    return _wfopen(wide_of(path).c_str(), wide_of(mode).c_str());
}

bool remove_file(const char *path)
{
    last_system_error = 0;
    return _wremove(wide_of(path).c_str()) == 0;
}

bool has_entry(const char *path)
{
    return GetFileAttributesW(wide_of(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

FileRead read_regular_file(const char *path, std::size_t limit, std::string &bytes)
{
    bytes.clear();
    last_system_error = 0;
    struct _stat64 status;
    if (_wstat64(wide_of(path).c_str(), &status) != 0)
        return FileRead::failed;
    if (!(status.st_mode & _S_IFREG))
        return FileRead::not_regular;
    if (static_cast<unsigned long long>(status.st_size) > limit)
        return FileRead::too_large;
    std::FILE *file = open_file(path, "rb");
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
    HANDLE file = CreateFileW(wide_of(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (!system_result(file != INVALID_HANDLE_VALUE))
        return false;
    const bool ok = system_result(FlushFileBuffers(file) != 0);
    CloseHandle(file);
    return ok;
}

bool replace_file(const char *from, const char *to)
{
    return system_result(MoveFileExW(wide_of(from).c_str(), wide_of(to).c_str(),
                                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0);
}

std::string file_behind_links(const char *path)
{
    return path;
}

bool copy_permissions(const char *, const char *)
{
    // A new file in the folder takes the folder's access rights, as the old
    // one did.
    return true;
}

bool make_parent_folders(const char *path)
{
    std::wstring folder = wide_of(path);
    const size_t separator = folder.find_last_of(L"\\/");
    if (separator == std::wstring::npos)
        return true;  // the current folder
    folder.resize(separator);
    // The shell makes every missing folder on the way; it wants a full path,
    // which the settings file always has.
    const int result = SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    if (result == ERROR_SUCCESS || result == ERROR_ALREADY_EXISTS || result == ERROR_FILE_EXISTS)
        return system_result(true);
    last_system_error = static_cast<DWORD>(result);
    return false;
}

std::string file_error_text()
{
    if (last_system_error == 0)
        return std::strerror(errno);
    wchar_t text[512] = L"";
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, last_system_error, 0, text,
                   sizeof text / sizeof text[0], nullptr);
    last_system_error = 0;
    std::string utf8 = utf8_of(text);
    // The system's texts end in a full stop and a line break.
    while (!utf8.empty() && (utf8.back() == '\n' || utf8.back() == '\r' || utf8.back() == '.'))
        utf8.pop_back();
    return utf8;
}
