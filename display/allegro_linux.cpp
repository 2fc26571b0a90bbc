// Linux/X11 side of the full-screen clock.
//
// Allegro's Unix port runs its background work (X events, the sound mixer)
// on a thread that wakes every millisecond. A clock that changes once a
// second needs none of that: before the library starts we put a background
// manager of our own in its place. It runs the same callbacks under the same
// locking, but only when there is something to do: when the X server has
// sent something and while a sound plays, at the pace the mixer needs.
#include "display/saver_platform.h"

#include <allegro/platform/aintunix.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <unistd.h>
#include <xalleg.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <ctime>

#include "display/embedded_bitmap.h"
#include "resources/resource_ids.h"

namespace {

// The sound device takes the mixer's output a period at a time, and asks for
// more each time it has played one: the fewer and longer the periods, the
// fewer wake-ups, here and in the sound library's own thread. A whole
// number of periods make a second, so a sound started at each new second
// starts at the same place in a period every time, and ticks stay evenly
// spaced (a sound always starts at the beginning of a period).
constexpr int MIXER_RATE = 44100;
constexpr int MIXER_PERIOD_FRAMES = MIXER_RATE / 20;  // 50 ms
constexpr int MIXER_PERIODS = 8;                      // the device holds 400 ms
// While a sound plays the device is topped up at fixed times in each second:
// its buffer outlasts the time between two. The top-up at the start of a
// second is the one a tick asks for. Should none have come a little after
// the second, one period is written, which leaves room for a late tick to go
// out at once; the rest follows a little later.
constexpr int TOP_UP_MS = 250;
constexpr int TICK_WAIT_MS = 40;
constexpr int LATE_TICK_WAIT_MS = 100;
constexpr int MAX_BACKGROUND_FUNCS = 16;

pthread_mutex_t calls_lock;          // held while callbacks run, and by DISABLE()
pthread_mutex_t registry_lock = PTHREAD_MUTEX_INITIALIZER;
pthread_t background_thread;
bg_func funcs[MAX_BACKGROUND_FUNCS];
std::atomic<bool> running{false};
int disabled_depth = 0;

// Wakes the background thread: a callback was registered, a sound started,
// or the manager is stopping.
int background_pipe[2] = {-1, -1};
// Wakes the main thread: input came, or a signal.
int main_pipe[2] = {-1, -1};
// Until when (CLOCK_MONOTONIC, ms) the mixer must be fed.
std::atomic<long long> sound_until_ms{0};
// A sound started since the background thread last looked.
std::atomic<bool> sound_started{false};
// A callback was registered since the background thread last ran them all.
std::atomic<bool> newly_registered{false};
volatile sig_atomic_t stop_requested = 0;

long long monotonic_ms()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// The wall clock the frame loop goes by, in ms: the tick comes as its
// second changes.
long long wall_ms()
{
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

void sleep_ms(unsigned ms)
{
    timespec left{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&left, &left) == -1 && errno == EINTR) {
    }
}

void make_pipe(int fds[2])
{
    if (fds[0] >= 0)
        return;
    if (pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0)
        fds[0] = fds[1] = -1;
}

// Async-signal-safe.
void poke(int fd)
{
    if (fd < 0)
        return;
    const char byte = 1;
    ssize_t ignored = write(fd, &byte, 1);
    (void)ignored;
}

void drain(int fd)
{
    char buffer[64];
    while (read(fd, buffer, sizeof buffer) > 0) {
    }
}

// The X system driver registers its event handler first, while the library
// starts, before any sound driver: on a wake-up for the mixer alone it is
// left out, since each of its runs costs a round trip to the X server.
bg_func display_handler = nullptr;

// Which callbacks a wake-up runs: the X handler, the others (the sound
// driver, which writes at most one period a run), or all.
enum Work { DISPLAY_WORK = 1, MIXER_WORK = 2, ALL_WORK = 3 };

void run_callbacks(int work, int periods)
{
    bg_func snapshot[MAX_BACKGROUND_FUNCS];
    pthread_mutex_lock(&registry_lock);
    for (int i = 0; i < MAX_BACKGROUND_FUNCS; i++)
        snapshot[i] = funcs[i];
    pthread_mutex_unlock(&registry_lock);

    const int rounds = (work & MIXER_WORK) ? periods : 1;
    pthread_mutex_lock(&calls_lock);
    for (int round = 0; round < rounds; round++)
        for (bg_func f : snapshot)
            if (f && (work & (f == display_handler ? DISPLAY_WORK : MIXER_WORK)) &&
                (round == 0 || f != display_handler))
                f(1);
    pthread_mutex_unlock(&calls_lock);
}

// A top-up: when it is due (wall-clock ms) and how many periods it writes
// at most. FULL fills the device's whole buffer.
struct TopUp {
    long long at;
    int periods;
};
constexpr int FULL = MIXER_PERIODS + 1;

// The top-up that follows `last`.
TopUp next_top_up(const TopUp &last)
{
    if (last.periods != FULL)
        return {last.at - last.at % 1000 + LATE_TICK_WAIT_MS, FULL};
    const long long slot = (last.at / TOP_UP_MS + 1) * TOP_UP_MS;
    if (slot % 1000 == 0)
        return {slot + TICK_WAIT_MS, 1};
    return {slot, FULL};
}

bool display_handler_registered()
{
    pthread_mutex_lock(&registry_lock);
    bool found = false;
    for (bg_func f : funcs)
        found = found || (f && f == display_handler);
    pthread_mutex_unlock(&registry_lock);
    return found;
}

// The X connection to watch, or -1; true in *queued when Xlib already holds
// events read off it, which no longer show on the connection. The library
// unregisters its X handler before it closes the display, and unregistering
// waits for calls_lock: holding it here, with the handler still registered,
// keeps the display open while we look at it.
int display_connection(bool *queued)
{
    int fd = -1;
    *queued = false;
    pthread_mutex_lock(&calls_lock);
    if (display_handler_registered()) {
        if (Display *display = _xwin.display) {
            XLOCK();
            *queued = XEventsQueued(display, QueuedAlready) > 0;
            XUNLOCK();
            fd = ConnectionNumber(display);
        }
    }
    pthread_mutex_unlock(&calls_lock);
    return fd;
}

// Sleeps until the X server sends something, the main thread asks, or the
// mixer's next top-up is due while a sound plays, and says what to run.
// Only the top-ups feed the device, whatever else wakes the thread, so that
// it holds the same amount each time a tick starts.
int wait_for_work(TopUp &last)
{
    pollfd fds[2];
    int count = 0;
    fds[count++] = {background_pipe[0], POLLIN, 0};
    bool queued = false;
    const int connection = display_connection(&queued);
    if (queued)
        return DISPLAY_WORK;
    // Should the display close meanwhile, poll() reports the closed
    // descriptor at once and the next pass leaves it out.
    if (connection >= 0)
        fds[count++] = {connection, POLLIN, 0};
    const bool feeding = sound_until_ms.load() > monotonic_ms();
    const TopUp next = next_top_up(last);
    int timeout = -1;
    if (feeding) {
        const long long due = next.at - wall_ms();
        timeout = due <= 0 ? 0 : static_cast<int>(std::min(due + 1, 1000LL));
    }
    const int ready = poll(fds, count, timeout);
    if (ready > 0 && (fds[0].revents & POLLIN))
        drain(background_pipe[0]);
    // Events Xlib read off the connection meanwhile are seen on the next pass.
    int work = ready > 0 && count > 1 && fds[1].revents ? DISPLAY_WORK : 0;
    if (newly_registered.exchange(false))
        work = ALL_WORK;
    const long long now = wall_ms();
    if (sound_started.exchange(false)) {
        last = {now, FULL};
        work |= MIXER_WORK;
    } else if (feeding && now >= next.at) {
        last = {now, next.periods};
        work |= MIXER_WORK;
    }
    return work;
}

void *background_loop(void *)
{
    // Callbacks such as the X event handler take their own locks; signals
    // belong to the main thread.
    sigset_t all;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, nullptr);
    int work = ALL_WORK;
    TopUp last = {0, FULL};
    while (running) {
        if (work)
            run_callbacks(work, last.periods);
        work = wait_for_work(last);
    }
    return nullptr;
}

int calm_init()
{
    pthread_mutexattr_t attr;
    pthread_mutexattr_init(&attr);
    pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutex_init(&calls_lock, &attr);
    pthread_mutexattr_destroy(&attr);
    for (bg_func &f : funcs)
        f = nullptr;
    make_pipe(background_pipe);
    make_pipe(main_pipe);
    if (background_pipe[0] < 0)
        return -1;
    running = true;
    if (pthread_create(&background_thread, nullptr, background_loop, nullptr) != 0) {
        running = false;
        return -1;
    }
    return 0;
}

void calm_exit()
{
    if (!running)
        return;
    running = false;
    poke(background_pipe[1]);
    pthread_join(background_thread, nullptr);
    pthread_mutex_destroy(&calls_lock);
}

int calm_register(bg_func f)
{
    pthread_mutex_lock(&registry_lock);
    int result = -1;
    if (!display_handler)
        display_handler = f;
    for (bg_func &slot : funcs)
        if (!slot) {
            slot = f;
            result = 0;
            break;
        }
    pthread_mutex_unlock(&registry_lock);
    // A new callback (the X handler, a sound driver) runs at once.
    newly_registered = true;
    poke(background_pipe[1]);
    return result;
}

int calm_unregister(bg_func f)
{
    pthread_mutex_lock(&registry_lock);
    for (bg_func &slot : funcs)
        if (slot == f)
            slot = nullptr;
    pthread_mutex_unlock(&registry_lock);
    // Once this returns, the function is not running and will not run again.
    pthread_mutex_lock(&calls_lock);
    pthread_mutex_unlock(&calls_lock);
    return 0;
}

void calm_disable()
{
    pthread_mutex_lock(&calls_lock);
    disabled_depth++;
}

void calm_enable()
{
    disabled_depth--;
    pthread_mutex_unlock(&calls_lock);
}

int calm_disabled()
{
    return disabled_depth;
}

// The X server went away (it was stopped, or the session ended). Xlib's own
// handler would call exit(), whose clean-up then talks to the dead
// connection from two threads at once; there is nothing left to show and
// nothing to save, so the saver leaves at once.
int display_lost(Display *)
{
    static const char message[] = "veltrane: the X display went away\n";
    ssize_t ignored = write(STDERR_FILENO, message, sizeof message - 1);
    (void)ignored;
    _exit(1);
}

void on_stop_signal(int)
{
    stop_requested = 1;
    poke(main_pipe[1]);
}

}  // namespace

void saver_platform_prepare()
{
    // The sound device's periods, for this run only: an override is never
    // written back to the settings file, which is the library's
    // configuration.
    char sound[128];
    const int length = std::snprintf(sound, sizeof sound,
                                     "[sound]\nsound_freq = %d\nalsa_fragsize = %d\nalsa_numfrags = %d\n",
                                     MIXER_RATE, MIXER_PERIOD_FRAMES, MIXER_PERIODS);
    override_config_data(sound, length);
    XSetIOErrorHandler(display_lost);
    make_pipe(main_pipe);

    _bg_man_pthreads.multi_threaded = 1;
    _bg_man_pthreads.init = calm_init;
    _bg_man_pthreads.exit = calm_exit;
    _bg_man_pthreads.register_func = calm_register;
    _bg_man_pthreads.unregister_func = calm_unregister;
    _bg_man_pthreads.enable_interrupts = calm_enable;
    _bg_man_pthreads.disable_interrupts = calm_disable;
    _bg_man_pthreads.interrupts_disabled = calm_disabled;
}

// The library's own handlers for these would shut it down from inside the
// signal and then die of the signal; the run ends through its usual
// teardown instead.
void saver_watch_signals()
{
    struct sigaction action {};
    action.sa_handler = on_stop_signal;
    sigemptyset(&action.sa_mask);
    for (int sig : {SIGINT, SIGQUIT, SIGTERM, SIGHUP})
        sigaction(sig, &action, nullptr);
    // Screen-saver hosts send it now and then; it must not end the clock.
    signal(SIGUSR1, SIG_IGN);
}

bool saver_stop_requested()
{
    return stop_requested != 0;
}

// Allegro's rest() busy-returns at once unless its timer module runs, and the
// timer module would wake yet another thread every millisecond.
void saver_rest(unsigned ms)
{
    sleep_ms(ms);
}

void saver_wait_for(int fd, int ms)
{
    if (stop_requested)
        return;
    pollfd fds[2] = {{main_pipe[0], POLLIN, 0}, {fd, POLLIN, 0}};
    if (poll(fds, fd >= 0 ? 2 : 1, ms > 0 ? ms : 0) > 0 && (fds[0].revents & POLLIN))
        drain(main_pipe[0]);
}

void saver_wait(int ms)
{
    saver_wait_for(-1, ms);
}

void saver_wake()
{
    poke(main_pipe[1]);
}

void saver_sound_playing(int ms)
{
    const long long until = monotonic_ms() + ms;
    if (until > sound_until_ms.load())
        sound_until_ms = until;
    sound_started = true;
    poke(background_pipe[1]);
}

void saver_present(BITMAP *picture, const Rect *rects, int count, int offsetX, int offsetY)
{
    for (int i = 0; i < count; i++)
        blit(picture, screen, rects[i].x, rects[i].y, rects[i].x + offsetX, rects[i].y + offsetY, rects[i].w,
             rects[i].h);
    // The library would send what was drawn on its next background pass,
    // with a round trip to the server; a flush sends it now, and the
    // background thread sleeps on.
    if (Display *display = _xwin.display) {
        XLOCK();
        XFlush(display);
        // Sending a large picture, Xlib may have read events off the
        // connection while it waited to write; the background thread, asleep
        // on the connection, would not see them until the next one came.
        const bool queued = XEventsQueued(display, QueuedAlready) > 0;
        XUNLOCK();
        if (queued)
            poke(background_pipe[1]);
    }
}

// Without a video mode switch the library centres a window of the mode's
// size on a screen that may be smaller, so part of it lies off the screen.
Rect saver_visible_area()
{
    const Rect whole = {0, 0, SCREEN_W, SCREEN_H};
    Display *display = _xwin.display;
    if (!display || !_xwin.window)
        return whole;
    XLOCK();
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(display, _xwin.window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    const int rootW = DisplayWidth(display, _xwin.screen), rootH = DisplayHeight(display, _xwin.screen);
    XUNLOCK();
    // Events read off the connection while the mode was set and during this
    // round trip wait in Xlib's queue: the background thread handles them now.
    poke(background_pipe[1]);
    const Rect visible = rect_intersection({-x, -y, rootW, rootH}, whole);
    return rect_is_empty(visible) ? whole : visible;
}

// There is no stacking order to claim on X11 beyond the full-screen window
// the library already raises.
void saver_make_window_topmost()
{
}

BITMAP *saver_load_brand_mark()
{
    return load_embedded_bitmap(IDB_BRAND_MARK);
}
