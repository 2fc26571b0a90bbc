#include "display/window_view_x11.h"

#include <X11/Xutil.h>

#include <cstdint>
#include <cstdlib>

namespace {

// Where a channel's mask puts its 8 bits in a pixel of the visual.
struct Channel {
    unsigned long mask;
    int shift;  // left shift of the top bit of the 8-bit value, may be negative
};

Channel channel(unsigned long mask)
{
    int top = 63;
    while (top > 0 && !(mask & (1UL << top)))
        top--;
    return {mask, top - 7};
}

unsigned long place(int value, Channel c)
{
    const unsigned long v = static_cast<unsigned long>(value);
    return (c.shift >= 0 ? v << c.shift : v >> -c.shift) & c.mask;
}

int our_byte_order()
{
    const uint32_t one = 1;
    return *reinterpret_cast<const unsigned char *>(&one) ? LSBFirst : MSBFirst;
}

}  // namespace

WindowView::WindowView(Display *display, Window window, ScreenSize size)
    : display_(display), window_(window), size_(size)
{
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes)) {
        visual_ = attributes.visual;
        depth_ = attributes.depth;
    } else {
        visual_ = DefaultVisual(display, DefaultScreen(display));
        depth_ = DefaultDepth(display, DefaultScreen(display));
    }
    gc_ = XCreateGC(display, window, 0, nullptr);
}

WindowView::~WindowView()
{
    XFreeGC(display_, gc_);
}

void WindowView::send(BITMAP *picture, const Rect *rects, int count)
{
    const int depth = bitmap_color_depth(picture);
    // The library's 32-bit pixels are those of the usual 24-bit visual:
    // such a picture goes to the server as it is, straight from its rows.
    const bool asItIs = depth == 32 && is_memory_bitmap(picture) && depth_ == 24 &&
                        visual_->red_mask == 0xFF0000 && visual_->green_mask == 0xFF00 &&
                        visual_->blue_mask == 0xFF && makecol32(1, 2, 3) == 0x010203 &&
                        (picture->h < 2 || picture->line[1] - picture->line[0] == picture->w * 4);
    if (asItIs) {
        XImage *image = XCreateImage(display_, visual_, depth_, ZPixmap, 0,
                                     reinterpret_cast<char *>(picture->line[0]), picture->w, picture->h, 32,
                                     picture->w * 4);
        if (image && image->bits_per_pixel == 32 && image->byte_order == our_byte_order()) {
            for (int i = 0; i < count; i++) {
                const Rect r = rect_intersection(rects[i], {0, 0, picture->w, picture->h});
                if (!rect_is_empty(r))
                    XPutImage(display_, window_, gc_, image, r.x, r.y, r.x, r.y, r.w, r.h);
            }
            image->data = nullptr;  // the picture's own rows
            XDestroyImage(image);
            return;
        }
        if (image) {
            image->data = nullptr;
            XDestroyImage(image);
        }
    }

    const Channel red = channel(visual_->red_mask), green = channel(visual_->green_mask),
                  blue = channel(visual_->blue_mask);
    // A 32-bit visual keeps an alpha channel in the bits no colour uses; a
    // compositor would show a clock with them clear as transparent.
    const unsigned long opaque = depth_ == 32 ? ~(red.mask | green.mask | blue.mask) & 0xFFFFFFFFUL : 0;
    for (int i = 0; i < count; i++) {
        const Rect area = rect_intersection(rects[i], {0, 0, picture->w, picture->h});
        if (rect_is_empty(area))
            continue;
        XImage *image = XCreateImage(display_, visual_, depth_, ZPixmap, 0, nullptr, area.w, area.h, 32, 0);
        if (!image)
            continue;
        image->data = static_cast<char *>(std::malloc(static_cast<size_t>(image->bytes_per_line) * area.h));
        if (!image->data) {
            XDestroyImage(image);
            continue;
        }
        const bool rows = depth == 32 && is_memory_bitmap(picture) && image->bits_per_pixel == 32 &&
                          image->byte_order == our_byte_order();
        for (int y = 0; y < area.h; y++) {
            if (rows) {
                const auto *from = reinterpret_cast<const uint32_t *>(picture->line[area.y + y]) + area.x;
                auto *to = reinterpret_cast<uint32_t *>(image->data + static_cast<size_t>(y) * image->bytes_per_line);
                for (int x = 0; x < area.w; x++)
                    to[x] = static_cast<uint32_t>(opaque | place(getr32(from[x]), red) |
                                                  place(getg32(from[x]), green) | place(getb32(from[x]), blue));
                continue;
            }
            for (int x = 0; x < area.w; x++) {
                const int c = getpixel(picture, area.x + x, area.y + y);
                XPutPixel(image, x, y,
                          opaque | place(getr_depth(depth, c), red) | place(getg_depth(depth, c), green) |
                              place(getb_depth(depth, c), blue));
            }
        }
        XPutImage(display_, window_, gc_, image, 0, 0, area.x, area.y, area.w, area.h);
        XDestroyImage(image);
    }
}
