#include "assets/art/art.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

StyleArt draw_style(int index)
{
    using Drawer = StyleArt (*)(const ClockStyle &);
    static const Drawer drawers[CLOCK_STYLE_COUNT] = {
        draw_style_0, draw_style_1, draw_style_2, draw_style_3, draw_style_4,
        draw_style_5, draw_style_6, draw_style_7, draw_style_8, draw_style_9,
    };
    return drawers[index](ClockStyleTable[index]);
}

void free_style_art(StyleArt &art)
{
    for (cairo_surface_t **s : {&art.face, &art.hour, &art.minute, &art.second}) {
        if (*s)
            cairo_surface_destroy(*s);
        *s = nullptr;
    }
}

cairo_surface_t *new_canvas(int width, int height)
{
    return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
}

void set_rgb(cairo_t *cr, int r, int g, int b, double alpha)
{
    cairo_set_source_rgba(cr, r / 255.0, g / 255.0, b / 255.0, alpha);
}

std::string encode_bmp24(int width, int height, const unsigned char *rgb)
{
    const int rowBytes = (width * 3 + 3) & ~3;
    const uint32_t imageSize = static_cast<uint32_t>(rowBytes) * height;
    const uint32_t fileSize = 54 + imageSize;
    std::string out(fileSize, '\0');
    auto put16 = [&](size_t at, uint32_t v) {
        out[at] = static_cast<char>(v & 0xff);
        out[at + 1] = static_cast<char>((v >> 8) & 0xff);
    };
    auto put32 = [&](size_t at, uint32_t v) {
        put16(at, v & 0xffff);
        put16(at + 2, v >> 16);
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, fileSize);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    put16(26, 1);
    put16(28, 24);
    put32(34, imageSize);
    put32(38, 2835);
    put32(42, 2835);
    for (int y = 0; y < height; y++) {
        size_t row = 54 + static_cast<size_t>(height - 1 - y) * rowBytes;
        for (int x = 0; x < width; x++) {
            const unsigned char *p = rgb + (static_cast<size_t>(y) * width + x) * 3;
            out[row + x * 3 + 0] = static_cast<char>(p[2]);
            out[row + x * 3 + 1] = static_cast<char>(p[1]);
            out[row + x * 3 + 2] = static_cast<char>(p[0]);
        }
    }
    return out;
}

namespace {

bool write_file(const std::string &path, const std::string &bytes)
{
    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

// A colour that is not the mask colour: art never means "transparent" by
// accident.
void avoid_mask(unsigned char *p)
{
    if (p[0] == MASK_COLOUR.r && p[1] == MASK_COLOUR.g && p[2] == MASK_COLOUR.b)
        p[0] = 254;
}

enum class Mode { Face, Hand, Opaque };

bool write_surface(cairo_surface_t *s, Rgb background, Mode mode, const std::string &path)
{
    cairo_surface_flush(s);
    const int w = cairo_image_surface_get_width(s);
    const int h = cairo_image_surface_get_height(s);
    const int stride = cairo_image_surface_get_stride(s);
    const unsigned char *data = cairo_image_surface_get_data(s);
    std::vector<unsigned char> rgb(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; y++) {
        const uint32_t *row = reinterpret_cast<const uint32_t *>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < w; x++) {
            const uint32_t px = row[x];
            const int a = px >> 24;
            const int r = (px >> 16) & 0xff, g = (px >> 8) & 0xff, b = px & 0xff;  // premultiplied
            unsigned char *out = &rgb[(static_cast<size_t>(y) * w + x) * 3];
            bool masked = false;
            switch (mode) {
            case Mode::Face:
                masked = a == 0;
                out[0] = static_cast<unsigned char>(r + (background.r * (255 - a) + 127) / 255);
                out[1] = static_cast<unsigned char>(g + (background.g * (255 - a) + 127) / 255);
                out[2] = static_cast<unsigned char>(b + (background.b * (255 - a) + 127) / 255);
                break;
            case Mode::Hand:
                masked = a < 128;
                if (!masked) {
                    out[0] = static_cast<unsigned char>(std::min(255, (r * 255 + a / 2) / a));
                    out[1] = static_cast<unsigned char>(std::min(255, (g * 255 + a / 2) / a));
                    out[2] = static_cast<unsigned char>(std::min(255, (b * 255 + a / 2) / a));
                }
                break;
            case Mode::Opaque:
                out[0] = static_cast<unsigned char>(r + (255 - a));
                out[1] = static_cast<unsigned char>(g + (255 - a));
                out[2] = static_cast<unsigned char>(b + (255 - a));
                break;
            }
            if (masked) {
                out[0] = MASK_COLOUR.r;
                out[1] = MASK_COLOUR.g;
                out[2] = MASK_COLOUR.b;
            } else {
                avoid_mask(out);
            }
        }
    }
    return write_file(path, encode_bmp24(w, h, rgb.data()));
}

}  // namespace

bool write_face_bmp(cairo_surface_t *face, Rgb background, const std::string &path)
{
    return write_surface(face, background, Mode::Face, path);
}

bool write_hand_bmp(cairo_surface_t *hand, const std::string &path)
{
    return write_surface(hand, {0, 0, 0}, Mode::Hand, path);
}

bool write_opaque_bmp(cairo_surface_t *picture, const std::string &path)
{
    return write_surface(picture, {255, 255, 255}, Mode::Opaque, path);
}

void face_dial_centre(const ClockStyle &style, cairo_surface_t *face, double &x, double &y)
{
    if (style.dialCentre == DialCentreRule::FixedOffset) {
        x = style.dialOffset.x;
        y = style.dialOffset.y;
    } else {
        x = cairo_image_surface_get_width(face) / 2;
        y = cairo_image_surface_get_height(face) / 2;
    }
}

namespace {

// The hand's angle in radians, clockwise from 3 o'clock, as the saver turns it.
double hand_radians(int value, int units, int subValue, int subUnits)
{
    double turns = static_cast<double>(value) / units +
                   static_cast<double>(subValue) / (static_cast<double>(units) * subUnits) - 0.25;
    return turns * 2.0 * M_PI;
}

void paint_hand(cairo_t *cr, cairo_surface_t *hand, HandPivot pivot, double angle)
{
    if (!hand)
        return;
    cairo_save(cr);
    cairo_rotate(cr, angle);
    cairo_set_source_surface(cr, hand, -pivot.x, -pivot.y);
    cairo_paint(cr);
    cairo_restore(cr);
}

}  // namespace

void paint_clock(cairo_t *cr, const ClockStyle &style, const StyleArt &art,
                 double cx, double cy, double scale, int hour, int minute, int second)
{
    double dx = 0, dy = 0;
    face_dial_centre(style, art.face, dx, dy);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, art.face, -dx, -dy);
    cairo_paint(cr);
    paint_hand(cr, art.hour, style.hourPivot, hand_radians(hour, 12, minute, 60));
    paint_hand(cr, art.minute, style.minutePivot, hand_radians(minute, 60, second, 60));
    paint_hand(cr, art.second, style.secondPivot, hand_radians(second, 60, 0, 1));
    cairo_restore(cr);
}
