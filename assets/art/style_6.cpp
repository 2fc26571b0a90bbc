// Style 6: Grandfather Clock. A tall-case clock's dial: a cast bronze bezel
// with a beaded edge, an ivory enamel dial with a chapter ring of radial Roman
// numerals, two engine-turned silvered sub-dials (the regulation and the
// strike/silent selectors) and blued-steel spade hands.
#include "assets/art/draw_kit.h"

#include <cmath>

namespace {

constexpr int FACE_SIZE = 730;
constexpr double BEZEL_OUTER = 338;
constexpr double BEZEL_INNER = 296;
constexpr double DIAL = 290;
constexpr double TRACK_OUTER = 278;
constexpr double TRACK_INNER = 262;
constexpr double CHAPTER_INNER = 198;
constexpr double NUMERAL_RADIUS = 230;
constexpr double SUB_DIAL = 50;
constexpr double SUB_DIAL_OFFSET = 112;

const Rgb INK = {34, 28, 24};
const Rgb BLUED = {22, 30, 64};

void draw_bezel(cairo_t *cr)
{
    cairo_new_path(cr);
    circle_path(cr, 0, 0, BEZEL_OUTER);
    gaussian_shadow(cr, 0, 7, 14, 0.15, 0.1, 0.05, 0.45);

    // Cast bronze, its sheen sweeping from upper left to lower right.
    use_pattern(cr, linear_stops(-BEZEL_OUTER, -BEZEL_OUTER, BEZEL_OUTER, BEZEL_OUTER,
                                 {{250, 215, 140}, {190, 132, 60}, {120, 75, 30},
                                  {205, 150, 75}, {240, 200, 120}, {130, 82, 34},
                                  {85, 52, 22}}));
    fill_ring(cr, BEZEL_OUTER, BEZEL_INNER);

    // Its rounded profile: a crown of light, darker towards both edges.
    use_pattern(cr, radial_gradient(0, 0, BEZEL_INNER, 0, 0, BEZEL_OUTER,
                                    {{0.0, 0.2, 0.1, 0.0, 0.55}, {0.18, 0.2, 0.1, 0.0, 0.0},
                                     {0.45, 1.0, 0.95, 0.8, 0.30}, {0.62, 1.0, 0.95, 0.8, 0.0},
                                     {0.85, 0.2, 0.1, 0.0, 0.15}, {1.0, 0.15, 0.08, 0.0, 0.6}}));
    fill_ring(cr, BEZEL_OUTER, BEZEL_INNER);

    // A row of cast beads along the outer edge.
    const int beads = 96;
    for (int i = 0; i < beads; i++) {
        double t = (i + 0.5) / beads, x = dial_x(t, BEZEL_OUTER - 8), y = dial_y(t, BEZEL_OUTER - 8);
        set_rgb(cr, 70, 40, 15, 0.55);
        fill_circle(cr, x + 0.8, y + 1.2, 4.2);
        use_pattern(cr, radial_gradient(x - 1.4, y - 1.6, 0.3, x, y, 4.2,
                                        {{0.0, 1, 0.95, 0.78, 0.9}, {1.0, 0.55, 0.35, 0.12, 0.0}}));
        fill_circle(cr, x, y, 4.2);
    }

    // The step down to the dial, and the dial's shadowed edge.
    set_rgb(cr, 90, 55, 20);
    fill_ring(cr, BEZEL_INNER, DIAL);
    set_rgb(cr, 255, 225, 160, 0.5);
    stroke_circle(cr, BEZEL_INNER - 0.6, 1.2);
}

void draw_dial(cairo_t *cr)
{
    use_pattern(cr, radial_gradient(-60, -80, 10, 0, 0, DIAL,
                                    {{0.0, 0.985, 0.965, 0.915}, {0.75, 0.955, 0.925, 0.855},
                                     {1.0, 0.90, 0.86, 0.77}}));
    fill_circle(cr, 0, 0, DIAL);

    // The bezel's shadow falling on the dial.
    shade_dial_edge(cr, DIAL, 14, 0.35, 3, 0.3, 0.2, 0.1);
}

void draw_chapter_ring(cairo_t *cr)
{
    set_rgb(cr, INK.r, INK.g, INK.b);
    stroke_circle(cr, TRACK_OUTER, 2.2);
    stroke_circle(cr, TRACK_INNER, 1.2);
    stroke_circle(cr, CHAPTER_INNER, 1.2);
    stroke_circle(cr, CHAPTER_INNER + 4, 0.8);

    // Minute strokes, and a small diamond at every fifth.
    for (int m = 0; m < 60; m++) {
        double t = m / 60.0;
        if (m % 5 == 0) {
            double a = t * 2 * M_PI;
            cairo_save(cr);
            cairo_rotate(cr, a);
            cairo_move_to(cr, 0, -TRACK_OUTER);
            cairo_line_to(cr, 4.5, -(TRACK_OUTER + TRACK_INNER) / 2);
            cairo_line_to(cr, 0, -TRACK_INNER);
            cairo_line_to(cr, -4.5, -(TRACK_OUTER + TRACK_INNER) / 2);
            cairo_close_path(cr);
            cairo_fill(cr);
            cairo_restore(cr);
        } else {
            radial_mark(cr, t, TRACK_INNER, TRACK_OUTER, 1.4);
        }
    }

    // Half-hour fleurs: a small lozenge between the numerals.
    for (int h = 0; h < 12; h++) {
        double t = (h + 0.5) / 12;
        cairo_save(cr);
        cairo_rotate(cr, t * 2 * M_PI);
        cairo_move_to(cr, 0, -TRACK_INNER + 4);
        cairo_curve_to(cr, 3, -NUMERAL_RADIUS - 4, 3, -NUMERAL_RADIUS + 6, 0, -CHAPTER_INNER - 16);
        cairo_curve_to(cr, -3, -NUMERAL_RADIUS + 6, -3, -NUMERAL_RADIUS - 4, 0, -TRACK_INNER + 4);
        cairo_fill(cr);
        cairo_restore(cr);
    }

    static const char *const ROMAN[12] = {"XII", "I", "II", "III", "IIII", "V",
                                          "VI", "VII", "VIII", "IX", "X", "XI"};
    select_font(cr, "DejaVu Serif Condensed", 44);
    // Radial numerals: their feet towards the centre, all the same height.
    for (int h = 0; h < 12; h++) {
        radial_text_path(cr, ROMAN[h], h / 12.0, 0, -NUMERAL_RADIUS + 19);
        cairo_fill(cr);
    }
}

// A silvered sub-dial with concentric engine turning, a scale between two
// words and a small blued pointer set at `setting` (-1 .. 1 across the scale).
void draw_sub_dial(cairo_t *cr, double cy, const char *left, const char *right, double setting)
{
    cairo_save(cr);
    cairo_translate(cr, 0, cy);
    use_pattern(cr, radial_gradient(-15, -20, 2, 0, 0, SUB_DIAL,
                                    {{0.0, 0.97, 0.97, 0.95}, {1.0, 0.80, 0.80, 0.78}}));
    fill_circle(cr, 0, 0, SUB_DIAL);
    for (double r = 4; r < SUB_DIAL; r += 2.2) {
        set_rgb(cr, 110, 110, 105, 0.22);
        stroke_circle(cr, r, 0.5);
    }
    // A sunken ring: shadow at its top, light at its bottom.
    use_pattern(cr, linear_stops(0, -SUB_DIAL, 0, SUB_DIAL, {{110, 80, 45}, {230, 210, 170}}));
    stroke_circle(cr, SUB_DIAL, 3);

    // The scale across the top, from -60 to +60 degrees.
    set_rgb(cr, INK.r, INK.g, INK.b);
    for (int i = -6; i <= 6; i++) {
        double a = i * 10 * M_PI / 180;
        double r0 = i % 3 == 0 ? SUB_DIAL - 17 : SUB_DIAL - 12;
        cairo_set_line_width(cr, i % 3 == 0 ? 1.6 : 1.0);
        cairo_move_to(cr, r0 * std::sin(a), -r0 * std::cos(a));
        cairo_line_to(cr, (SUB_DIAL - 6) * std::sin(a), -(SUB_DIAL - 6) * std::cos(a));
        cairo_stroke(cr);
    }
    cairo_set_line_width(cr, 1.0);
    cairo_arc(cr, 0, 0, SUB_DIAL - 6, -M_PI / 2 - M_PI / 3, -M_PI / 2 + M_PI / 3);
    cairo_stroke(cr);
    select_font(cr, "DejaVu Serif Condensed", 8, true);
    show_text_centred(cr, left, -22, 14);
    show_text_centred(cr, right, 22, 14);

    // The pointer, a small blued arrow with its boss.
    double a = setting * M_PI / 3;
    cairo_save(cr);
    cairo_rotate(cr, a);
    set_rgb(cr, BLUED.r, BLUED.g, BLUED.b);
    cairo_move_to(cr, -1.6, 8);
    cairo_line_to(cr, -1.6, -SUB_DIAL + 22);
    cairo_line_to(cr, -4.5, -SUB_DIAL + 22);
    cairo_line_to(cr, 0, -SUB_DIAL + 10);
    cairo_line_to(cr, 4.5, -SUB_DIAL + 22);
    cairo_line_to(cr, 1.6, -SUB_DIAL + 22);
    cairo_line_to(cr, 1.6, 8);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_restore(cr);
    fill_circle(cr, 0, 0, 4.5);
    set_rgb(cr, 200, 160, 80);
    fill_circle(cr, 0, 0, 1.8);
    cairo_restore(cr);
}

void draw_centre_engraving(cairo_t *cr)
{
    // A faint engraved rosette behind the hands' boss.
    set_rgb(cr, 150, 120, 80, 0.35);
    cairo_set_line_width(cr, 0.8);
    for (int i = 0; i < 16; i++) {
        cairo_save(cr);
        cairo_rotate(cr, i * M_PI / 8);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, 14, -18, 6, -40, 0, -46);
        cairo_curve_to(cr, -6, -40, -14, -18, 0, 0);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
}

void blued_steel(cairo_t *cr)
{
    set_rgb(cr, BLUED.r, BLUED.g, BLUED.b);
}

// The hour hand: a round boss, a slim shank and a pierced spade.
cairo_surface_t *draw_hour_hand(HandPivot pivot, double length)
{
    Canvas c = open_crisp_hand(pivot, static_cast<int>(length));
    cairo_t *cr = c.cr;
    blued_steel(cr);
    fill_circle(cr, 0, 0, 12.5);
    const double s0 = 0.56 * length, wide = 0.74 * length, neck = 0.9 * length;
    cairo_move_to(cr, 0, -3.5);
    cairo_line_to(cr, s0, -3);
    cairo_curve_to(cr, s0 + 8, -18, wide - 4, -21, wide + 6, -15);
    cairo_curve_to(cr, wide + 14, -10, neck - 6, -4, neck, -2.5);
    cairo_line_to(cr, length, 0);
    cairo_line_to(cr, neck, 2.5);
    cairo_curve_to(cr, neck - 6, 4, wide + 14, 10, wide + 6, 15);
    cairo_curve_to(cr, wide - 4, 21, s0 + 8, 18, s0, 3);
    cairo_line_to(cr, 0, 3.5);
    cairo_close_path(cr);
    cairo_fill(cr);
    // Piercings of the spade.
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    for (int side : {-1, 1}) {
        cairo_move_to(cr, s0 + 12, side * 4);
        cairo_curve_to(cr, s0 + 16, side * 14, wide - 2, side * 15, wide + 5, side * 9);
        cairo_curve_to(cr, wide + 2, side * 5, s0 + 20, side * 4, s0 + 12, side * 4);
        cairo_fill(cr);
    }
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    return close_canvas(c);
}

// The minute hand: boss, a long needle with a small ring at its middle and a
// short tail.
cairo_surface_t *draw_minute_hand(HandPivot pivot, double length)
{
    Canvas c = open_crisp_hand(pivot, static_cast<int>(length));
    cairo_t *cr = c.cr;
    blued_steel(cr);
    fill_circle(cr, 0, 0, 10.5);
    cairo_move_to(cr, -pivot.x, 0);
    cairo_curve_to(cr, -pivot.x + 2, -6, -6, -5, 0, -3);
    cairo_line_to(cr, length - 30, -2);
    cairo_line_to(cr, length, 0);
    cairo_line_to(cr, length - 30, 2);
    cairo_line_to(cr, 0, 3);
    cairo_curve_to(cr, -6, 5, -pivot.x + 2, 6, -pivot.x, 0);
    cairo_close_path(cr);
    cairo_fill(cr);
    const double ring = 0.46 * length;
    fill_circle(cr, ring, 0, 9);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    fill_circle(cr, ring, 0, 5.5);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_rectangle(cr, ring - 10, -2, 20, 4);
    cairo_fill(cr);
    return close_canvas(c);
}

cairo_surface_t *draw_second_hand(HandPivot pivot, double length)
{
    Canvas c = open_crisp_hand(pivot, static_cast<int>(length));
    cairo_t *cr = c.cr;
    set_rgb(cr, 150, 28, 22);
    cairo_rectangle(cr, -pivot.x, -0.5, pivot.x + length, 2);
    cairo_fill(cr);
    cairo_rectangle(cr, -pivot.x, -2.5, 11, 5);
    cairo_fill(cr);
    cairo_rectangle(cr, -3, -2.5, 6, 5);
    cairo_fill(cr);
    return close_canvas(c);
}

}  // namespace

StyleArt draw_style_6(const ClockStyle &style)
{
    StyleArt art;
    Canvas face = open_face(FACE_SIZE, FACE_SIZE);
    draw_bezel(face.cr);
    draw_dial(face.cr);
    draw_chapter_ring(face.cr);
    draw_centre_engraving(face.cr);
    draw_sub_dial(face.cr, -SUB_DIAL_OFFSET, "SLOW", "FAST", 0.0);
    draw_sub_dial(face.cr, SUB_DIAL_OFFSET, "STRIKE", "SILENT", -0.75);
    art.face = close_canvas(face);
    dither(art.face, 4, 6);
    art.hour = draw_hour_hand(style.hourPivot, 192);
    art.minute = draw_minute_hand(style.minutePivot, 268);
    art.second = draw_second_hand(style.secondPivot, 276);
    return art;
}
