#include "assets/art/pictures.h"

#include "assets/art/draw_kit.h"

#include <algorithm>
#include <cmath>

namespace {

cairo_surface_t *white_canvas(int w, int h, cairo_t **cr)
{
    cairo_surface_t *s = new_canvas(w, h);
    *cr = cairo_create(s);
    set_rgb(*cr, 255, 255, 255);
    cairo_paint(*cr);
    return s;
}

double face_scale_to_fit(const StyleArt &art, double box)
{
    int w = cairo_image_surface_get_width(art.face);
    int h = cairo_image_surface_get_height(art.face);
    return box / std::max(w, h);
}

}  // namespace

cairo_surface_t *draw_banner(const StyleArt &style4)
{
    cairo_t *cr;
    cairo_surface_t *s = white_canvas(480, 112, &cr);
    const ClockStyle &style = ClockStyleTable[4];
    paint_clock(cr, style, style4, 56, 56, face_scale_to_fit(style4, 102), 10, 8, 37);

    // The name in one line: the product's own word bold, the rest lighter,
    // sized to fill the room beside the clock.
    const char *name = "Veltrane", *rest = " Screen Saver";
    const double left = 122, room = 480 - left - 14;
    cairo_text_extents_t nameExtents, restExtents;
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 100);
    cairo_text_extents(cr, name, &nameExtents);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_text_extents(cr, rest, &restExtents);
    const double size = std::min(34.0, 100 * room / (nameExtents.x_advance + restExtents.x_advance));
    const double baseline = 56 + size * 0.36;

    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    set_rgb(cr, 24, 24, 26);
    cairo_move_to(cr, left, baseline);
    cairo_show_text(cr, name);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    set_rgb(cr, 96, 96, 100);
    cairo_show_text(cr, rest);

    // The second hand's colour underlines the name.
    set_rgb(cr, 232, 74, 30);
    cairo_rectangle(cr, left + 1, baseline + 12, 40, 3);
    cairo_fill(cr);
    cairo_destroy(cr);
    return s;
}

cairo_surface_t *draw_preview_window_picture(const StyleArt &style4)
{
    cairo_t *cr;
    cairo_surface_t *s = white_canvas(151, 119, &cr);
    paint_clock(cr, ClockStyleTable[4], style4, 75, 59, face_scale_to_fit(style4, 112), 10, 8, 37);
    cairo_destroy(cr);
    return s;
}

cairo_surface_t *draw_style_preview(int index, const StyleArt &art)
{
    const ClockStyle &style = ClockStyleTable[index];
    cairo_surface_t *s = new_canvas(150, 150);
    cairo_t *cr = cairo_create(s);
    set_rgb(cr, style.backgroundColour.r, style.backgroundColour.g, style.backgroundColour.b);
    cairo_paint(cr);
    double dx, dy;
    face_dial_centre(style, art.face, dx, dy);
    double scale = face_scale_to_fit(art, 140);
    int w = cairo_image_surface_get_width(art.face);
    int h = cairo_image_surface_get_height(art.face);
    // Centre the face picture, wherever its dial centre lies.
    double cx = 75 + (dx - w / 2.0) * scale;
    double cy = 75 + (dy - h / 2.0) * scale;
    paint_clock(cr, style, art, cx, cy, scale, 10, 8, 37);
    cairo_destroy(cr);
    return s;
}

// The style-4 face is too fine to read at icon size, so the icon draws the
// same idea boldly: a black frame, a white card, two hands and a few
// numerals fallen to the bottom.
cairo_surface_t *draw_icon(const StyleArt &)
{
    cairo_surface_t *s = new_canvas(64, 64);
    cairo_t *cr = cairo_create(s);
    cairo_rectangle(cr, 7, 1, 50, 62);
    cairo_pattern_t *frame = cairo_pattern_create_linear(7, 1, 57, 63);
    cairo_pattern_add_color_stop_rgb(frame, 0, 0.30, 0.30, 0.32);
    cairo_pattern_add_color_stop_rgb(frame, 1, 0.02, 0.02, 0.02);
    cairo_set_source(cr, frame);
    cairo_fill(cr);
    cairo_pattern_destroy(frame);
    set_rgb(cr, 247, 246, 241);
    cairo_rectangle(cr, 12, 6, 40, 52);
    cairo_fill(cr);

    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 13);
    set_rgb(cr, 26, 26, 28);
    const struct { const char *text; double x, y, degrees; } fallen[] = {
        {"12", 21, 52, -10}, {"3", 33.5, 52.5, 90}, {"6", 44, 52.5, 160},
    };
    for (const auto &f : fallen) {
        cairo_save(cr);
        cairo_translate(cr, f.x, f.y);
        cairo_rotate(cr, f.degrees * M_PI / 180);
        show_text_centred(cr, f.text, 0, 0);
        cairo_restore(cr);
    }

    const double cx = 32, cy = 29;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 3.2);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx - 10, cy - 7);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 2.4);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + 13, cy - 10);
    cairo_stroke(cr);
    set_rgb(cr, 232, 74, 30);
    cairo_set_line_width(cr, 1.2);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx - 12, cy + 9);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, 2, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_destroy(cr);
    return s;
}
