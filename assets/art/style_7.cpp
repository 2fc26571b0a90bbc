// Style 7: Artistic Clock. A gallery piece: a black square panel hung on a
// pale wall, a raised charcoal ring edged in copper, and inside it a white
// disc with nothing on it but thin copper bars at the hours. Slim black hands
// with round bosses, a copper second hand.
#include "assets/art/draw_kit.h"

#include <cmath>

namespace {

constexpr int FACE_SIZE = 740;
constexpr double PANEL = 670;
constexpr double RING_OUTER = 318;
constexpr double RING_INNER = 264;
constexpr double BAR_INNER = 196;
constexpr double BAR_OUTER = 246;

// Polished copper across a bar or a hand of half-width `half` about the x axis.
cairo_pattern_t *copper_across(double half)
{
    return linear_stops(0, -half, 0, half,
                        {{150, 78, 38}, {236, 164, 106}, {198, 116, 64}, {118, 58, 26}});
}

void draw_panel(cairo_t *cr)
{
    cairo_new_path(cr);
    rounded_rect_path(cr, -PANEL / 2, -PANEL / 2, PANEL, PANEL, 4);
    gaussian_shadow(cr, 0, 8, 16, 0, 0, 0, 0.5);
    // A soft light from above on the matt black.
    use_pattern(cr, radial_gradient(0, -120, 40, 0, 0, PANEL * 0.75,
                                    {{0.0, 0.105, 0.105, 0.11}, {1.0, 0.02, 0.02, 0.02}}));
    cairo_fill_preserve(cr);
    // The panel's edge catches the light along its top.
    use_pattern(cr, linear_stops(0, -PANEL / 2, 0, PANEL / 2, {{110, 110, 112}, {25, 25, 25}}));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void draw_ring(cairo_t *cr)
{
    cairo_new_path(cr);
    circle_path(cr, 0, 0, RING_OUTER);
    gaussian_shadow(cr, 0, 6, 14, 0, 0, 0, 0.8);
    cairo_new_path(cr);

    // A turned charcoal ring, lit from the upper left.
    use_pattern(cr, linear_stops(-RING_OUTER, -RING_OUTER, RING_OUTER, RING_OUTER,
                                 {{92, 92, 96}, {52, 52, 56}, {30, 30, 33}}));
    fill_ring(cr, RING_OUTER, RING_INNER);
    use_pattern(cr, radial_gradient(0, 0, RING_INNER, 0, 0, RING_OUTER,
                                    {{0.0, 0, 0, 0, 0.5}, {0.3, 1, 1, 1, 0.0}, {0.6, 1, 1, 1, 0.10},
                                     {1.0, 0, 0, 0, 0.35}}));
    fill_ring(cr, RING_OUTER, RING_INNER);

    // A fine copper inlay round the outside.
    use_pattern(cr, linear_stops(-RING_OUTER, -RING_OUTER, RING_OUTER, RING_OUTER,
                                 {{240, 170, 110}, {180, 100, 50}, {120, 60, 28}}));
    stroke_circle(cr, RING_OUTER - 5, 2.5);
}

void draw_disc(cairo_t *cr)
{
    use_pattern(cr, radial_gradient(-40, -60, 20, 0, 0, RING_INNER,
                                    {{0.0, 1.0, 1.0, 1.0}, {1.0, 0.93, 0.93, 0.925}}));
    fill_circle(cr, 0, 0, RING_INNER);
    // The ring stands proud of the disc and shades its edge.
    shade_dial_edge(cr, RING_INNER, 16, 0.28, 4);

    // Pale dots for the minutes, barely there.
    set_rgb(cr, 190, 190, 188);
    for (int m = 0; m < 60; m++) {
        if (m % 5 == 0)
            continue;
        fill_circle(cr, dial_x(m / 60.0, 238), dial_y(m / 60.0, 238), 1.6);
    }
}

void draw_bar(cairo_t *cr, double turns, double offset, double half)
{
    cairo_save(cr);
    cairo_rotate(cr, turns * 2 * M_PI - M_PI / 2);  // the bar along +x
    cairo_translate(cr, 0, offset);
    cairo_new_path(cr);
    cairo_rectangle(cr, BAR_INNER, -half, BAR_OUTER - BAR_INNER, 2 * half);
    use_pattern(cr, copper_across(half));
    cairo_fill(cr);
    cairo_restore(cr);
}

void draw_bars(cairo_t *cr)
{
    // One shadow for all the bars, as if they stood a little off the disc.
    cairo_new_path(cr);
    for (int h = 0; h < 12; h++) {
        cairo_save(cr);
        cairo_rotate(cr, h / 12.0 * 2 * M_PI - M_PI / 2);
        if (h == 0) {
            cairo_rectangle(cr, BAR_INNER, -9.5, BAR_OUTER - BAR_INNER, 6);
            cairo_rectangle(cr, BAR_INNER, 3.5, BAR_OUTER - BAR_INNER, 6);
        } else {
            cairo_rectangle(cr, BAR_INNER, -3, BAR_OUTER - BAR_INNER, 6);
        }
        cairo_restore(cr);
    }
    gaussian_shadow(cr, 2, 4, 6, 0, 0, 0, 0.35);
    cairo_new_path(cr);
    for (int h = 0; h < 12; h++) {
        if (h == 0) {
            draw_bar(cr, 0, -6.5, 3);
            draw_bar(cr, 0, 6.5, 3);
        } else {
            draw_bar(cr, h / 12.0, 0, 3);
        }
    }
}

// A slim black hand: a round boss, then a blade tapering to a rounded end.
cairo_surface_t *draw_hand(HandPivot pivot, double length, double boss, double root, double end)
{
    Canvas c = open_crisp_hand(pivot, static_cast<int>(length));
    cairo_t *cr = c.cr;
    set_rgb(cr, 24, 24, 26);
    fill_circle(cr, 0, 0, boss);
    cairo_move_to(cr, 0, -root);
    cairo_line_to(cr, length - end, -end);
    cairo_arc(cr, length - end, 0, end, -M_PI / 2, M_PI / 2);
    cairo_line_to(cr, 0, root);
    cairo_close_path(cr);
    cairo_fill(cr);
    return close_canvas(c);
}

cairo_surface_t *draw_second_hand(HandPivot pivot, double length)
{
    Canvas c = open_crisp_hand(pivot, static_cast<int>(length));
    cairo_t *cr = c.cr;
    set_rgb(cr, 200, 112, 58);
    cairo_rectangle(cr, -pivot.x, -1.5, pivot.x + length, 3);
    cairo_fill(cr);
    set_rgb(cr, 160, 82, 40);
    cairo_rectangle(cr, -pivot.x, -2.5, 12, 5);
    cairo_rectangle(cr, -2.5, -2.5, 5, 5);
    cairo_fill(cr);
    return close_canvas(c);
}

}  // namespace

StyleArt draw_style_7(const ClockStyle &style)
{
    StyleArt art;
    Canvas face = open_face(FACE_SIZE, FACE_SIZE);
    draw_panel(face.cr);
    draw_ring(face.cr);
    draw_disc(face.cr);
    draw_bars(face.cr);
    art.face = close_canvas(face);
    dither(art.face, 4, 7);
    art.hour = draw_hand(style.hourPivot, 172, 17, 7, 4.5);
    art.minute = draw_hand(style.minutePivot, 246, 12, 5, 3);
    art.second = draw_second_hand(style.secondPivot, 252);
    return art;
}
