// Style 4: Whatever Clock. A black lacquered picture frame around a white
// card. The numerals have come off their nails and lie in a heap at the
// bottom of the card; only the nails still mark the hours.
#include "assets/art/draw_kit.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int FACE_WIDTH = 601;
constexpr int FACE_HEIGHT = 701;
// Edges fall on pixel boundaries (the origin is a pixel's middle), so the
// frame's straight sides are crisp.
constexpr double OUTER_X = 300.5, OUTER_Y = 350.5;
constexpr double FRAME = 42;
constexpr double CARD_X = OUTER_X - FRAME, CARD_Y = OUTER_Y - FRAME;
constexpr double NAILS = 214;
constexpr double NUMERAL_SIZE = 60;
const Rgb CARD = {247, 246, 241};
const Rgb INK = {26, 26, 28};

// One side of the frame: the trapezoid between the outer and inner edge,
// mitred at the corners, shaded from `outside` to `inside`.
void frame_side(cairo_t *cr, double ox, double oy, double ix, double iy, double ox2, double oy2,
                double ix2, double iy2, double outside, double inside)
{
    cairo_move_to(cr, ox, oy);
    cairo_line_to(cr, ox2, oy2);
    cairo_line_to(cr, ix2, iy2);
    cairo_line_to(cr, ix, iy);
    cairo_close_path(cr);
    use_pattern(cr, linear_gradient((ox + ox2) / 2, (oy + oy2) / 2, (ix + ix2) / 2, (iy + iy2) / 2,
                                    {{0, outside, outside, outside * 1.04},
                                     {0.35, outside * 1.7 + 0.02, outside * 1.7 + 0.02, outside * 1.75 + 0.02},
                                     {1, inside, inside, inside * 1.04}}));
    cairo_fill(cr);
}

void draw_frame(cairo_t *cr)
{
    // Light comes from the top left: the top side is the brightest.
    frame_side(cr, -OUTER_X, -OUTER_Y, -CARD_X, -CARD_Y, OUTER_X, -OUTER_Y, CARD_X, -CARD_Y, 0.16, 0.05);
    frame_side(cr, -OUTER_X, OUTER_Y, -CARD_X, CARD_Y, -OUTER_X, -OUTER_Y, -CARD_X, -CARD_Y, 0.12, 0.04);
    frame_side(cr, OUTER_X, -OUTER_Y, CARD_X, -CARD_Y, OUTER_X, OUTER_Y, CARD_X, CARD_Y, 0.08, 0.03);
    frame_side(cr, OUTER_X, OUTER_Y, CARD_X, CARD_Y, -OUTER_X, OUTER_Y, -CARD_X, CARD_Y, 0.06, 0.02);

    // A fine bright edge where the lacquer turns over the outside.
    cairo_set_line_width(cr, 1.5);
    set_rgb(cr, 120, 120, 124, 0.8);
    cairo_move_to(cr, -OUTER_X + 0.75, OUTER_Y - 1);
    cairo_line_to(cr, -OUTER_X + 0.75, -OUTER_Y + 0.75);
    cairo_line_to(cr, OUTER_X - 1, -OUTER_Y + 0.75);
    cairo_stroke(cr);
    set_rgb(cr, 70, 70, 74, 0.8);
    cairo_move_to(cr, OUTER_X - 0.75, -OUTER_Y + 1);
    cairo_line_to(cr, OUTER_X - 0.75, OUTER_Y - 0.75);
    cairo_line_to(cr, -OUTER_X + 1, OUTER_Y - 0.75);
    cairo_stroke(cr);
}

void draw_card(cairo_t *cr)
{
    set_rgb(cr, CARD.r, CARD.g, CARD.b);
    cairo_rectangle(cr, -CARD_X, -CARD_Y, 2 * CARD_X, 2 * CARD_Y);
    cairo_fill(cr);

    // The frame's inner lip throws a shadow down and to the right onto the
    // card; it falls along the top and left edges.
    cairo_save(cr);
    cairo_rectangle(cr, -CARD_X, -CARD_Y, 2 * CARD_X, 2 * CARD_Y);
    cairo_clip(cr);
    cairo_rectangle(cr, -CARD_X - 60, -CARD_Y - 60, 2 * CARD_X + 120, 2 * CARD_Y + 120);
    cairo_rectangle(cr, CARD_X, -CARD_Y, -2 * CARD_X, 2 * CARD_Y);  // reversed: a hole
    fill_soft_shadow(cr, 5, 7, 6, 0.42);
    cairo_restore(cr);
}

void draw_nails(cairo_t *cr)
{
    for (int h = 0; h < 12; h++) {
        const double x = dial_x(h / 12.0, NAILS), y = dial_y(h / 12.0, NAILS);
        cairo_arc(cr, x, y, 3.4, 0, 2 * M_PI);
        fill_soft_shadow(cr, 1.5, 2, 1.6, 0.45);
        use_pattern(cr, radial_gradient(x - 1.2, y - 1.2, 0.3, x, y, 3.6,
                                        {{0, 0.92, 0.92, 0.90}, {0.5, 0.55, 0.55, 0.54},
                                         {1, 0.30, 0.30, 0.30}}));
        fill_circle(cr, x, y, 3.4);
    }
}

struct Fallen {
    const char *text;
    double x;        // ink centre across the card
    double degrees;  // clockwise
};

// Dropped in this order: each numeral falls straight down until its turned
// ink box meets the card's bottom edge or a numeral already lying there.
const Fallen HEAP[12] = {
    {"8", -226, 96},   {"10", -160, 176}, {"7", -92, -16},  {"6", -38, 200},
    {"12", 28, 4},     {"5", 94, -92},    {"3", 150, 18},   {"4", 218, -156},
    {"9", -196, 30},   {"11", -62, -64},  {"1", 64, 108},   {"2", -4, -22},
};

// Glyphs do not fill their boxes, so a numeral may sink this far into the
// box of the one it lands on.
constexpr double NESTLE = 14;

struct Landed {
    double left, right, top;
};

void draw_heap(cairo_t *cr)
{
    select_font(cr, "DejaVu Sans", NUMERAL_SIZE, true);
    std::vector<Landed> landed;
    for (const Fallen &f : HEAP) {
        cairo_text_extents_t e;
        cairo_text_extents(cr, f.text, &e);
        const double a = f.degrees * M_PI / 180;
        const double halfW = std::fabs(e.width / 2 * std::cos(a)) + std::fabs(e.height / 2 * std::sin(a));
        const double halfH = std::fabs(e.width / 2 * std::sin(a)) + std::fabs(e.height / 2 * std::cos(a));
        double floor = CARD_Y - 1.5;
        for (const Landed &l : landed)
            if (f.x + halfW - NESTLE > l.left && f.x - halfW + NESTLE < l.right)
                floor = std::min(floor, l.top + NESTLE);
        const double y = floor - halfH;
        landed.push_back({f.x - halfW, f.x + halfW, y - halfH});

        cairo_save(cr);
        cairo_translate(cr, f.x, y);
        cairo_rotate(cr, a);
        cairo_new_path(cr);
        text_path_centred(cr, f.text, 0, 0);
        cairo_path_t *glyphs = cairo_copy_path(cr);
        // Turn the shadow's offset back, so every shadow falls the same way.
        double dx = 3, dy = 4;
        cairo_device_to_user_distance(cr, &dx, &dy);
        fill_soft_shadow(cr, dx, dy, 3, 0.35);
        // A thin rim of card colour keeps overlapping numerals apart.
        cairo_append_path(cr, glyphs);
        set_rgb(cr, CARD.r, CARD.g, CARD.b);
        cairo_set_line_width(cr, 3);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
        set_rgb(cr, INK.r, INK.g, INK.b);
        cairo_fill(cr);
        cairo_path_destroy(glyphs);
        cairo_restore(cr);
    }
}

// A plain bar with a round boss about the pivot.
cairo_surface_t *draw_bar_hand(HandPivot pivot, double length, double half)
{
    Canvas c = open_hand(pivot, static_cast<int>(length) + 1);
    set_rgb(c.cr, INK.r, INK.g, INK.b);
    fill_blade(c.cr, {{0, half}, {length, half * 0.8}});
    fill_circle(c.cr, 0, 0, pivot.y - 0.2);
    set_rgb(c.cr, 96, 96, 98);
    fill_circle(c.cr, 0, 0, 3.2);
    return close_canvas(c);
}

cairo_surface_t *draw_second_hand(HandPivot pivot)
{
    return draw_blade_hand(pivot, 242, {232, 74, 30},
                           {{-pivot.x + 0.5, 2.9}, {-6, 2.9}, {-4, 1.2}, {241, 1.2}}, 2.9);
}

}  // namespace

StyleArt draw_style_4(const ClockStyle &style)
{
    StyleArt art;
    Canvas face = open_face(FACE_WIDTH, FACE_HEIGHT);
    draw_frame(face.cr);
    draw_card(face.cr);
    draw_nails(face.cr);
    draw_heap(face.cr);
    art.face = close_canvas(face);
    art.hour = draw_bar_hand(style.hourPivot, 150, 7);
    art.minute = draw_bar_hand(style.minutePivot, 226, 4.8);
    art.second = draw_second_hand(style.secondPivot);
    return art;
}
