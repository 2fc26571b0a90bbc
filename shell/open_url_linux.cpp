// The address goes to xdg-open as one argument of its own, never through a
// shell, so no character in it can run anything.
#include "shell/open_url_linux.h"

#include <glib.h>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstring>

extern char **environ;

namespace {

struct Opening {
    void (*failed)(void *);
    void *data;
};

void reap_child(GPid pid, gint status, gpointer data)
{
    const Opening *opening = static_cast<const Opening *>(data);
    g_spawn_close_pid(pid);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        opening->failed(opening->data);
    delete opening;
}

}  // namespace

bool open_url(const char *address, void (*failed)(void *data), void *data)
{
    char program[] = "xdg-open";
    char *argv[] = {program, const_cast<char *>(address), nullptr};
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, program, nullptr, nullptr, argv, environ);
    if (error != 0) {
        std::fprintf(stderr, "veltrane: cannot open %s: xdg-open: %s\n", address, std::strerror(error));
        return false;
    }
    g_child_watch_add(pid, reap_child, new Opening{failed, data});
    return true;
}
