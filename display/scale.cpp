#include "display/scale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// Weights are fixed point with this many bits, so that the products of a
// row's and a column's weight with an 8-bit channel fit in 32 bits.
constexpr int WEIGHT_BITS = 10;
constexpr int WEIGHT_ONE = 1 << WEIGHT_BITS;

// The frame pixels one view pixel is made of along one axis, and their
// shares, which add up to WEIGHT_ONE.
struct Taps {
    std::vector<int> first;   // per view pixel: index of its first tap
    std::vector<int> source;  // per tap: the frame pixel
    std::vector<int> weight;  // per tap: its share
};

// The taps of view pixels from..to-1 (relative to the placed frame's edge)
// for a frame of `frameLength` pixels shown over `placedLength`.
Taps taps_for(int from, int to, int frameLength, int placedLength)
{
    Taps taps;
    const double step = static_cast<double>(frameLength) / placedLength;
    std::vector<double> shares;
    for (int d = from; d < to; d++) {
        taps.first.push_back(static_cast<int>(taps.source.size()));
        shares.clear();
        const size_t begin = taps.source.size();
        if (placedLength >= frameLength) {
            // Going up: a blend of the two frame pixels whose centres lie
            // either side of this pixel's centre.
            const double u = (d + 0.5) * step - 0.5;
            const int i = static_cast<int>(std::floor(u));
            const double f = u - i;
            taps.source.push_back(std::clamp(i, 0, frameLength - 1));
            shares.push_back(1 - f);
            taps.source.push_back(std::clamp(i + 1, 0, frameLength - 1));
            shares.push_back(f);
        } else {
            // Going down: the frame pixels this pixel covers, each by the
            // part of it that lies inside.
            const double left = d * step, right = std::min((d + 1) * step, static_cast<double>(frameLength));
            for (int i = static_cast<int>(left); i < right; i++) {
                taps.source.push_back(i);
                shares.push_back((std::min(right, i + 1.0) - std::max(left, static_cast<double>(i))) / step);
            }
        }
        // Whole-number shares that add up exactly; the rounding goes to the
        // largest.
        int sum = 0;
        size_t largest = 0;
        for (size_t k = 0; k < shares.size(); k++) {
            const int w = static_cast<int>(std::lround(shares[k] * WEIGHT_ONE));
            taps.weight.push_back(w);
            sum += w;
            if (shares[k] > shares[largest])
                largest = k;
        }
        taps.weight[begin + largest] += WEIGHT_ONE - sum;
    }
    taps.first.push_back(static_cast<int>(taps.source.size()));
    return taps;
}

void fill(BITMAP *b, const Rect &r, int colour)
{
    if (!rect_is_empty(r))
        rectfill(b, r.x, r.y, r.x + r.w - 1, r.y + r.h - 1, colour);
}

}  // namespace

void scale_into(BITMAP *src, BITMAP *dest, const Rect &placed, const Rect &r)
{
    const Rect area = rect_intersection(rect_intersection(r, placed), {0, 0, dest->w, dest->h});
    if (rect_is_empty(area))
        return;
    const Taps columns = taps_for(area.x - placed.x, area.x + area.w - placed.x, src->w, placed.w);
    const Taps rows = taps_for(area.y - placed.y, area.y + area.h - placed.y, src->h, placed.h);
    const int srcDepth = bitmap_color_depth(src), destDepth = bitmap_color_depth(dest);
    const bool direct = srcDepth == 32 && destDepth == 32 && is_memory_bitmap(src) && is_memory_bitmap(dest);
    for (int y = 0; y < area.h; y++) {
        auto *out = direct ? reinterpret_cast<uint32_t *>(dest->line[area.y + y]) + area.x : nullptr;
        for (int x = 0; x < area.w; x++) {
            uint32_t sum[3] = {0, 0, 0};
            for (int ty = rows.first[y]; ty < rows.first[y + 1]; ty++) {
                const int sy = rows.source[ty], wy = rows.weight[ty];
                const auto *line = direct ? reinterpret_cast<const uint32_t *>(src->line[sy]) : nullptr;
                for (int tx = columns.first[x]; tx < columns.first[x + 1]; tx++) {
                    const uint32_t w = static_cast<uint32_t>(wy * columns.weight[tx]);
                    if (direct) {
                        const uint32_t c = line[columns.source[tx]];
                        sum[0] += w * static_cast<uint32_t>(getr32(c));
                        sum[1] += w * static_cast<uint32_t>(getg32(c));
                        sum[2] += w * static_cast<uint32_t>(getb32(c));
                    } else {
                        const int c = getpixel(src, columns.source[tx], sy);
                        sum[0] += w * static_cast<uint32_t>(getr_depth(srcDepth, c));
                        sum[1] += w * static_cast<uint32_t>(getg_depth(srcDepth, c));
                        sum[2] += w * static_cast<uint32_t>(getb_depth(srcDepth, c));
                    }
                }
            }
            const uint32_t half = 1u << (2 * WEIGHT_BITS - 1);
            const int red = static_cast<int>((sum[0] + half) >> (2 * WEIGHT_BITS));
            const int green = static_cast<int>((sum[1] + half) >> (2 * WEIGHT_BITS));
            const int blue = static_cast<int>((sum[2] + half) >> (2 * WEIGHT_BITS));
            if (direct)
                out[x] = static_cast<uint32_t>(makecol32(red, green, blue));
            else
                putpixel(dest, area.x + x, area.y + y, makecol_depth(destDepth, red, green, blue));
        }
    }
}

bool fit_copy(ScaledCopy &copy, ScreenSize frame, ScreenSize area, Rgb colour)
{
    free_copy(copy);
    copy.frame = frame;
    copy.area = area;
    copy.placed = fitted_placement(frame, area);
    copy.barColour = makecol(colour.r, colour.g, colour.b);
    if (frame.width == area.width && frame.height == area.height)
        return true;
    copy.picture = create_bitmap(std::max(area.width, 1), std::max(area.height, 1));
    return copy.picture != nullptr;
}

void free_copy(ScaledCopy &copy)
{
    if (copy.picture)
        destroy_bitmap(copy.picture);
    copy = ScaledCopy{};
}

bool copy_fits(const ScaledCopy &copy, ScreenSize frame, ScreenSize area)
{
    const bool sameFrame = copy.frame.width == frame.width && copy.frame.height == frame.height;
    const bool sameArea = copy.area.width == area.width && copy.area.height == area.height;
    const bool scaled = frame.width != area.width || frame.height != area.height;
    return sameFrame && sameArea && (!scaled || copy.picture);
}

BITMAP *update_copy(ScaledCopy &copy, BITMAP *frame, const Rect *rects, int count, Rect *out)
{
    if (!copy.picture) {
        std::copy(rects, rects + count, out);
        return frame;
    }
    // A pixel blended from its neighbours going up changes with them.
    const int grow = copy.placed.w >= frame->w ? 1 : 0;
    for (int i = 0; i < count; i++) {
        out[i] = scaled_rect(rects[i], {frame->w, frame->h}, copy.placed, grow);
        scale_into(frame, copy.picture, copy.placed, out[i]);
    }
    return copy.picture;
}

BITMAP *update_whole_copy(ScaledCopy &copy, BITMAP *frame, Rect &out)
{
    if (!copy.picture) {
        out = {0, 0, frame->w, frame->h};
        return frame;
    }
    const Rect p = copy.placed;
    const int w = copy.area.width, h = copy.area.height;
    fill(copy.picture, {0, 0, w, p.y}, copy.barColour);
    fill(copy.picture, {0, p.y + p.h, w, h - p.y - p.h}, copy.barColour);
    fill(copy.picture, {0, p.y, p.x, p.h}, copy.barColour);
    fill(copy.picture, {p.x + p.w, p.y, w - p.x - p.w, p.h}, copy.barColour);
    scale_into(frame, copy.picture, p, p);
    out = {0, 0, w, h};
    return copy.picture;
}
