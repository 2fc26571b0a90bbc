// Replaces the platform's get_program_path for the unit tests.
#include "tests/unit/fake_program_path.h"

#include <cstring>

#include "settings/program_path.h"

std::string fake_program_path;

bool get_program_path(char *buffer, std::size_t size)
{
    std::size_t n = std::min(size - 1, fake_program_path.size());
    std::memcpy(buffer, fake_program_path.data(), n);
    buffer[n] = '\0';
    return n < size - 1;
}
