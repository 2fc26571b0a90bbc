// The full screens a run of the clock can take on Linux.
#pragma once

#include <memory>

#include "display/clock_stage.h"

// Every monitor of the X display: a window of our own on each, the keyboard
// and the pointer grabbed, the pointer hidden; input ends the run by the
// exit test. nullptr, having said why on stderr, when there is no display or
// another program holds the keyboard or the pointer.
std::unique_ptr<ClockStage> open_full_screen_x11();

// A surface of our own on every output of the compositor that
// $WAYLAND_DISPLAY names: on the layer shell's overlay layer, holding the
// keyboard, where the compositor offers that protocol, else a full-screen
// window on each output. Input ends the run by the exit test; an output
// that goes away takes only its own surface with it. nullptr when
// $WAYLAND_DISPLAY is not set or names no compositor that answers, or the
// compositor offers neither way (then X11 may serve).
std::unique_ptr<ClockStage> open_full_screen_wayland();
