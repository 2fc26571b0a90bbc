#include "display/scale.h"

#include <algorithm>
#include <cmath>

void scale_area(BITMAP *src, BITMAP *dest, const Rect &r)
{
    const Rect area = rect_intersection(r, {0, 0, dest->w, dest->h});
    const double fx = static_cast<double>(src->w) / dest->w, fy = static_cast<double>(src->h) / dest->h;
    for (int y = area.y; y < area.y + area.h; y++) {
        const double top = y * fy, bottom = std::min((y + 1) * fy, static_cast<double>(src->h));
        for (int x = area.x; x < area.x + area.w; x++) {
            const double left = x * fx, right = std::min((x + 1) * fx, static_cast<double>(src->w));
            double sum[3] = {0, 0, 0}, weight = 0;
            for (int sy = static_cast<int>(top); sy < bottom; sy++) {
                const double wy = std::min(bottom, sy + 1.0) - std::max(top, static_cast<double>(sy));
                for (int sx = static_cast<int>(left); sx < right; sx++) {
                    const double w = wy * (std::min(right, sx + 1.0) - std::max(left, static_cast<double>(sx)));
                    const int c = getpixel(src, sx, sy);
                    sum[0] += w * getr_depth(bitmap_color_depth(src), c);
                    sum[1] += w * getg_depth(bitmap_color_depth(src), c);
                    sum[2] += w * getb_depth(bitmap_color_depth(src), c);
                    weight += w;
                }
            }
            if (weight > 0)
                putpixel(dest, x, y,
                         makecol_depth(bitmap_color_depth(dest), static_cast<int>(sum[0] / weight + 0.5),
                                       static_cast<int>(sum[1] / weight + 0.5),
                                       static_cast<int>(sum[2] / weight + 0.5)));
        }
    }
}
