#include "settings/wide_text_win32.h"

#include <windows.h>

std::wstring wide_of(const char *utf8)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    if (n <= 1)
        return {};
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), n);
    wide.resize(static_cast<std::size_t>(n - 1));
    return wide;
}

std::string utf8_of(const wchar_t *wide)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1)
        return {};
    std::string utf8(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), n, nullptr, nullptr);
    utf8.resize(static_cast<std::size_t>(n - 1));
    return utf8;
}

bool copy_utf8(char *to, const std::string &utf8, std::size_t size)
{
    if (size == 0)
        return utf8.empty();
    std::size_t n = utf8.size() < size ? utf8.size() : size - 1;
    // Back over the continuation bytes (10xxxxxx) of a character cut short.
    if (n < utf8.size())
        while (n > 0 && (static_cast<unsigned char>(utf8[n]) & 0xC0) == 0x80)
            n--;
    utf8.copy(to, n);
    to[n] = '\0';
    return n == utf8.size();
}
