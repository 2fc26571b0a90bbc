#include "display/full_screen_clock.h"

#include <chrono>
#include <cstdio>

#include "display/clock_logic.h"
#include "display/clock_sound.h"

ClockDisplay clock_display;

namespace {

int ms_into_second(std::chrono::system_clock::time_point now)
{
    using namespace std::chrono;
    return static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
}

#ifdef VELTRANE_TRACE
// Debug builds only (-DVELTRANE_TRACE=ON): one line per redraw on stderr,
// with the time drawn and the sounds started, for checking long runs.
void trace_redraw(const std::tm &t, const PassSounds &sounds)
{
    std::fprintf(stderr, "redraw %04d-%02d-%02d %02d:%02d:%02d frame=1 tick=%d chime=%d%d%d%d\n",
                 t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec,
                 sounds.tick ? 1 : 0, sounds.chime[0] ? 1 : 0, sounds.chime[1] ? 1 : 0,
                 sounds.chime[2] ? 1 : 0, sounds.chime[3] ? 1 : 0);
}
#endif

}  // namespace

int update_clock(const std::vector<ClockView *> &views)
{
    ClockDisplay &d = clock_display;
    // Most passes fall within the second already drawn: the same time_t gives
    // the same local time, so the conversion (which looks at the time zone
    // file each call) is left out for them.
    static std::time_t lastRead = -1;
    const auto clockNow = std::chrono::system_clock::now();
    const std::time_t now = std::chrono::system_clock::to_time_t(clockNow);
    const std::tm *fresh = now == lastRead ? nullptr : std::localtime(&now);
    lastRead = now;
    if (fresh && time_changed(*fresh, d.lastDrawnTime)) {
        d.lastDrawnTime = *fresh;
        Rect changed[MAX_CHANGED_RECTS];
        const int count = redraw_frame(d, *activeStyle, saver_settings, d.lastDrawnTime, changed);

        const PassSounds sounds = sounds_for_pass(d.lastDrawnTime, saver_settings, d.soundAvailable == 1);
        if (sounds.tick) {
            // Two voices from the same instant make the tick fuller.
            play_clock_sound(d.tickSample);
            play_clock_sound(d.tickSample);
        }
        SAMPLE *chimes[CHIME_COUNT] = {d.hourSample, d.fifteenhourSample, d.halfhourSample,
                                       d.fortyfivehourSample};
        for (int i = 0; i < CHIME_COUNT; i++)
            if (sounds.chime[i])
                play_clock_sound(chimes[i]);
        flush_clock_sound();
        // The sounds leave before the frame goes to the display, so that the
        // sound server's start overlaps the drawing.
        for (ClockView *view : views)
            view->show(d.frame, changed, count);
#ifdef VELTRANE_TRACE
        trace_redraw(d.lastDrawnTime, sounds);
#endif
    }
    return ms_until_next_second(ms_into_second(std::chrono::system_clock::now()));
}
