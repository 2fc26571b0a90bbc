// Style 5: Pool Clock (placeholder art until its own drawing lands).
#include "assets/art/placeholder.h"

StyleArt draw_style_5(const ClockStyle &style)
{
    return draw_placeholder_style(style);
}
