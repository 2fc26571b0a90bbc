// The one thing the settings store asks of the platform.
#pragma once

#include <cstddef>

// Writes the running program's full path into `buffer`, in the library's
// text encoding (UTF-8), cut to fit size - 1 bytes. Writes the empty text
// when the path cannot be had. False when what was written may be only part
// of the path: a path that fills the buffer may have been cut.
bool get_program_path(char *buffer, std::size_t size);
