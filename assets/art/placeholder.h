// A plain clock drawn for any style: a disc with hour marks and three bar
// hands that honour the style's pivots.
#pragma once

#include "assets/art/art.h"

StyleArt draw_placeholder_style(const ClockStyle &style);
