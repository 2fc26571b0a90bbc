// Style 8: Old Fashion Wheel Clock. An old cart wheel hung on a wall of dark
// weathered boards: an iron tyre studded with a bolt for every minute, an oak
// felloe with painted Roman numerals, twelve turned spokes at the hours and a
// rust-red hub with an iron band. The hands are forged brass straps whose
// back edge runs along the radius.
#include "assets/art/draw_kit.h"

#include <cmath>
#include <random>

namespace {

constexpr int FACE_WIDTH = 768;
constexpr int FACE_HEIGHT = 732;
// The saver turns this style's hands about a fixed point of the face.
constexpr int AXLE_X = 384;
constexpr int AXLE_Y = 366;

constexpr double TYRE_OUTER = 344;
constexpr double TYRE_INNER = 326;
constexpr double FELLOE_INNER = 274;
constexpr double HUB = 66;
constexpr double HUB_BAND = 56;

void draw_boards(cairo_t *cr)
{
    const double left = -AXLE_X + 8, top = -AXLE_Y + 8;
    const double width = FACE_WIDTH - 16, height = FACE_HEIGHT - 16;
    cairo_new_path(cr);
    rounded_rect_path(cr, left, top, width, height, 10);
    gaussian_shadow(cr, 0, 6, 14, 0.1, 0.02, 0, 0.6);
    cairo_save(cr);
    cairo_clip(cr);

    std::mt19937 rng(8);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int boards = 8;
    const double boardWidth = width / boards;
    for (int b = 0; b < boards; b++) {
        double x0 = left + b * boardWidth;
        double shade = 0.85 + 0.3 * unit(rng);
        set_rgb(cr, static_cast<int>(44 * shade), static_cast<int>(31 * shade), static_cast<int>(24 * shade));
        cairo_rectangle(cr, x0, top, boardWidth, height);
        cairo_fill(cr);
        // Grain running down the board.
        for (int g = 0; g < 22; g++) {
            double gx = x0 + 4 + unit(rng) * (boardWidth - 8);
            double amp = 1 + unit(rng) * 4, freq = 0.004 + unit(rng) * 0.012, phase = unit(rng) * 6.28;
            bool light = unit(rng) < 0.4;
            cairo_set_source_rgba(cr, light ? 0.35 : 0.05, light ? 0.26 : 0.03, light ? 0.2 : 0.02,
                                  0.15 + 0.25 * unit(rng));
            cairo_set_line_width(cr, 0.7 + unit(rng) * 1.5);
            cairo_move_to(cr, gx + amp * std::sin(top * freq + phase), top);
            for (double y = top; y <= top + height; y += 8)
                cairo_line_to(cr, gx + amp * std::sin(y * freq + phase), y);
            cairo_stroke(cr);
        }
        // A knot here and there.
        if (unit(rng) < 0.6) {
            double kx = x0 + 20 + unit(rng) * (boardWidth - 40), ky = top + 40 + unit(rng) * (height - 80);
            for (int r = 0; r < 4; r++) {
                cairo_set_source_rgba(cr, 0.08, 0.05, 0.03, 0.5 - r * 0.1);
                cairo_save(cr);
                cairo_translate(cr, kx, ky);
                cairo_scale(cr, 1, 2.2);
                circle_path(cr, 0, 0, 4 + r * 3);
                cairo_restore(cr);
                cairo_set_line_width(cr, 1.2);
                cairo_stroke(cr);
            }
        }
        // The gap to the next board and its lit edge.
        set_rgb(cr, 10, 6, 4);
        cairo_rectangle(cr, x0 - 1.5, top, 3, height);
        cairo_fill(cr);
        set_rgb(cr, 110, 80, 60, 0.35);
        cairo_rectangle(cr, x0 + 1.5, top, 1.2, height);
        cairo_fill(cr);
        // Nails at the cross battens.
        for (double ny : {top + 30, top + height - 30}) {
            set_rgb(cr, 20, 18, 18);
            fill_circle(cr, x0 + boardWidth / 2, ny, 4.5);
            set_rgb(cr, 120, 115, 110, 0.7);
            fill_circle(cr, x0 + boardWidth / 2 - 1.2, ny - 1.2, 1.8);
        }
    }
    // Darker towards the corners, as in a barn lit by one lamp.
    use_pattern(cr, radial_gradient(0, 0, 200, 0, 0, 560, {{0.0, 0, 0, 0, 0.0}, {1.0, 0, 0, 0, 0.55}}));
    cairo_paint(cr);
    cairo_restore(cr);
}

// The path of a spoke at `turns`, tapering from the hub out into the felloe.
void spoke_path(cairo_t *cr, double turns)
{
    cairo_save(cr);
    cairo_rotate(cr, turns * 2 * M_PI - M_PI / 2);
    cairo_move_to(cr, HUB - 12, -14);
    cairo_curve_to(cr, HUB + 30, -12, 200, -9, FELLOE_INNER + 8, -9);
    cairo_line_to(cr, FELLOE_INNER + 8, 9);
    cairo_curve_to(cr, 200, 9, HUB + 30, 12, HUB - 12, 14);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void draw_wheel_shadow(cairo_t *cr)
{
    cairo_new_path(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    ring_path(cr, TYRE_OUTER, FELLOE_INNER);
    for (int h = 0; h < 12; h++)
        spoke_path(cr, h / 12.0);
    circle_path(cr, 0, 0, HUB);
    gaussian_shadow(cr, 10, 14, 18, 0, 0, 0, 0.75);
    cairo_new_path(cr);
}

void draw_spokes(cairo_t *cr)
{
    std::mt19937 rng(12);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int h = 0; h < 12; h++) {
        cairo_save(cr);
        cairo_new_path(cr);
        spoke_path(cr, h / 12.0);
        cairo_clip(cr);
        cairo_rotate(cr, h / 12.0 * 2 * M_PI - M_PI / 2);
        // A turned oak spoke: lit along one flank, in shadow on the other.
        use_pattern(cr, linear_stops(0, -14, 0, 14,
                                     {{120, 80, 45}, {200, 150, 95}, {176, 126, 75},
                                      {130, 88, 50}, {72, 46, 26}}));
        cairo_paint(cr);
        for (int g = 0; g < 7; g++) {
            double gy = -10 + unit(rng) * 20;
            cairo_set_source_rgba(cr, 0.25, 0.14, 0.06, 0.25 + 0.2 * unit(rng));
            cairo_set_line_width(cr, 0.8);
            cairo_move_to(cr, HUB, gy);
            cairo_curve_to(cr, 120, gy + 2 * unit(rng) - 1, 200, gy + 2 * unit(rng) - 1, FELLOE_INNER + 8, gy * 0.65);
            cairo_stroke(cr);
        }
        cairo_restore(cr);
    }
}

void draw_felloe(cairo_t *cr)
{
    use_pattern(cr, radial_gradient(0, 0, FELLOE_INNER, 0, 0, TYRE_INNER,
                                    {{0.0, 0.42, 0.27, 0.14}, {0.25, 0.66, 0.46, 0.27},
                                     {0.7, 0.60, 0.41, 0.23}, {1.0, 0.40, 0.26, 0.13}}));
    fill_ring(cr, TYRE_INNER, FELLOE_INNER);

    // Grain following the curve of each bent segment.
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int g = 0; g < 70; g++) {
        double r = FELLOE_INNER + 3 + unit(rng) * (TYRE_INNER - FELLOE_INNER - 6);
        double a0 = unit(rng) * 2 * M_PI, span = 0.2 + unit(rng) * 0.8;
        cairo_set_source_rgba(cr, 0.22, 0.12, 0.05, 0.2 + 0.25 * unit(rng));
        cairo_set_line_width(cr, 0.6 + unit(rng));
        cairo_new_path(cr);
        cairo_arc(cr, 0, 0, r, a0, a0 + span);
        cairo_stroke(cr);
    }
    // Joints between the six segments, midway between pairs of spokes.
    set_rgb(cr, 40, 22, 10);
    cairo_set_line_width(cr, 2);
    for (int j = 0; j < 6; j++) {
        double t = (2 * j + 1.5) / 12.0;
        cairo_move_to(cr, dial_x(t, FELLOE_INNER), dial_y(t, FELLOE_INNER));
        cairo_line_to(cr, dial_x(t, TYRE_INNER), dial_y(t, TYRE_INNER));
    }
    cairo_stroke(cr);
    set_rgb(cr, 35, 20, 8, 0.8);
    stroke_circle(cr, FELLOE_INNER + 0.5, 1.5);

    // Numerals painted in cream on the felloe, worn at the edges.
    static const char *const ROMAN[12] = {"XII", "I", "II", "III", "IV", "V",
                                          "VI", "VII", "VIII", "IX", "X", "XI"};
    select_font(cr, "DejaVu Serif", 30, true);
    const double mid = (FELLOE_INNER + TYRE_INNER) / 2;
    for (int h = 0; h < 12; h++) {
        // A dark shadow first, then the paint.
        set_rgb(cr, 30, 15, 5, 0.6);
        radial_text_path(cr, ROMAN[h], h / 12.0, 1.2, -mid + 11 + 1.6);
        cairo_fill(cr);
        set_rgb(cr, 236, 220, 182);
        radial_text_path(cr, ROMAN[h], h / 12.0, 0, -mid + 11);
        cairo_fill(cr);
    }
}

void draw_tyre(cairo_t *cr)
{
    use_pattern(cr, linear_stops(-TYRE_OUTER, -TYRE_OUTER, TYRE_OUTER, TYRE_OUTER,
                                 {{120, 118, 115}, {70, 66, 64}, {45, 40, 38}, {28, 25, 24}}));
    fill_ring(cr, TYRE_OUTER, TYRE_INNER);
    // Rust bloom on the iron.
    std::mt19937 rng(21);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < 90; i++) {
        double t = unit(rng), r = TYRE_INNER + 2 + unit(rng) * (TYRE_OUTER - TYRE_INNER - 4);
        set_rgb(cr, 140, 60, 25, 0.15 + 0.2 * unit(rng));
        fill_circle(cr, dial_x(t, r), dial_y(t, r), 1 + unit(rng) * 3);
    }
    use_pattern(cr, radial_gradient(0, 0, TYRE_INNER, 0, 0, TYRE_OUTER,
                                    {{0.0, 0, 0, 0, 0.5}, {0.4, 1, 1, 1, 0.12}, {1.0, 0, 0, 0, 0.5}}));
    fill_ring(cr, TYRE_OUTER, TYRE_INNER);

    // A bolt for every minute, a big square-headed one at every fifth.
    const double mid = (TYRE_OUTER + TYRE_INNER) / 2;
    for (int m = 0; m < 60; m++) {
        double t = m / 60.0, x = dial_x(t, mid), y = dial_y(t, mid);
        double r = m % 5 == 0 ? 6.5 : 3.2;
        set_rgb(cr, 10, 8, 8, 0.7);
        fill_circle(cr, x + 1, y + 1.5, r);
        use_pattern(cr, radial_gradient(x - r * 0.35, y - r * 0.4, 0.2, x, y, r,
                                        {{0.0, 0.85, 0.82, 0.78}, {0.5, 0.45, 0.42, 0.40},
                                         {1.0, 0.15, 0.13, 0.12}}));
        fill_circle(cr, x, y, r);
    }
}

void draw_hub(cairo_t *cr)
{
    // The nave, painted rust red and worn, seen end on.
    use_pattern(cr, radial_gradient(-18, -22, 4, 0, 0, HUB,
                                    {{0.0, 0.80, 0.30, 0.12}, {0.6, 0.62, 0.19, 0.06},
                                     {1.0, 0.38, 0.10, 0.03}}));
    fill_circle(cr, 0, 0, HUB);
    // Its iron band.
    use_pattern(cr, linear_stops(-HUB, -HUB, HUB, HUB, {{150, 145, 140}, {60, 56, 54}, {25, 22, 21}}));
    fill_ring(cr, HUB, HUB_BAND);
    set_rgb(cr, 20, 10, 5, 0.8);
    stroke_circle(cr, HUB_BAND, 1.5);
    // Six bolts through the hub flange.
    for (int i = 0; i < 6; i++) {
        double t = (i + 0.5) / 6, x = dial_x(t, 44), y = dial_y(t, 44);
        set_rgb(cr, 15, 8, 5, 0.7);
        fill_circle(cr, x + 1, y + 1.5, 5.5);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_new_path(cr);
        for (int k = 0; k < 6; k++)
            cairo_line_to(cr, 5.5 * std::cos(k * M_PI / 3 + 0.3), 5.5 * std::sin(k * M_PI / 3 + 0.3));
        cairo_close_path(cr);
        use_pattern(cr, linear_stops(-5, -5, 5, 5, {{170, 165, 160}, {70, 66, 63}, {30, 28, 27}}));
        cairo_fill(cr);
        cairo_restore(cr);
    }
    // The axle's cap, an iron dome.
    use_pattern(cr, radial_gradient(-6, -7, 1, 0, 0, 22,
                                    {{0.0, 0.75, 0.72, 0.70}, {0.5, 0.32, 0.30, 0.29},
                                     {1.0, 0.10, 0.09, 0.09}}));
    fill_circle(cr, 0, 0, 22);
}

// A forged brass strap whose back runs straight along the radius from the
// axle; its belly hangs to one side and ends in a barb before the point.
void strap_path(cairo_t *cr, double x0, double back, double length, double belly, double inset)
{
    const double barb = 0.80 * length;
    cairo_new_path(cr);
    cairo_move_to(cr, x0 + inset, back + inset);
    cairo_line_to(cr, length - 2.2 * inset - 2, back + inset);
    cairo_line_to(cr, barb + 0.5 * inset, back + belly - inset);
    cairo_line_to(cr, barb - 8 + 0.5 * inset, back + 0.62 * belly - inset);
    cairo_line_to(cr, 40, back + 0.62 * belly - inset);
    cairo_curve_to(cr, 24, back + 0.62 * belly - inset, 22, back + belly - inset, 8, back + belly - inset);
    cairo_line_to(cr, x0 + inset, back + belly - inset);
    cairo_close_path(cr);
}

cairo_surface_t *draw_strap_hand(HandPivot pivot, double length, double belly)
{
    const int height = static_cast<int>(belly) + 1;
    Canvas c = open_crisp_hand(pivot, static_cast<int>(length), height);
    cairo_t *cr = c.cr;
    const double x0 = -pivot.x - 0.5, back = -pivot.y - 0.5;  // the picture's left and top edges
    strap_path(cr, x0, back, length, belly, 0);
    set_rgb(cr, 46, 28, 8);
    cairo_fill(cr);
    strap_path(cr, x0, back, length, belly, 2);
    set_rgb(cr, 232, 186, 78);
    cairo_fill(cr);
    // A bright chamfer along the back, a darker one along the belly.
    set_rgb(cr, 255, 232, 160);
    cairo_rectangle(cr, x0 + 2, back + 2, 0.7 * length, 2);
    cairo_fill(cr);
    return close_canvas(c);
}

cairo_surface_t *draw_second_hand(HandPivot pivot, double length)
{
    Canvas c = open_crisp_hand(pivot, static_cast<int>(length));
    cairo_t *cr = c.cr;
    set_rgb(cr, 40, 14, 6);
    cairo_rectangle(cr, -pivot.x + 6, -2.5, pivot.x - 6 + length, 5);
    cairo_fill(cr);
    fill_circle(cr, -pivot.x + 6.5, 0, 5.5);
    fill_circle(cr, 0, 0, 5.5);
    set_rgb(cr, 240, 226, 190);
    cairo_rectangle(cr, -pivot.x + 6, -1.5, pivot.x - 6 + length - 1, 3);
    cairo_fill(cr);
    fill_circle(cr, -pivot.x + 6.5, 0, 4.5);
    fill_circle(cr, 0, 0, 4.5);
    return close_canvas(c);
}

}  // namespace

StyleArt draw_style_8(const ClockStyle &style)
{
    StyleArt art;
    Canvas face = open_face(FACE_WIDTH, FACE_HEIGHT, AXLE_X, AXLE_Y);
    draw_boards(face.cr);
    draw_wheel_shadow(face.cr);
    draw_spokes(face.cr);
    draw_felloe(face.cr);
    draw_tyre(face.cr);
    draw_hub(face.cr);
    art.face = close_canvas(face);
    art.hour = draw_strap_hand(style.hourPivot, 196, 26);
    art.minute = draw_strap_hand(style.minutePivot, 270, 19);
    art.second = draw_second_hand(style.secondPivot, 286);
    return art;
}
