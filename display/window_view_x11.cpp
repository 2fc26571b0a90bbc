#include "display/window_view_x11.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdint>

#include "display/display_x11.h"

namespace {

// A picture that cannot be shared goes through the connection in strips of
// about this many bytes: a large one then needs no buffer of its size.
constexpr size_t STRIP_BYTES = 256 * 1024;

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
    // A 32-bit visual keeps an alpha channel in the bits no colour uses; a
    // compositor would show a clock with them clear as transparent.
    format_ = pixel_format(depth_, visual_->red_mask, visual_->green_mask, visual_->blue_mask);
    gc_ = XCreateGC(display, window, 0, nullptr);
}

WindowView::~WindowView()
{
    drop_shared_image();
    XFreeGC(display_, gc_);
}

void WindowView::resize(ScreenSize size)
{
    size_ = size;
    drop_shared_image();
}

bool WindowView::share_image()
{
    if (shared_)
        return true;
    if (sharingFailed_ || !XShmQueryExtension(display_))
        return false;
    sharingFailed_ = true;
    XImage *image = XShmCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, nullptr, &segment_,
                                    static_cast<unsigned>(size_.width), static_cast<unsigned>(size_.height));
    if (!image)
        return false;
    segment_.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(image->bytes_per_line) * image->height, IPC_CREAT | 0600);
    if (segment_.shmid < 0) {
        XDestroyImage(image);
        return false;
    }
    segment_.shmaddr = image->data = static_cast<char *>(shmat(segment_.shmid, nullptr, 0));
    segment_.readOnly = False;
    const bool attached = segment_.shmaddr != reinterpret_cast<char *>(-1) && attach_shared_memory(display_, &segment_);
    // Gone from the system once both sides let go of it, however we end.
    shmctl(segment_.shmid, IPC_RMID, nullptr);
    if (!attached) {
        if (segment_.shmaddr != reinterpret_cast<char *>(-1))
            shmdt(segment_.shmaddr);
        image->data = nullptr;
        XDestroyImage(image);
        return false;
    }
    shared_ = image;
    sharingFailed_ = false;
    return true;
}

void WindowView::drop_shared_image()
{
    if (!shared_)
        return;
    XShmDetach(display_, &segment_);
    // The server lets go before the memory does.
    XSync(display_, False);
    shmdt(segment_.shmaddr);
    shared_->data = nullptr;
    XDestroyImage(shared_);
    shared_ = nullptr;
}

void WindowView::convert(BITMAP *picture, const Rect &r, XImage *image, int toX, int toY) const
{
    const int depth = bitmap_color_depth(picture);
    const bool rows = depth == 32 && is_memory_bitmap(picture) && image->bits_per_pixel == 32 &&
                      image->byte_order == our_byte_order();
    for (int y = 0; y < r.h; y++) {
        if (rows) {
            const auto *from = reinterpret_cast<const uint32_t *>(picture->line[r.y + y]) + r.x;
            auto *to = reinterpret_cast<uint32_t *>(image->data + static_cast<size_t>(toY + y) * image->bytes_per_line) + toX;
            for (int x = 0; x < r.w; x++)
                to[x] = pack_rgb(format_, getr32(from[x]), getg32(from[x]), getb32(from[x]));
            continue;
        }
        for (int x = 0; x < r.w; x++) {
            const int c = getpixel(picture, r.x + x, r.y + y);
            XPutPixel(image, toX + x, toY + y,
                      pack_rgb(format_, getr_depth(depth, c), getg_depth(depth, c), getb_depth(depth, c)));
        }
    }
}

void WindowView::send(BITMAP *picture, const Rect *rects, int count)
{
    const Rect whole = {0, 0, std::min(picture->w, size_.width), std::min(picture->h, size_.height)};
    for (int i = 0; i < count; i++) {
        const Rect r = rect_intersection(rects[i], whole);
        if (rect_is_empty(r))
            continue;
        // The hands' places each second go through memory shared with the
        // server, which then holds only the pages they touch; a whole
        // window (at the start, exposed) goes through the connection.
        const bool small = static_cast<long long>(r.w) * r.h * 4 <= static_cast<long long>(size_.width) * size_.height;
        if (small && share_image()) {
            convert(picture, r, shared_, r.x, r.y);
            XShmPutImage(display_, window_, gc_, shared_, r.x, r.y, r.x, r.y, static_cast<unsigned>(r.w),
                         static_cast<unsigned>(r.h), False);
            continue;
        }
        XImage *image = XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0, nullptr,
                                     static_cast<unsigned>(r.w), 1, 32, 0);
        if (!image)
            continue;
        const int rowsPerStrip = std::max(1, static_cast<int>(STRIP_BYTES / image->bytes_per_line));
        strip_.resize(static_cast<size_t>(image->bytes_per_line) * std::min(rowsPerStrip, r.h));
        image->data = strip_.data();
        for (int y = 0; y < r.h; y += rowsPerStrip) {
            const Rect band = {r.x, r.y + y, r.w, std::min(rowsPerStrip, r.h - y)};
            image->height = band.h;
            convert(picture, band, image, 0, 0);
            // Xlib has copied or sent the strip when this returns.
            XPutImage(display_, window_, gc_, image, 0, 0, band.x, band.y, static_cast<unsigned>(band.w),
                      static_cast<unsigned>(band.h));
        }
        image->data = nullptr;
        XDestroyImage(image);
    }
}
