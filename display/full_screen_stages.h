// The full screens a run of the clock can take on Linux.
#pragma once

#include <memory>

#include "display/clock_stage.h"

// Every monitor of the X display: a window of our own on each, the keyboard
// and the pointer grabbed, the pointer hidden; input ends the run by the
// exit test. nullptr, having said why on stderr, when there is no display or
// another program holds the keyboard or the pointer.
std::unique_ptr<ClockStage> open_full_screen_x11();
