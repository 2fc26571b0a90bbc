// Style 8: Old Fashion Wheel Clock (placeholder art until its own drawing lands).
#include "assets/art/placeholder.h"

StyleArt draw_style_8(const ClockStyle &style)
{
    return draw_placeholder_style(style);
}
