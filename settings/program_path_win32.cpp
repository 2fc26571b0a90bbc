// Windows: the loader knows the running program's file.
#include "settings/program_path.h"

#include <windows.h>

void get_program_path(char *buffer, std::size_t size)
{
    if (size == 0)
        return;
    const DWORD n = GetModuleFileNameA(nullptr, buffer, static_cast<DWORD>(size));
    // A path that does not fit is cut, and so not the program's own folder:
    // treat it as unknown rather than let the settings land somewhere else.
    buffer[n > 0 && n < size ? n : 0] = '\0';
}
