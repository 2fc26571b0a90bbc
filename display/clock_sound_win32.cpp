// Windows: the clock's sounds through the library's own mixer, started by
// run_saver before the settings are read.
#include "display/clock_sound.h"

namespace {

const int FULL_VOLUME = 255;
const int CENTRE_PAN = 128;
const int OWN_PITCH = 1000;

}  // namespace

void open_clock_sound(ClockDisplay &d)
{
    d.tickSample = load_sample(asset_paths.tickPath);
    d.hourSample = load_sample(asset_paths.hourChimePath);
    d.fifteenhourSample = load_sample(asset_paths.fifteenhourChimePath);
    d.halfhourSample = load_sample(asset_paths.halfhourChimePath);
    d.fortyfivehourSample = load_sample(asset_paths.fortyfivehourChimePath);
}

void play_clock_sound(SAMPLE *sample)
{
    if (sample)
        play_sample(sample, FULL_VOLUME, CENTRE_PAN, OWN_PITCH, 0);
}

// The mixer runs on the library's own thread and starts each sound at once.
void flush_clock_sound()
{
}

void close_clock_sound(ClockDisplay &d)
{
    for (SAMPLE **s : {&d.tickSample, &d.hourSample, &d.fifteenhourSample, &d.halfhourSample,
                       &d.fortyfivehourSample}) {
        if (*s)
            destroy_sample(*s);
        *s = nullptr;
    }
    remove_sound();
}
