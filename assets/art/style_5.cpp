// Style 5: Pool Clock. A wooden triangle rack on the cloth under a lamp; the
// twelve hours are numbered pool balls racked in a ring, and the hands are
// cues. The cue ball, a cue and a cube of chalk lie below the rack.
#include "assets/art/draw_kit.h"

#include <cmath>
#include <random>
#include <string>

namespace {

constexpr int FACE_SIZE = 740;
// The ring of balls sits in the rack's incircle, which is the dial centre.
constexpr double RACK_INNER = 165;  // inradius of the rack's inside edge
constexpr double RACK_WOOD = 34;
constexpr double RACK_OUTER = RACK_INNER + RACK_WOOD;
constexpr double BALL = 33;
constexpr double BALL_RING = RACK_INNER - BALL - 1.5;

struct BallColour {
    Rgb colour;
    bool striped;
};

// The usual colours of a pool set, 1 to 12.
const BallColour BALLS[12] = {
    {{240, 190, 20}, false}, {{25, 60, 170}, false}, {{200, 30, 30}, false},
    {{90, 40, 130}, false},  {{235, 110, 20}, false}, {{20, 120, 60}, false},
    {{120, 25, 30}, false},  {{18, 18, 18}, false},  {{240, 190, 20}, true},
    {{25, 60, 170}, true},   {{200, 30, 30}, true},  {{90, 40, 130}, true},
};

// An equilateral triangle, point up, about the origin with the given
// inradius and corners rounded by `round`.
void triangle_path(cairo_t *cr, double inradius, double round)
{
    const double reach = 2 * (inradius - round);  // from the centre to a corner's arc centre
    cairo_new_sub_path(cr);
    for (int k = 0; k < 3; k++) {
        double a = -M_PI / 2 + k * 2 * M_PI / 3;
        cairo_arc(cr, reach * std::cos(a), reach * std::sin(a), round, a - M_PI / 3, a + M_PI / 3);
    }
    cairo_close_path(cr);
}

void rack_path(cairo_t *cr)
{
    cairo_new_path(cr);
    triangle_path(cr, RACK_OUTER, 40);
    triangle_path(cr, RACK_INNER, 12);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
}

void draw_lamp_light(cairo_t *cr)
{
    use_pattern(cr, radial_gradient(0, -10, 0, 0, -10, FACE_SIZE / 2 - 6,
                                    {{0.0, 70 / 255.0, 160 / 255.0, 185 / 255.0, 0.55},
                                     {0.55, 50 / 255.0, 130 / 255.0, 160 / 255.0, 0.30},
                                     {1.0, 40 / 255.0, 110 / 255.0, 145 / 255.0, 0.0}}));
    cairo_paint(cr);
}

void draw_rack(cairo_t *cr)
{
    rack_path(cr);
    gaussian_shadow(cr, 7, 10, 16, 0, 0.03, 0.05, 0.55);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_set_source_rgb(cr, 0.62, 0.37, 0.17);
    cairo_fill(cr);

    // Grain along each of the three bars, clipped to its own side of the mitres.
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int side = 0; side < 3; side++) {
        double normal = M_PI / 2 + side * 2 * M_PI / 3;  // outward normal of the bar
        double nx = std::cos(normal), ny = std::sin(normal);
        double tx = -ny, ty = nx;
        cairo_save(cr);
        // The bar's sector: between the two lines from the centre to its corners.
        double a0 = normal - M_PI / 3, a1 = normal + M_PI / 3;
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, 900 * std::cos(a0), 900 * std::sin(a0));
        cairo_line_to(cr, 900 * std::cos(a1), 900 * std::sin(a1));
        cairo_close_path(cr);
        cairo_clip(cr);
        for (int i = 0; i < 60; i++) {
            double d = RACK_INNER - 2 + unit(rng) * (RACK_WOOD + 4);
            double wave = 1.5 + unit(rng) * 3, phase = unit(rng) * 6.28, freq = 0.01 + unit(rng) * 0.02;
            bool dark = unit(rng) < 0.7;
            cairo_set_source_rgba(cr, dark ? 0.30 : 0.85, dark ? 0.15 : 0.60, dark ? 0.05 : 0.35,
                                  0.12 + unit(rng) * 0.22);
            cairo_set_line_width(cr, 0.6 + unit(rng) * 1.6);
            for (double s = -420; s <= 420; s += 6) {
                double off = d + wave * std::sin(s * freq + phase);
                double x = nx * off + tx * s, y = ny * off + ty * s;
                if (s == -420)
                    cairo_move_to(cr, x, y);
                else
                    cairo_line_to(cr, x, y);
            }
            cairo_stroke(cr);
        }
        // Each bar is lit from above: the lower bar darker, the upper ones lighter.
        cairo_set_source_rgba(cr, side == 0 ? 0 : 1, side == 0 ? 0 : 0.9, side == 0 ? 0 : 0.7,
                              side == 0 ? 0.12 : 0.06);
        cairo_paint(cr);
        cairo_restore(cr);
    }

    // Mitre joints.
    set_rgb(cr, 60, 30, 10, 0.7);
    cairo_set_line_width(cr, 1.5);
    for (int k = 0; k < 3; k++) {
        double a = -M_PI / 2 + k * 2 * M_PI / 3;
        cairo_move_to(cr, 2 * RACK_INNER * std::cos(a), 2 * RACK_INNER * std::sin(a));
        cairo_line_to(cr, 2 * RACK_OUTER * std::cos(a), 2 * RACK_OUTER * std::sin(a));
    }
    cairo_stroke(cr);
    cairo_restore(cr);

    // Rounded edges: a light crown along the outside, a dark lip inside.
    cairo_new_path(cr);
    triangle_path(cr, RACK_OUTER - 2, 38);
    set_rgb(cr, 255, 225, 170, 0.45);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    triangle_path(cr, RACK_INNER + 2, 14);
    set_rgb(cr, 255, 220, 160, 0.30);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    triangle_path(cr, RACK_INNER, 12);
    set_rgb(cr, 50, 22, 5, 0.9);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    triangle_path(cr, RACK_OUTER, 40);
    set_rgb(cr, 50, 22, 5, 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

// A polished ball at (x, y): its colour (or a white ball with a band), a
// white spot with its number, lit from the upper left.
void draw_ball(cairo_t *cr, double x, double y, double r, Rgb colour, bool striped,
               const char *number)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    circle_path(cr, 0, 0, r);
    cairo_clip(cr);
    if (striped) {
        set_rgb(cr, 245, 242, 232);
        cairo_paint(cr);
        set_rgb(cr, colour.r, colour.g, colour.b);
        cairo_rectangle(cr, -r, -0.55 * r, 2 * r, 1.1 * r);
        cairo_fill(cr);
    } else {
        set_rgb(cr, colour.r, colour.g, colour.b);
        cairo_paint(cr);
    }
    if (number) {
        set_rgb(cr, 250, 248, 240);
        fill_circle(cr, 0, 0, 0.5 * r);
        set_rgb(cr, 20, 20, 20);
        select_font(cr, "DejaVu Sans Condensed", 0.62 * r, true);
        show_text_centred(cr, number, 0, 0);
    }
    // Shade towards the lower right, and a soft glow of the lamp.
    use_pattern(cr, radial_gradient(-0.3 * r, -0.35 * r, 0.1 * r, -0.1 * r, -0.1 * r, 1.25 * r,
                                    {{0.0, 1, 1, 1, 0.35}, {0.35, 1, 1, 1, 0.0}, {0.7, 0, 0, 0, 0.05},
                                     {1.0, 0, 0, 0, 0.55}}));
    cairo_paint(cr);
    // The lamp's reflection.
    use_pattern(cr, radial_gradient(-0.38 * r, -0.42 * r, 0, -0.38 * r, -0.42 * r, 0.22 * r,
                                    {{0.0, 1, 1, 1, 0.95}, {1.0, 1, 1, 1, 0.0}}));
    cairo_paint(cr);
    // Cloth reflected on the underside.
    use_pattern(cr, radial_gradient(0.2 * r, 0.6 * r, 0, 0.2 * r, 0.6 * r, 0.6 * r,
                                    {{0.0, 0.3, 0.7, 0.8, 0.25}, {1.0, 0.3, 0.7, 0.8, 0.0}}));
    cairo_paint(cr);
    cairo_restore(cr);
}

void draw_balls(cairo_t *cr)
{
    cairo_new_path(cr);
    for (int h = 1; h <= 12; h++)
        circle_path(cr, dial_x(h / 12.0, BALL_RING), dial_y(h / 12.0, BALL_RING), BALL);
    gaussian_shadow(cr, 5, 8, 9, 0, 0.02, 0.04, 0.6);
    cairo_new_path(cr);
    for (int h = 1; h <= 12; h++) {
        std::string n = std::to_string(h);
        draw_ball(cr, dial_x(h / 12.0, BALL_RING), dial_y(h / 12.0, BALL_RING), BALL,
                  BALLS[h - 1].colour, BALLS[h - 1].striped, n.c_str());
    }
}

void draw_cue(cairo_t *cr, double x0, double x1, double y, double butt, double tip)
{
    // A cue along the x axis from its butt at x0 to its tip at x1.
    const double len = x1 - x0;
    auto half = [&](double x) { return butt + (tip - butt) * (x - x0) / len; };
    cairo_new_path(cr);
    cairo_move_to(cr, x0, y - half(x0));
    cairo_line_to(cr, x1, y - half(x1));
    cairo_line_to(cr, x1, y + half(x1));
    cairo_line_to(cr, x0, y + half(x0));
    cairo_close_path(cr);
    gaussian_shadow(cr, 6, 9, 10, 0, 0.02, 0.04, 0.55);
    cairo_save(cr);
    cairo_clip(cr);
    // Maple shaft, ebony butt with a few inlaid points, a brass joint.
    set_rgb(cr, 232, 204, 150);
    cairo_paint(cr);
    const double joint = x0 + 0.42 * len;
    set_rgb(cr, 35, 18, 12);
    cairo_rectangle(cr, x0, y - 20, joint - x0, 40);
    cairo_fill(cr);
    set_rgb(cr, 225, 205, 160);
    for (int k = 0; k < 4; k++) {
        double px = joint - 2;
        cairo_move_to(cr, px, y);
        cairo_line_to(cr, px - 70, y + (k - 1.5) * 4);
        cairo_line_to(cr, px - 70, y + (k - 1.5) * 4 + 1.5);
        cairo_close_path(cr);
    }
    cairo_fill(cr);
    set_rgb(cr, 200, 160, 60);
    cairo_rectangle(cr, joint - 3, y - 20, 6, 40);
    cairo_rectangle(cr, x0 + 18, y - 20, 4, 40);
    cairo_fill(cr);
    set_rgb(cr, 20, 10, 8);
    cairo_rectangle(cr, x0, y - 20, 10, 40);
    cairo_fill(cr);
    set_rgb(cr, 245, 245, 238);
    cairo_rectangle(cr, x1 - 12, y - 10, 8, 20);
    cairo_fill(cr);
    set_rgb(cr, 45, 95, 160);
    cairo_rectangle(cr, x1 - 4, y - 10, 4, 20);
    cairo_fill(cr);
    // A round stick: light along its top, dark beneath.
    use_pattern(cr, linear_gradient(0, y - butt, 0, y + butt,
                                    {{0.0, 1, 1, 1, 0.15}, {0.3, 1, 1, 1, 0.45}, {0.55, 1, 1, 1, 0.0},
                                     {1.0, 0, 0, 0, 0.45}}));
    cairo_paint(cr);
    cairo_restore(cr);
}

void draw_chalk(cairo_t *cr, double x, double y, double size)
{
    cairo_new_path(cr);
    cairo_rectangle(cr, x - size / 2, y - size / 2, size, size);
    gaussian_shadow(cr, 4, 6, 7, 0, 0.02, 0.04, 0.5);
    set_rgb(cr, 40, 95, 170);
    cairo_fill(cr);
    // The worn hollow on its top.
    use_pattern(cr, radial_gradient(x, y, 0, x, y, size * 0.38,
                                    {{0.0, 0.05, 0.2, 0.45, 1}, {0.8, 0.1, 0.3, 0.55, 1},
                                     {1.0, 0.45, 0.65, 0.9, 1}}));
    fill_circle(cr, x, y, size * 0.36);
    set_rgb(cr, 255, 255, 255, 0.35);
    cairo_set_line_width(cr, 1.5);
    cairo_move_to(cr, x - size / 2 + 1, y + size / 2);
    cairo_line_to(cr, x - size / 2 + 1, y - size / 2 + 1);
    cairo_line_to(cr, x + size / 2, y - size / 2 + 1);
    cairo_stroke(cr);
}

// What lies on the cloth below the rack: a cube of chalk, the cue ball and a
// cue.
void draw_below_rack(cairo_t *cr)
{
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    draw_chalk(cr, -150, 262, 34);
    cairo_new_path(cr);
    circle_path(cr, 95, 258, BALL);
    gaussian_shadow(cr, 5, 8, 9, 0, 0.02, 0.04, 0.6);
    cairo_new_path(cr);
    draw_ball(cr, 95, 258, BALL, {246, 244, 236}, false, nullptr);
    cairo_save(cr);
    cairo_translate(cr, 0, 330);
    cairo_rotate(cr, -0.035);
    draw_cue(cr, -320, 300, 0, 10, 5);
    cairo_restore(cr);
}

// A cue as a hand, its butt over the centre and its blue tip at `length`.
cairo_surface_t *draw_cue_hand(HandPivot pivot, int length, double butt, double tip, double boss)
{
    Canvas c = open_crisp_hand(pivot, length);
    cairo_t *cr = c.cr;
    // The butt starts under the boss, so nothing of it shows behind the axle.
    const double x0 = 0, x1 = length;
    auto half = [&](double x) { return butt + (tip - butt) * (x - x0) / (x1 - x0); };
    auto segment = [&](double a, double b, Rgb colour) {
        set_rgb(cr, colour.r, colour.g, colour.b);
        cairo_move_to(cr, a, -half(a));
        cairo_line_to(cr, b, -half(b));
        cairo_line_to(cr, b, half(b));
        cairo_line_to(cr, a, half(a));
        cairo_close_path(cr);
        cairo_fill(cr);
    };
    const double joint = 0.4 * length;
    segment(x0, joint, {38, 20, 14});
    segment(joint - 3, joint + 2, {205, 165, 70});
    segment(joint + 2, x1 - 9, {236, 208, 155});
    segment(x1 - 9, x1 - 3, {248, 248, 242});
    segment(x1 - 3, x1, {50, 100, 170});
    // The boss over the axle: a little cue ball.
    set_rgb(cr, 246, 244, 236);
    fill_circle(cr, 0, 0, boss);
    return close_canvas(c);
}

cairo_surface_t *draw_second_hand(HandPivot pivot, int length)
{
    Canvas c = open_crisp_hand(pivot, length);
    cairo_t *cr = c.cr;
    set_rgb(cr, 215, 35, 30);
    cairo_rectangle(cr, -pivot.x, -1.5, pivot.x + length, 3);
    cairo_fill(cr);
    fill_circle(cr, 0, 0, 3.5);
    return close_canvas(c);
}

}  // namespace

StyleArt draw_style_5(const ClockStyle &style)
{
    StyleArt art;
    Canvas face = open_face(FACE_SIZE, FACE_SIZE);
    draw_lamp_light(face.cr);
    draw_rack(face.cr);
    draw_balls(face.cr);
    draw_below_rack(face.cr);
    art.face = close_canvas(face);
    dither(art.face, 4, 5);
    art.hour = draw_cue_hand(style.hourPivot, 90, 8.5, 5, 12);
    art.minute = draw_cue_hand(style.minutePivot, 130, 6.5, 3.5, 11);
    art.second = draw_second_hand(style.secondPivot, 140);
    return art;
}
