#include "assets/art/draw_kit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

Canvas open_face(int width, int height)
{
    return open_face(width, height, width / 2, height / 2);
}

Canvas open_face(int width, int height, int dialX, int dialY)
{
    Canvas c;
    c.surface = new_canvas(width, height);
    c.cr = cairo_create(c.surface);
    cairo_translate(c.cr, dialX + 0.5, dialY + 0.5);
    return c;
}

namespace {

Canvas open_hand_sized(HandPivot pivot, int length, int height)
{
    Canvas c;
    c.surface = new_canvas(pivot.x + length + 1, height);
    c.cr = cairo_create(c.surface);
    cairo_translate(c.cr, pivot.x + 0.5, pivot.y + 0.5);
    return c;
}

}  // namespace

Canvas open_hand(HandPivot pivot, int length)
{
    return open_hand_sized(pivot, length, 2 * pivot.y + 1);
}

Canvas open_crisp_hand(HandPivot pivot, int length)
{
    return open_crisp_hand(pivot, length, 2 * pivot.y + 1);
}

Canvas open_crisp_hand(HandPivot pivot, int length, int height)
{
    Canvas c = open_hand_sized(pivot, length, height);
    cairo_set_antialias(c.cr, CAIRO_ANTIALIAS_NONE);
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

void circle_path(cairo_t *cr, double x, double y, double radius)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, radius, 0, 2 * M_PI);
    cairo_close_path(cr);
}

void fill_circle(cairo_t *cr, double x, double y, double radius)
{
    circle_path(cr, x, y, radius);
    cairo_fill(cr);
}

void ring_path(cairo_t *cr, double outer, double inner)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, outer, 0, 2 * M_PI);
    cairo_close_path(cr);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, 0, 0, inner, 2 * M_PI, 0);
    cairo_close_path(cr);
}

void fill_ring(cairo_t *cr, double outer, double inner)
{
    ring_path(cr, outer, inner);
    cairo_fill(cr);
}

void rounded_rect_path(cairo_t *cr, double x, double y, double w, double h, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
}

void stroke_circle(cairo_t *cr, double radius, double width)
{
    cairo_save(cr);
    cairo_set_line_width(cr, width);
    circle_path(cr, 0, 0, radius);
    cairo_stroke(cr);
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

void draw_minute_marks(cairo_t *cr, double outer, double hourInner, double hourWidth,
                       double minuteInner, double minuteWidth)
{
    for (int m = 0; m < 60; m++) {
        if (m % 5 == 0)
            radial_mark(cr, m / 60.0, hourInner, outer, hourWidth);
        else
            radial_mark(cr, m / 60.0, minuteInner, outer, minuteWidth);
    }
}

void shade_dial_edge(cairo_t *cr, double radius, double depth, double alpha, double dy, double r,
                     double g, double b)
{
    use_pattern(cr, radial_gradient(0, dy, radius - depth, 0, dy, radius,
                                    {{0, r, g, b, 0.0}, {1, r, g, b, alpha}}));
    fill_circle(cr, 0, 0, radius);
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

void show_hour_numerals(cairo_t *cr, double radius)
{
    for (int h = 1; h <= 12; h++)
        show_text_centred(cr, std::to_string(h).c_str(), dial_x(h / 12.0, radius), dial_y(h / 12.0, radius));
}

void radial_text_path(cairo_t *cr, const char *utf8, double turns, double x, double y)
{
    cairo_save(cr);
    cairo_rotate(cr, turns * 2 * M_PI);
    cairo_text_extents_t e;
    cairo_text_extents(cr, utf8, &e);
    cairo_move_to(cr, -e.x_bearing - e.width / 2 + x, y);
    cairo_text_path(cr, utf8);
    cairo_restore(cr);
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

cairo_surface_t *draw_blade_hand(HandPivot pivot, int length, Rgb colour,
                                 std::initializer_list<Station> stations, double hub)
{
    Canvas c = open_hand(pivot, length);
    set_rgb(c.cr, colour.r, colour.g, colour.b);
    fill_blade(c.cr, stations);
    fill_circle(c.cr, 0, 0, hub);
    return close_canvas(c);
}

void warp_path(cairo_t *cr, const std::function<void(double &x, double &y)> &warp)
{
    // Short segments keep the warped outline smooth.
    double tolerance = cairo_get_tolerance(cr);
    cairo_set_tolerance(cr, 0.05);
    cairo_path_t *path = cairo_copy_path_flat(cr);
    cairo_set_tolerance(cr, tolerance);
    cairo_new_path(cr);
    double lastX = 0, lastY = 0, startX = 0, startY = 0;
    // Long straight edges are split so the warp bends them too.
    auto line_to = [&](double x, double y) {
        const int steps = std::max(1, static_cast<int>(std::hypot(x - lastX, y - lastY) / 2));
        for (int s = 1; s <= steps; s++) {
            double px = lastX + (x - lastX) * s / steps, py = lastY + (y - lastY) * s / steps;
            warp(px, py);
            cairo_line_to(cr, px, py);
        }
        lastX = x;
        lastY = y;
    };
    for (int i = 0; i < path->num_data; i += path->data[i].header.length) {
        const cairo_path_data_t &d = path->data[i];
        if (d.header.type == CAIRO_PATH_CLOSE_PATH) {
            line_to(startX, startY);
            cairo_close_path(cr);
        } else if (d.header.type == CAIRO_PATH_LINE_TO) {
            line_to(path->data[i + 1].point.x, path->data[i + 1].point.y);
        } else {
            startX = lastX = path->data[i + 1].point.x;
            startY = lastY = path->data[i + 1].point.y;
            double px = lastX, py = lastY;
            warp(px, py);
            cairo_move_to(cr, px, py);
        }
    }
    cairo_path_destroy(path);
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

namespace {

// Three box blurs approximate a Gaussian.
void box_blur(std::vector<float> &a, int w, int h, int radius)
{
    std::vector<float> tmp(a.size());
    for (int pass = 0; pass < 3; pass++) {
        for (int y = 0; y < h; y++) {
            double sum = 0;
            for (int x = -radius; x <= radius; x++)
                sum += a[y * w + std::clamp(x, 0, w - 1)];
            for (int x = 0; x < w; x++) {
                tmp[y * w + x] = static_cast<float>(sum / (2 * radius + 1));
                sum += a[y * w + std::min(x + radius + 1, w - 1)] - a[y * w + std::max(x - radius, 0)];
            }
        }
        for (int x = 0; x < w; x++) {
            double sum = 0;
            for (int y = -radius; y <= radius; y++)
                sum += tmp[std::clamp(y, 0, h - 1) * w + x];
            for (int y = 0; y < h; y++) {
                a[y * w + x] = static_cast<float>(sum / (2 * radius + 1));
                sum += tmp[std::min(y + radius + 1, h - 1) * w + x] - tmp[std::max(y - radius, 0) * w + x];
            }
        }
    }
}

}  // namespace

void gaussian_shadow(cairo_t *cr, double dx, double dy, double blur, double r, double g, double b,
                     double alpha)
{
    cairo_surface_t *target = cairo_get_target(cr);
    const int w = cairo_image_surface_get_width(target);
    const int h = cairo_image_surface_get_height(target);
    cairo_surface_t *mask = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
    cairo_t *m = cairo_create(mask);
    cairo_matrix_t ctm;
    cairo_get_matrix(cr, &ctm);
    cairo_path_t *path = cairo_copy_path(cr);
    cairo_translate(m, dx, dy);
    cairo_transform(m, &ctm);
    cairo_append_path(m, path);
    cairo_set_fill_rule(m, cairo_get_fill_rule(cr));
    cairo_fill(m);
    cairo_destroy(m);
    cairo_path_destroy(path);

    cairo_surface_flush(mask);
    unsigned char *data = cairo_image_surface_get_data(mask);
    const int stride = cairo_image_surface_get_stride(mask);
    std::vector<float> a(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            a[y * w + x] = data[y * stride + x] / 255.0f;
    box_blur(a, w, h, std::max(1, static_cast<int>(blur / 2)));
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            data[y * stride + x] = static_cast<unsigned char>(std::lround(a[y * w + x] * 255));
    cairo_surface_mark_dirty(mask);

    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_source_rgba(cr, r, g, b, alpha);
    cairo_mask_surface(cr, mask, 0, 0);
    cairo_restore(cr);
    cairo_surface_destroy(mask);
}

void dither(cairo_surface_t *surface, int amplitude, unsigned seed)
{
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    unsigned char *data = cairo_image_surface_get_data(surface);
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> noise(-amplitude, amplitude);
    for (int y = 0; y < h; y++) {
        uint32_t *row = reinterpret_cast<uint32_t *>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < w; x++) {
            const uint32_t px = row[x];
            const int a = px >> 24;
            if (a == 0)
                continue;
            // Premultiplied: a channel may not exceed alpha. The grain lands
            // on the colour seen after blending over the background too.
            uint32_t out = px & 0xff000000u;
            for (int shift : {16, 8, 0}) {
                int v = static_cast<int>((px >> shift) & 0xff) + noise(rng);
                out |= static_cast<uint32_t>(std::clamp(v, 0, a)) << shift;
            }
            row[x] = out;
        }
    }
    cairo_surface_mark_dirty(surface);
}

cairo_pattern_t *linear_stops(double x0, double y0, double x1, double y1,
                              std::initializer_list<Rgb> colours)
{
    cairo_pattern_t *p = cairo_pattern_create_linear(x0, y0, x1, y1);
    const double n = colours.size() > 1 ? colours.size() - 1 : 1;
    int i = 0;
    for (const Rgb &c : colours)
        cairo_pattern_add_color_stop_rgb(p, i++ / n, c.r / 255.0, c.g / 255.0, c.b / 255.0);
    return p;
}

namespace {

cairo_pattern_t *add_stops(cairo_pattern_t *p, std::initializer_list<Stop> stops)
{
    for (const Stop &s : stops)
        cairo_pattern_add_color_stop_rgba(p, s.offset, s.r, s.g, s.b, s.a);
    return p;
}

}  // namespace

cairo_pattern_t *linear_gradient(double x0, double y0, double x1, double y1,
                                 std::initializer_list<Stop> stops)
{
    return add_stops(cairo_pattern_create_linear(x0, y0, x1, y1), stops);
}

cairo_pattern_t *radial_gradient(double cx0, double cy0, double r0, double cx1, double cy1,
                                 double r1, std::initializer_list<Stop> stops)
{
    return add_stops(cairo_pattern_create_radial(cx0, cy0, r0, cx1, cy1, r1), stops);
}

void use_pattern(cairo_t *cr, cairo_pattern_t *pattern)
{
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
}
