// Windows: the loader knows the running program's file.
#include "settings/program_path.h"

#include <windows.h>

void get_program_path(char *buffer, std::size_t size)
{
    if (size == 0)
        return;
    const DWORD n = GetModuleFileNameA(nullptr, buffer, static_cast<DWORD>(size));
    // A path that does not fit comes back cut (on older systems without its
    // terminating zero). It is kept cut, filling the buffer, so that the
    // settings store knows it for cut and refuses to save where it points.
    buffer[n < size ? n : size - 1] = '\0';
}
