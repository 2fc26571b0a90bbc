#include "display/smooth_sprite.h"

#include <algorithm>
#include <cmath>

#include "display/clock_logic.h"

namespace {

struct Colour {
    int r, g, b;
};

template <int Depth> Colour read_pixel(BITMAP *b, int x, int y);
template <int Depth> void write_pixel(BITMAP *b, int x, int y, Colour c);

template <> Colour read_pixel<15>(BITMAP *b, int x, int y)
{
    const int c = _getpixel15(b, x, y);
    return {getr15(c), getg15(c), getb15(c)};
}
template <> void write_pixel<15>(BITMAP *b, int x, int y, Colour c)
{
    _putpixel15(b, x, y, makecol15(c.r, c.g, c.b));
}
template <> Colour read_pixel<16>(BITMAP *b, int x, int y)
{
    const int c = _getpixel16(b, x, y);
    return {getr16(c), getg16(c), getb16(c)};
}
template <> void write_pixel<16>(BITMAP *b, int x, int y, Colour c)
{
    _putpixel16(b, x, y, makecol16(c.r, c.g, c.b));
}
template <> Colour read_pixel<24>(BITMAP *b, int x, int y)
{
    const int c = _getpixel24(b, x, y);
    return {getr24(c), getg24(c), getb24(c)};
}
template <> void write_pixel<24>(BITMAP *b, int x, int y, Colour c)
{
    _putpixel24(b, x, y, makecol24(c.r, c.g, c.b));
}
template <> Colour read_pixel<32>(BITMAP *b, int x, int y)
{
    const int c = _getpixel32(b, x, y);
    return {getr32(c), getg32(c), getb32(c)};
}
template <> void write_pixel<32>(BITMAP *b, int x, int y, Colour c)
{
    _putpixel32(b, x, y, makecol32(c.r, c.g, c.b));
}

// The range of destination columns [lo, hi] on one row for which
// start + step * x lies strictly between -1 and limit, that is, for which at
// least one of the four source pixels sampled lies inside the picture.
void narrow_span(double start, double step, int limit, int &lo, int &hi)
{
    if (std::fabs(step) < 1e-12) {
        if (start <= -1 || start >= limit)
            hi = lo - 1;
        return;
    }
    double a = (-1 - start) / step, b = (limit - start) / step;
    if (a > b)
        std::swap(a, b);
    lo = std::max(lo, static_cast<int>(std::floor(a)));
    hi = std::min(hi, static_cast<int>(std::ceil(b)));
}

template <int Depth>
void draw(BITMAP *dest, BITMAP *sprite, int x, int y, int pivotX, int pivotY, int angle)
{
    const double turn = angle * (2 * M_PI / (1 << 24));
    const double c = std::cos(turn), s = std::sin(turn);
    const Rect clip = {dest->cl, dest->ct, dest->cr - dest->cl, dest->cb - dest->ct};
    const Rect area = rect_intersection(
        turned_picture_bounds(sprite->w, sprite->h, {pivotX, pivotY}, {x, y}, angle), clip);
    const int mask = bitmap_mask_color(sprite);

    for (int dy = area.y; dy < area.y + area.h; dy++) {
        // Source position of destination pixel (dx, dy): the pivot's pixel
        // centre sits on the destination pixel (x, y)'s centre.
        const double ry = dy - y;
        const double u0 = (area.x - x) * c + ry * s + pivotX;
        const double v0 = -(area.x - x) * s + ry * c + pivotY;
        int lo = 0, hi = area.w - 1;
        narrow_span(u0, c, sprite->w, lo, hi);
        narrow_span(v0, -s, sprite->h, lo, hi);
        for (int i = std::max(lo, 0); i <= std::min(hi, area.w - 1); i++) {
            const double u = u0 + i * c, v = v0 - i * s;
            const int iu = static_cast<int>(std::floor(u)), iv = static_cast<int>(std::floor(v));
            const double fu = u - iu, fv = v - iv;
            double cover = 0, r = 0, g = 0, b = 0;
            for (int k = 0; k < 4; k++) {
                const int sx = iu + (k & 1), sy = iv + (k >> 1);
                if (sx < 0 || sy < 0 || sx >= sprite->w || sy >= sprite->h)
                    continue;
                const int raw = Depth == 15   ? _getpixel15(sprite, sx, sy)
                                : Depth == 16 ? _getpixel16(sprite, sx, sy)
                                : Depth == 24 ? _getpixel24(sprite, sx, sy)
                                              : _getpixel32(sprite, sx, sy);
                if (raw == mask)
                    continue;
                const double w = ((k & 1) ? fu : 1 - fu) * ((k >> 1) ? fv : 1 - fv);
                const Colour p = read_pixel<Depth>(sprite, sx, sy);
                cover += w;
                r += w * p.r;
                g += w * p.g;
                b += w * p.b;
            }
            if (cover <= 0)
                continue;
            const int dx = area.x + i;
            const Colour under = read_pixel<Depth>(dest, dx, dy);
            const double rest = 1 - cover;
            write_pixel<Depth>(dest, dx, dy,
                               {static_cast<int>(r + rest * under.r + 0.5),
                                static_cast<int>(g + rest * under.g + 0.5),
                                static_cast<int>(b + rest * under.b + 0.5)});
        }
    }
}

}  // namespace

void pivot_smooth_sprite(BITMAP *dest, BITMAP *sprite, int x, int y, int pivotX, int pivotY, int angle)
{
    if (!dest || !sprite || bitmap_color_depth(dest) != bitmap_color_depth(sprite))
        return;
    switch (bitmap_color_depth(dest)) {
    case 15: draw<15>(dest, sprite, x, y, pivotX, pivotY, angle); break;
    case 16: draw<16>(dest, sprite, x, y, pivotX, pivotY, angle); break;
    case 24: draw<24>(dest, sprite, x, y, pivotX, pivotY, angle); break;
    case 32: draw<32>(dest, sprite, x, y, pivotX, pivotY, angle); break;
    default: break;
    }
}
