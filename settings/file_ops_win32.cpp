// Windows: rename() there refuses to replace an existing file, so the move
// is asked for explicitly, and written through before it returns.
#include "settings/file_ops.h"

#include <windows.h>

bool sync_file(const char *path)
{
    // Flushing needs a handle with write access, though nothing is written.
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool ok = FlushFileBuffers(file) != 0;
    CloseHandle(file);
    return ok;
}

bool replace_file(const char *from, const char *to)
{
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
