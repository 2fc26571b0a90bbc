// Where the settings file lives, which differs between platforms.
#pragma once

#include <cstddef>

// Writes into `file` (cut to fileSize - 1) the settings file that a save
// writes, and into `defaults` the file read in its place while `file` does
// not exist ("" for none). `besideProgram` is the settings file's name in
// the program's folder, `besideProgramWhole` false when that was cut. False
// when `file` could not be named in full.
bool locate_settings_file(const char *besideProgram, bool besideProgramWhole, char *file,
                          std::size_t fileSize, char *defaults, std::size_t defaultsSize);
