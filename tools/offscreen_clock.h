// A full-screen clock set up in memory, without a display: the style's
// pictures loaded from a folder and its background prepared for a screen of
// the given size, exactly as the saver prepares them.
#pragma once

#include <string>

#include "display/full_screen_clock.h"

// Returns false when the face or a hand cannot be loaded.
bool load_offscreen_clock(ClockDisplay &d, const std::string &assetFolder, const ClockStyle &style,
                          int screenWidth, int screenHeight);

void free_offscreen_clock(ClockDisplay &d);
