// veltrane-idle-watch SECONDS PROGRAM [ARGUMENT...]
// The Wayland half of the idle host (scripts/veltrane-idle-host, which
// checks the options and starts this): whenever nobody has touched the
// session for SECONDS, runs PROGRAM, waits for it to end, and counts again.
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/idle_watch.h"

namespace {

// The protocols count milliseconds in 32 bits.
constexpr unsigned long MAX_SECONDS = 4294967;

// Runs the program and waits for it, so that only one runs at a time.
void run_once(char **command)
{
    pid_t pid = fork();
    if (pid < 0) {
        perror("veltrane-idle-host: fork");
        return;
    }
    if (pid == 0) {
        execvp(command[0], command);
        fprintf(stderr, "veltrane-idle-host: cannot run %s: %s\n", command[0], strerror(errno));
        _exit(127);
    }
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace

int main(int argc, char **argv)
{
    char *end = nullptr;
    unsigned long seconds = argc >= 3 ? strtoul(argv[1], &end, 10) : 0;
    if (argc < 3 || *end || seconds < 1 || seconds > MAX_SECONDS) {
        fprintf(stderr, "usage: veltrane-idle-watch SECONDS PROGRAM [ARGUMENT...]  (SECONDS 1-%lu)\n", MAX_SECONDS);
        return 2;
    }
    std::unique_ptr<IdleWatch> watch = open_wayland_idle_watch();
    if (!watch) watch = open_gnome_idle_watch();
    if (!watch) {
        fprintf(stderr, "veltrane-idle-host: this session offers no idle watch (neither the compositor's "
                        "ext-idle-notify-v1 or org_kde_kwin_idle, nor GNOME's idle monitor)\n");
        return 1;
    }
    while (watch->wait_until_idle(static_cast<unsigned>(seconds))) run_once(argv + 2);
    fprintf(stderr, "veltrane-idle-host: the session's idle watch went away\n");
    return 1;
}
