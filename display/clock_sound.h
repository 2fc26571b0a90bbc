// The clock's sounds, played where the platform plays them: the library's
// mixer on Windows, the session's sound server on Linux.
#pragma once

#include "display/clock_frame.h"

// When a setting asks for a sound: starts the sound output and loads d's
// five sounds from the asset paths. d.soundAvailable becomes 0 when nothing
// can be played (no sound switched on, no sound server or device).
void open_clock_sound(ClockDisplay &d);

// Starts `sample`, one of d's, once: full volume, centred, its own pitch.
// A missing sample (its file unreadable) is simply not heard.
void play_clock_sound(SAMPLE *sample);

// Sends the sounds started since the last call, so that they start
// together.
void flush_clock_sound();

// Stops the sound output and frees d's sounds.
void close_clock_sound(ClockDisplay &d);
