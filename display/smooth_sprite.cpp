#include "display/smooth_sprite.h"

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <numbers>

#include "display/clock_logic.h"

namespace {

struct Colour {
    int r, g, b;
};

// Memory bitmaps only: their rows are plain memory, read and written
// directly rather than through the library's per-pixel bank switching.
template <int Depth> int raw_pixel(BITMAP *b, int x, int y)
{
    const unsigned char *row = b->line[y];
    if constexpr (Depth == 15 || Depth == 16) {
        return reinterpret_cast<const uint16_t *>(row)[x];
    } else if constexpr (Depth == 24) {
        const unsigned char *p = row + 3 * x;
        return p[0] | (p[1] << 8) | (p[2] << 16);
    } else {
        return static_cast<int>(reinterpret_cast<const uint32_t *>(row)[x]);
    }
}

template <int Depth> void write_pixel(BITMAP *b, int x, int y, Colour c)
{
    unsigned char *row = b->line[y];
    if constexpr (Depth == 15) {
        reinterpret_cast<uint16_t *>(row)[x] = static_cast<uint16_t>(makecol15(c.r, c.g, c.b));
    } else if constexpr (Depth == 16) {
        reinterpret_cast<uint16_t *>(row)[x] = static_cast<uint16_t>(makecol16(c.r, c.g, c.b));
    } else if constexpr (Depth == 24) {
        const int v = makecol24(c.r, c.g, c.b);
        unsigned char *p = row + 3 * x;
        p[0] = v & 0xFF;
        p[1] = (v >> 8) & 0xFF;
        p[2] = (v >> 16) & 0xFF;
    } else {
        reinterpret_cast<uint32_t *>(row)[x] = static_cast<uint32_t>(makecol32(c.r, c.g, c.b));
    }
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

template <int Depth> Colour unpack(int c)
{
    if constexpr (Depth == 15)
        return {getr15(c), getg15(c), getb15(c)};
    else if constexpr (Depth == 16)
        return {getr16(c), getg16(c), getb16(c)};
    else if constexpr (Depth == 24)
        return {getr24(c), getg24(c), getb24(c)};
    else
        return {getr32(c), getg32(c), getb32(c)};
}

// Positions in the picture are 16.16 fixed point; the blend weights have
// 8 bits a side, so the four weights of a destination pixel add up to 65536.
constexpr int FRACTION_BITS = 16;

template <int Depth>
void draw(BITMAP *dest, BITMAP *sprite, int x, int y, int pivotX, int pivotY, int angle)
{
    const double turn = angle * (2 * std::numbers::pi / (1 << 24));
    const double c = std::cos(turn), s = std::sin(turn);
    const Rect clip = {dest->cl, dest->ct, dest->cr - dest->cl, dest->cb - dest->ct};
    // Each row is stepped from the picture's whole extent, whatever the
    // clip: a hand drawn into part of the frame gets exactly the pixels it
    // would have drawn whole.
    const Rect bounds = turned_picture_bounds(sprite->w, sprite->h, {pivotX, pivotY}, {x, y}, angle);
    const Rect area = rect_intersection(bounds, clip);
    if (rect_is_empty(area))
        return;
    const int mask = bitmap_mask_color(sprite);
    const int one = 1 << FRACTION_BITS;
    const int stepU = static_cast<int>(std::lround(c * one)), stepV = static_cast<int>(std::lround(-s * one));

    for (int dy = area.y; dy < area.y + area.h; dy++) {
        // Source position of destination pixel (dx, dy): the pivot's pixel
        // centre sits on the destination pixel (x, y)'s centre.
        const double ry = dy - y;
        const double u0 = (bounds.x - x) * c + ry * s + pivotX;
        const double v0 = -(bounds.x - x) * s + ry * c + pivotY;
        int lo = 0, hi = bounds.w - 1;
        narrow_span(u0, c, sprite->w, lo, hi);
        narrow_span(v0, -s, sprite->h, lo, hi);
        lo = std::max(lo, 0);
        hi = std::min(hi, bounds.w - 1);
        // One pixel's width more than the picture: it samples [-1, w].
        int u = static_cast<int>(std::lround((u0 + lo * c + 1) * one));
        int v = static_cast<int>(std::lround((v0 - lo * s + 1) * one));
        const int first = std::max(lo, area.x - bounds.x), last = std::min(hi, area.x + area.w - 1 - bounds.x);
        u += (first - lo) * stepU;
        v += (first - lo) * stepV;
        for (int i = first; i <= last; i++, u += stepU, v += stepV) {
            if (u < 0 || v < 0)
                continue;
            const int iu = (u >> FRACTION_BITS) - 1, iv = (v >> FRACTION_BITS) - 1;
            const int fu = (u >> (FRACTION_BITS - 8)) & 0xFF, fv = (v >> (FRACTION_BITS - 8)) & 0xFF;
            const int weights[4] = {(256 - fu) * (256 - fv), fu * (256 - fv), (256 - fu) * fv, fu * fv};
            int cover = 0, r = 0, g = 0, b = 0;
            for (int k = 0; k < 4; k++) {
                const int sx = iu + (k & 1), sy = iv + (k >> 1);
                if (weights[k] == 0 || sx < 0 || sy < 0 || sx >= sprite->w || sy >= sprite->h)
                    continue;
                const int raw = raw_pixel<Depth>(sprite, sx, sy);
                if (raw == mask)
                    continue;
                const Colour p = unpack<Depth>(raw);
                cover += weights[k];
                r += weights[k] * p.r;
                g += weights[k] * p.g;
                b += weights[k] * p.b;
            }
            if (cover == 0)
                continue;
            const int dx = bounds.x + i;
            const int rest = 65536 - cover;
            const Colour under = unpack<Depth>(raw_pixel<Depth>(dest, dx, dy));
            write_pixel<Depth>(dest, dx, dy,
                               {(r + rest * under.r + 32768) >> 16, (g + rest * under.g + 32768) >> 16,
                                (b + rest * under.b + 32768) >> 16});
        }
    }
}

}  // namespace

void pivot_smooth_sprite(BITMAP *dest, BITMAP *sprite, int x, int y, int pivotX, int pivotY, int angle)
{
    if (!dest || !sprite || bitmap_color_depth(dest) != bitmap_color_depth(sprite) ||
        !is_memory_bitmap(dest) || !is_memory_bitmap(sprite))
        return;
    switch (bitmap_color_depth(dest)) {
    case 15: draw<15>(dest, sprite, x, y, pivotX, pivotY, angle); break;
    case 16: draw<16>(dest, sprite, x, y, pivotX, pivotY, angle); break;
    case 24: draw<24>(dest, sprite, x, y, pivotX, pivotY, angle); break;
    case 32: draw<32>(dest, sprite, x, y, pivotX, pivotY, angle); break;
    default: break;
    }
}
