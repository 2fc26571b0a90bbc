// Linux/X11 side of the full-screen clock.
//
// Allegro's Unix port runs its background work (X events, the sound mixer)
// on a thread that wakes every millisecond, which alone keeps a saver that
// only needs a redraw a second at several percent of a core. Before the
// library starts we put a calmer background manager in its place: the same
// callbacks, the same locking, run every BACKGROUND_PERIOD_MS.
#include "display/saver_platform.h"

#include <X11/Xlib.h>
#include <allegro/platform/aintunix.h>
#include <pthread.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <ctime>

#include "display/embedded_bitmap.h"
#include "resources/resource_ids.h"

namespace {

constexpr int BACKGROUND_PERIOD_MS = 20;
constexpr int MAX_BACKGROUND_FUNCS = 16;

pthread_mutex_t calls_lock;          // held while callbacks run, and by DISABLE()
pthread_mutex_t registry_lock = PTHREAD_MUTEX_INITIALIZER;
pthread_t background_thread;
bg_func funcs[MAX_BACKGROUND_FUNCS];
volatile bool running = false;
int disabled_depth = 0;

void sleep_ms(unsigned ms)
{
    timespec left{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&left, &left) == -1 && errno == EINTR) {
    }
}

void *background_loop(void *)
{
    // Callbacks such as the X event handler take their own locks; signals
    // belong to the main thread.
    sigset_t all;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, nullptr);
    while (running) {
        bg_func snapshot[MAX_BACKGROUND_FUNCS];
        pthread_mutex_lock(&registry_lock);
        for (int i = 0; i < MAX_BACKGROUND_FUNCS; i++)
            snapshot[i] = funcs[i];
        pthread_mutex_unlock(&registry_lock);

        pthread_mutex_lock(&calls_lock);
        for (bg_func f : snapshot)
            if (f)
                f(1);
        pthread_mutex_unlock(&calls_lock);
        sleep_ms(BACKGROUND_PERIOD_MS);
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
    pthread_join(background_thread, nullptr);
    pthread_mutex_destroy(&calls_lock);
}

int calm_register(bg_func f)
{
    pthread_mutex_lock(&registry_lock);
    int result = -1;
    for (bg_func &slot : funcs)
        if (!slot) {
            slot = f;
            result = 0;
            break;
        }
    pthread_mutex_unlock(&registry_lock);
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

}  // namespace

void saver_platform_prepare()
{
    XSetIOErrorHandler(display_lost);

    _bg_man_pthreads.multi_threaded = 1;
    _bg_man_pthreads.init = calm_init;
    _bg_man_pthreads.exit = calm_exit;
    _bg_man_pthreads.register_func = calm_register;
    _bg_man_pthreads.unregister_func = calm_unregister;
    _bg_man_pthreads.enable_interrupts = calm_enable;
    _bg_man_pthreads.disable_interrupts = calm_disable;
    _bg_man_pthreads.interrupts_disabled = calm_disabled;
}

// Allegro's rest() busy-returns at once unless its timer module runs, and the
// timer module would wake yet another thread every millisecond.
void saver_rest(unsigned ms)
{
    sleep_ms(ms);
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
