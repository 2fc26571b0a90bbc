// Silent: the sound server's output is not in place yet.
#include "display/clock_sound.h"

void open_clock_sound(ClockDisplay &d)
{
    d.soundAvailable = 0;
}

void play_clock_sound(SAMPLE *)
{
}

void flush_clock_sound()
{
}

void close_clock_sound(ClockDisplay &)
{
}
