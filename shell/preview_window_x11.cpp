// X11 preview: a child window that fills the host's preview area and shows
// the embedded picture until the host destroys the area. Plain Xlib, so that
// preview mode starts no graphics library and costs nothing while it waits.
#include "shell/preview_window.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <map>

#include "display/display_x11.h"
#include "display/pixel_format.h"
#include "resources/embedded_pictures.h"
#include "resources/resource_ids.h"
#include "shell/preview_logic.h"

namespace {

constexpr uint32_t WHITE = 0xFFFFFF;

// The first X error since the last reset; Xlib's own handler would end the
// process with a message that names no cause a user could act on.
int x_error_code = 0;

int record_x_error(Display *, XErrorEvent *event)
{
    if (x_error_code == 0)
        x_error_code = event->error_code;
    return 0;
}

struct PreviewTarget {
    Display *display;
    Window window;
    Visual *visual;
    int depth;
    Colormap colormap;
    std::map<uint32_t, unsigned long> allocatedColours;  // visuals with a palette only
};

unsigned long pixel_of(PreviewTarget &target, uint32_t rgb)
{
    Visual *v = target.visual;
    if (v->c_class == TrueColor)
        return pack_pixel(rgb, v->red_mask, v->green_mask, v->blue_mask) |
               spare_bits(target.depth, v->red_mask, v->green_mask, v->blue_mask);
    auto known = target.allocatedColours.find(rgb);
    if (known != target.allocatedColours.end())
        return known->second;
    XColor colour{};
    colour.red = static_cast<unsigned short>(((rgb >> 16) & 0xFF) * 257);
    colour.green = static_cast<unsigned short>(((rgb >> 8) & 0xFF) * 257);
    colour.blue = static_cast<unsigned short>((rgb & 0xFF) * 257);
    // A full palette leaves the colour at pixel 0; the picture is then only
    // approximate, which a preview can live with.
    XAllocColor(target.display, target.colormap, &colour);
    target.allocatedColours[rgb] = colour.pixel;
    return colour.pixel;
}

// Loads the picture, draws it at the window's top-left corner at its own
// size and frees it again; the server clips it at the window's edges.
void paint_preview(PreviewTarget &target)
{
    EmbeddedPicture bytes = embedded_picture(IDB_PREVIEW_WINDOW);
    RgbPicture picture;
    if (!decode_bmp24(bytes.bytes, bytes.size, picture)) {
        std::fprintf(stderr, "veltrane: the built-in preview picture cannot be read\n");
        return;
    }
    XImage *image = XCreateImage(target.display, target.visual, target.depth, ZPixmap, 0, nullptr,
                                 picture.width, picture.height, 32, 0);
    if (!image)
        return;
    image->data = static_cast<char *>(std::calloc(image->bytes_per_line, picture.height));
    if (!image->data) {
        XDestroyImage(image);
        return;
    }
    for (int y = 0; y < picture.height; y++)
        for (int x = 0; x < picture.width; x++)
            XPutPixel(image, x, y, pixel_of(target, picture.pixels[y * picture.width + x]));

    GC gc = XCreateGC(target.display, target.window, 0, nullptr);
    XPutImage(target.display, target.window, gc, image, 0, 0, 0, 0, picture.width, picture.height);
    XFreeGC(target.display, gc);
    XDestroyImage(image);  // frees the pixel data too
    XFlush(target.display);
}

// Creates the child window over the whole preview area. Returns false with
// a message when `parent` is no window that can hold one.
bool create_preview_window(PreviewTarget &target, Window parent)
{
    XWindowAttributes parentAttributes;
    if (!XGetWindowAttributes(target.display, parent, &parentAttributes) || x_error_code) {
        std::fprintf(stderr, "veltrane: there is no window %lu on display \"%s\"\n", parent,
                     DisplayString(target.display));
        return false;
    }
    target.visual = parentAttributes.visual;
    target.depth = parentAttributes.depth;
    target.colormap = parentAttributes.colormap;

    // The parent's outer size, its border included, as the host measures
    // its preview area.
    const int border = parentAttributes.border_width;
    const unsigned width = parentAttributes.width + 2 * border;
    const unsigned height = parentAttributes.height + 2 * border;

    XSetWindowAttributes attributes{};
    attributes.background_pixel = pixel_of(target, WHITE);
    // Selected at creation, so that a parent destroyed at any moment after
    // this still reaches us as the child's own DestroyNotify.
    attributes.event_mask = ExposureMask | StructureNotifyMask;
    target.window = XCreateWindow(target.display, parent, 0, 0, width, height, 0, target.depth,
                                  InputOutput, target.visual, CWBackPixel | CWEventMask,
                                  &attributes);
    XMapWindow(target.display, target.window);
    XSync(target.display, False);
    if (x_error_code) {
        char text[128];
        XGetErrorText(target.display, x_error_code, text, sizeof text);
        std::fprintf(stderr, "veltrane: cannot show the preview in window %lu: %s\n", parent, text);
        return false;
    }
    return true;
}

}  // namespace

int run_preview(int32_t parentWindow)
{
    if (const std::string problem = preview_parent_problem(parentWindow); !problem.empty()) {
        std::fprintf(stderr, "veltrane: %s\n", problem.c_str());
        return PREVIEW_NO_PARENT;
    }
    Display *display = open_x_display();
    if (!display)
        return PREVIEW_NO_DISPLAY;
    XSetErrorHandler(record_x_error);

    PreviewTarget target{display, None, nullptr, 0, None, {}};
    if (!create_preview_window(target, static_cast<Window>(parentWindow))) {
        XCloseDisplay(display);
        return PREVIEW_NO_PARENT;
    }

    // Errors from here on come from races with the host tearing the area
    // down (a paint of a window that is already gone); the DestroyNotify
    // that follows ends the loop.
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == Expose && event.xexpose.count == 0)
            paint_preview(target);
        else if (event.type == DestroyNotify && event.xdestroywindow.window == target.window)
            break;
    }
    XCloseDisplay(display);
    return 0;
}
