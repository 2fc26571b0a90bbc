// Linux: the kernel names the running program in /proc/self/exe.
#include "settings/program_path.h"

#include <unistd.h>

bool get_program_path(char *buffer, std::size_t size)
{
    if (size == 0)
        return false;
    ssize_t n = readlink("/proc/self/exe", buffer, size - 1);
    buffer[n > 0 ? n : 0] = '\0';
    return n < static_cast<ssize_t>(size - 1);
}
