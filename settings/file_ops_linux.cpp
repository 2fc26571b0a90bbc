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

FileRead read_regular_file(const char *path, std::size_t limit, std::string &bytes)
{
    bytes.clear();
    // Looked at before it is opened, since opening a device can act on it,
    // and again once it is open, in case something else took its place.
    struct stat status;
    if (stat(path, &status) != 0)
        return FileRead::failed;
    if (!S_ISREG(status.st_mode))
        return FileRead::not_regular;
    // O_NONBLOCK: a FIFO put there since would otherwise wait for a writer.
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return FileRead::failed;
    FileRead result = FileRead::ok;
    if (fstat(fd, &status) != 0)
        result = FileRead::failed;
    else if (!S_ISREG(status.st_mode))
        result = FileRead::not_regular;
    else if (static_cast<unsigned long long>(status.st_size) > limit)
        result = FileRead::too_large;
    char buffer[8192];
    while (result == FileRead::ok) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0 && errno != EINTR)
            result = FileRead::failed;
        if (n > 0)
            bytes.append(buffer, static_cast<std::size_t>(n));
        if (bytes.size() > limit)
            result = FileRead::too_large;
    }
    const int error = errno;
    close(fd);
    errno = error;
    if (result != FileRead::ok)
        bytes.clear();
    return result;
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
