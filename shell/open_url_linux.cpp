// The address goes to xdg-open as one argument of its own, never through a
// shell, so no character in it can run anything.
#include "shell/open_url_linux.h"

#include <glib.h>
#include <spawn.h>
#include <sys/types.h>

#include <cstdio>
#include <cstring>

extern char **environ;

namespace {

void reap_child(GPid pid, gint, gpointer)
{
    g_spawn_close_pid(pid);
}

}  // namespace

bool open_url(const char *address)
{
    char program[] = "xdg-open";
    char *argv[] = {program, const_cast<char *>(address), nullptr};
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, program, nullptr, nullptr, argv, environ);
    if (error != 0) {
        std::fprintf(stderr, "veltrane: cannot open %s: xdg-open: %s\n", address, std::strerror(error));
        return false;
    }
    g_child_watch_add(pid, reap_child, nullptr);
    return true;
}
