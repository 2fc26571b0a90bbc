// Windows keeps its paths and texts in UTF-16; the program keeps them in
// UTF-8, the text encoding of the library, which then reaches every file by
// its wide name. The system's narrow ("A") calls would instead use the
// user's code page, which cannot spell every user's name.
#pragma once

#include <cstddef>
#include <string>

std::wstring wide_of(const char *utf8);
std::string utf8_of(const wchar_t *wide);

// Copies `utf8` into `to` (size bytes with its terminating zero), cut before
// the first character that does not fit, never inside one. True when it
// all fitted.
bool copy_utf8(char *to, const std::string &utf8, std::size_t size);
