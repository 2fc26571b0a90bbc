// The small fixed picture shown inside the host's preview area.
#pragma once

#include <cstdint>

// Shows the preview inside `parentWindow` until the host destroys it.
// Returns 0 then.
int run_preview(int32_t parentWindow);
