// Linux: the full-screen clock on views of our own. The library draws,
// loads and reads the settings; it opens no display of its own.
#include <cerrno>
#include <cstdio>

#include "display/full_screen_clock.h"
#include "display/full_screen_stages.h"
#include "display/saver_platform.h"

bool start_clock_library()
{
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "veltrane: cannot start the graphics library: %s\n", allegro_error);
        return false;
    }
    // Frames are composed in 32 bits, whatever the display: the views
    // convert where they must.
    set_color_depth(32);
    return true;
}

int run_saver()
{
    saver_watch_signals();
    if (!start_clock_library())
        return 1;
    load_settings(1);
    if (saver_stop_requested())
        return 0;
    std::unique_ptr<ClockStage> stage = open_full_screen_wayland();
    if (!stage)
        stage = open_full_screen_x11();
    if (!stage)
        return saver_stop_requested() ? 0 : 1;
    return run_clock_on(*stage, StartScreen::Loading);
}
