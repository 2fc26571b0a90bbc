#include "assets/art/pictures.h"

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
    paint_clock(cr, style, style4, 56, 56, face_scale_to_fit(style4, 104), 10, 8, 37);
    set_rgb(cr, 30, 30, 30);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 30);
    cairo_move_to(cr, 124, 66);
    cairo_show_text(cr, "Veltrane Screen Saver");
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

cairo_surface_t *draw_icon(const StyleArt &style4)
{
    cairo_surface_t *s = new_canvas(64, 64);
    cairo_t *cr = cairo_create(s);
    paint_clock(cr, ClockStyleTable[4], style4, 32, 32, face_scale_to_fit(style4, 62), 10, 8, 37);
    cairo_destroy(cr);
    return s;
}
