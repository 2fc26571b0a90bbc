// POSIX: fsync, and rename, which replaces its target atomically.
#include "settings/file_ops.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

std::FILE *open_file(const char *path, const char *mode)
{
    return std::fopen(path, mode);
}

bool remove_file(const char *path)
{
    return std::remove(path) == 0;
}

bool has_entry(const char *path)
{
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

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

std::string file_behind_links(const char *path)
{
    std::string file = path;
    // As many links as the kernel follows; a longer chain fails when read.
    for (int hop = 0; hop < 40; hop++) {
        std::vector<char> target(4096);
        const ssize_t n = readlink(file.c_str(), target.data(), target.size() - 1);
        if (n < 0)
            break;
        const std::string next(target.data(), static_cast<size_t>(n));
        const size_t slash = file.rfind('/');
        file = next[0] == '/' || slash == std::string::npos ? next : file.substr(0, slash + 1) + next;
    }
    return file;
}

bool copy_permissions(const char *from, const char *to)
{
    struct stat status;
    return stat(from, &status) == 0 && chmod(to, status.st_mode & 07777) == 0;
}

bool make_parent_folders(const char *path)
{
    const std::string text = path;
    for (size_t slash = text.find('/', 1); slash != std::string::npos; slash = text.find('/', slash + 1)) {
        // Folders made for the user's settings are the user's alone.
        if (mkdir(text.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

std::string file_error_text()
{
    return std::strerror(errno);
}
