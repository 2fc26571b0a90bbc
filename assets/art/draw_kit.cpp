#include "assets/art/draw_kit.h"

#include <cmath>
#include <vector>

Canvas open_face(int width, int height)
{
    Canvas c;
    c.surface = new_canvas(width, height);
    c.cr = cairo_create(c.surface);
    cairo_translate(c.cr, width / 2 + 0.5, height / 2 + 0.5);
    return c;
}

Canvas open_hand(HandPivot pivot, int length)
{
    Canvas c;
    c.surface = new_canvas(pivot.x + length + 1, 2 * pivot.y + 1);
    c.cr = cairo_create(c.surface);
    cairo_translate(c.cr, pivot.x + 0.5, pivot.y + 0.5);
    return c;
}

cairo_surface_t *close_canvas(Canvas &canvas)
{
    cairo_destroy(canvas.cr);
    canvas.cr = nullptr;
    cairo_surface_flush(canvas.surface);
    return canvas.surface;
}

double dial_x(double turns, double radius)
{
    return radius * std::sin(turns * 2 * M_PI);
}

double dial_y(double turns, double radius)
{
    return -radius * std::cos(turns * 2 * M_PI);
}

void fill_circle(cairo_t *cr, double x, double y, double radius)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, radius, 0, 2 * M_PI);
    cairo_fill(cr);
}

void fill_ring(cairo_t *cr, double outer, double inner)
{
    cairo_save(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, outer, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, inner, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_restore(cr);
}

void radial_mark(cairo_t *cr, double turns, double r0, double r1, double width, cairo_line_cap_t cap)
{
    cairo_save(cr);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, cap);
    cairo_move_to(cr, dial_x(turns, r0), dial_y(turns, r0));
    cairo_line_to(cr, dial_x(turns, r1), dial_y(turns, r1));
    cairo_stroke(cr);
    cairo_restore(cr);
}

void select_font(cairo_t *cr, const char *family, double size, bool bold, bool italic)
{
    cairo_select_font_face(cr, family, italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
}

void text_path_centred(cairo_t *cr, const char *utf8, double x, double y)
{
    cairo_text_extents_t e;
    cairo_text_extents(cr, utf8, &e);
    cairo_move_to(cr, x - e.x_bearing - e.width / 2, y - e.y_bearing - e.height / 2);
    cairo_text_path(cr, utf8);
}

void show_text_centred(cairo_t *cr, const char *utf8, double x, double y)
{
    cairo_new_path(cr);
    text_path_centred(cr, utf8, x, y);
    cairo_fill(cr);
}

void blade_path(cairo_t *cr, std::initializer_list<Station> stations)
{
    std::vector<Station> s(stations);
    cairo_new_sub_path(cr);
    for (const Station &p : s)
        cairo_line_to(cr, p.x, -p.halfWidth);
    for (auto p = s.rbegin(); p != s.rend(); ++p)
        cairo_line_to(cr, p->x, p->halfWidth);
    cairo_close_path(cr);
}

void fill_blade(cairo_t *cr, std::initializer_list<Station> stations)
{
    blade_path(cr, stations);
    cairo_fill(cr);
}

void fill_soft_shadow(cairo_t *cr, double dx, double dy, double blur, double alpha)
{
    // The path is drawn small, one pixel per `blur` pixels, and stretched back
    // with bilinear filtering: a cheap blur that needs no convolution.
    double x1, y1, x2, y2;
    cairo_path_extents(cr, &x1, &y1, &x2, &y2);
    cairo_path_t *path = cairo_copy_path(cr);
    cairo_new_path(cr);
    x1 -= 2 * blur;
    y1 -= 2 * blur;
    x2 += 2 * blur;
    y2 += 2 * blur;
    const double k = 1.0 / blur;
    const int w = static_cast<int>(std::ceil((x2 - x1) * k)) + 1;
    const int h = static_cast<int>(std::ceil((y2 - y1) * k)) + 1;
    cairo_surface_t *small = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
    cairo_t *sc = cairo_create(small);
    cairo_scale(sc, k, k);
    cairo_translate(sc, -x1, -y1);
    cairo_append_path(sc, path);
    cairo_fill(sc);
    cairo_destroy(sc);
    cairo_path_destroy(path);

    cairo_pattern_t *mask = cairo_pattern_create_for_surface(small);
    cairo_matrix_t m;
    cairo_matrix_init_scale(&m, k, k);
    cairo_matrix_translate(&m, -(x1 + dx), -(y1 + dy));
    cairo_pattern_set_matrix(mask, &m);
    cairo_pattern_set_filter(mask, CAIRO_FILTER_BILINEAR);
    cairo_set_source_rgba(cr, 0, 0, 0, alpha);
    cairo_mask(cr, mask);
    cairo_pattern_destroy(mask);
    cairo_surface_destroy(small);
}
