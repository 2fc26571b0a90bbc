// The one thing the settings store asks of the platform.
#pragma once

#include <cstddef>

// Writes the running program's full path into `buffer` (cut to size - 1
// bytes). Writes the empty text when the path cannot be had.
void get_program_path(char *buffer, std::size_t size);
