// POSIX: fsync, and rename, which replaces its target atomically.
#include "settings/file_ops.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

bool sync_file(const char *path)
{
    int fd = open(path, O_RDONLY);
    if (fd < 0)
        return false;
    bool ok = fsync(fd) == 0;
    close(fd);
    return ok;
}

bool replace_file(const char *from, const char *to)
{
    return std::rename(from, to) == 0;
}
