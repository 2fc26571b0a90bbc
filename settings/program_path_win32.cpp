// Windows: the loader knows the running program's file, by its wide name,
// which any folder's name can be spelt in.
#include "settings/program_path.h"

#include <windows.h>

#include <vector>

#include "settings/wide_text_win32.h"

bool get_program_path(char *buffer, std::size_t size)
{
    if (size == 0)
        return false;
    // Room for the longest path the system has; a path that fills it comes
    // back cut.
    std::vector<wchar_t> wide(32768);
    const DWORD n = GetModuleFileNameW(nullptr, wide.data(), static_cast<DWORD>(wide.size()));
    if (n >= wide.size()) {
        buffer[0] = '\0';
        return false;
    }
    wide[n] = L'\0';
    const std::string utf8 = utf8_of(wide.data());
    return copy_utf8(buffer, utf8, size);
}
