// Style 9: Funky Clock (placeholder art until its own drawing lands).
#include "assets/art/placeholder.h"

StyleArt draw_style_9(const ClockStyle &style)
{
    return draw_placeholder_style(style);
}
