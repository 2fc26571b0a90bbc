// Style 1: School 1 Clock (placeholder art until its own drawing lands).
#include "assets/art/placeholder.h"

StyleArt draw_style_1(const ClockStyle &style)
{
    return draw_placeholder_style(style);
}
