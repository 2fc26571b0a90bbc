// Style 0: School Clock (placeholder art until its own drawing lands).
#include "assets/art/placeholder.h"

StyleArt draw_style_0(const ClockStyle &style)
{
    return draw_placeholder_style(style);
}
