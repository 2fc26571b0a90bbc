// Style 2: Black and White Clock (placeholder art until its own drawing lands).
#include "assets/art/placeholder.h"

StyleArt draw_style_2(const ClockStyle &style)
{
    return draw_placeholder_style(style);
}
