// Linux side of a run of the clock: the signals that end it, and the one
// wait of the frame loop.
#include "display/saver_platform.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <ctime>

#include "display/embedded_bitmap.h"
#include "resources/resource_ids.h"

namespace {

// Wakes the frame loop's wait: a signal came.
int wake_pipe[2] = {-1, -1};
volatile sig_atomic_t stop_requested = 0;

const int STOP_SIGNALS[] = {SIGINT, SIGQUIT, SIGTERM, SIGHUP};

// Async-signal-safe.
void poke()
{
    if (wake_pipe[1] < 0)
        return;
    const int saved = errno;
    const char byte = 1;
    ssize_t ignored = write(wake_pipe[1], &byte, 1);
    (void)ignored;
    errno = saved;
}

void drain()
{
    char buffer[64];
    while (read(wake_pipe[0], buffer, sizeof buffer) > 0) {
    }
}

void on_stop_signal(int)
{
    stop_requested = 1;
    poke();
}

void set_stop_signals(int how)
{
    sigset_t stops;
    sigemptyset(&stops);
    for (int sig : STOP_SIGNALS)
        sigaddset(&stops, sig);
    sigprocmask(how, &stops, nullptr);
}

}  // namespace

void saver_hold_signals()
{
    set_stop_signals(SIG_BLOCK);
}

void saver_release_signals()
{
    set_stop_signals(SIG_UNBLOCK);
}

// The signals have been held back since the program started (the entry
// blocks them first thing), so one that came meanwhile is acted on here,
// once the handler is in place: it ends the run through its usual
// teardown, never in the middle of a library call.
void saver_watch_signals()
{
    if (pipe2(wake_pipe, O_NONBLOCK | O_CLOEXEC) != 0)
        wake_pipe[0] = wake_pipe[1] = -1;
    struct sigaction action {};
    action.sa_handler = on_stop_signal;
    sigemptyset(&action.sa_mask);
    for (int sig : STOP_SIGNALS)
        sigaddset(&action.sa_mask, sig);
    for (int sig : STOP_SIGNALS)
        sigaction(sig, &action, nullptr);
    // Screen-saver hosts send it now and then; it must not end the clock. A
    // sound server or display that goes away must not either.
    signal(SIGUSR1, SIG_IGN);
    signal(SIGPIPE, SIG_IGN);
    saver_release_signals();
}

bool saver_stop_requested()
{
    return stop_requested != 0;
}

void saver_rest(unsigned ms)
{
    timespec left{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&left, &left) == -1 && errno == EINTR && !stop_requested) {
    }
}

bool saver_wait_for(int fd, int ms)
{
    if (stop_requested)
        return false;
    pollfd fds[2] = {{wake_pipe[0], POLLIN, 0}, {fd, POLLIN, 0}};
    const int count = fd >= 0 ? 2 : 1;
    if (poll(fds, count, ms > 0 ? ms : 0) <= 0)
        return false;
    if (fds[0].revents & POLLIN)
        drain();
    return count == 2 && fds[1].revents != 0;
}

BITMAP *saver_load_brand_mark()
{
    return load_embedded_bitmap(IDB_BRAND_MARK);
}
