// The settings file as the bytes it holds: what the configuration library is
// given to read, and the file with the nine settings written into it.
#pragma once

#include <string>

#include "settings/settings.h"

// The file as the library is given it: every byte above 127 becomes '?'.
// The library decodes its input as UTF-8, and bytes that are not UTF-8 make
// it go wrong: a lead byte swallows the bytes after it, newlines included,
// so a Latin-1 comment can hide the next line; a sequence that decodes to
// 2^30 or more (0xFD and five continuation bytes, and some 0xFE and 0xFF
// sequences of six or seven) makes its encoder loop for ever; longer
// sequences overrun its line buffer. Keys, section names and values are
// ASCII, so nothing it reads for us changes.
std::string library_view(const std::string &bytes);

// `bytes` with the nine settings written into the first "[saver]" section
// the way the library reads them: where a key is found its value is
// replaced, a missing key is added after the section's last line, and a
// file without the section gets it at the end. Every other byte is kept.
std::string with_saved_settings(const std::string &bytes, const SaverSettings &settings);
