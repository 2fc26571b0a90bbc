// Style 3: Math Clock (placeholder art until its own drawing lands).
#include "assets/art/placeholder.h"

StyleArt draw_style_3(const ClockStyle &style)
{
    return draw_placeholder_style(style);
}
