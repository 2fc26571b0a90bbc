// The full-screen clock in a Wayland session.
#pragma once

#include <memory>

#include "display/clock_stage.h"

// A surface of our own on every output of the compositor that
// $WAYLAND_DISPLAY names: on the layer shell's overlay layer, holding the
// keyboard, where the compositor offers that protocol, else a full-screen
// window on each output. Input ends the run by the exit test; an output
// that goes away takes only its own surface with it. nullptr when
// $WAYLAND_DISPLAY is not set or names no compositor that answers, or the
// compositor offers neither way (then X11 may serve).
std::unique_ptr<ClockStage> open_full_screen_wayland();
