// Renders all ten clock styles exactly as the saver composes a frame
// (background, face, brand mark, hands) at 10:08:37 on a 1024 x 768 screen,
// and lays them out, halved, in one PNG of two rows.
//   veltrane-contact-sheet ASSET_DIR OUT.png
#include <allegro.h>
#include <cairo.h>

#include <cstdio>
#include <string>

#include "display/clock_frame.h"

namespace {

const int SCREEN_WIDTH = 1024, SCREEN_HEIGHT = 768, COLUMNS = 5;

// The frame a saver with this style shows at 10:08:37, with the second hand.
BITMAP *compose_style(const std::string &dir, int index)
{
    const ClockStyle &style = ClockStyleTable[index];
    ClockDisplay d;
    AssetPaths paths;
    build_asset_paths(paths, dir.c_str(), style);
    load_clock(d, style, paths, SCREEN_WIDTH, SCREEN_HEIGHT);
    SaverSettings settings;
    settings.secondHand = 1;
    std::tm t{};
    t.tm_hour = 10;
    t.tm_min = 8;
    t.tm_sec = 37;
    Rect changed[MAX_CHANGED_RECTS];
    redraw_frame(d, style, settings, t, changed);
    BITMAP *frame = d.frame;
    d.frame = nullptr;
    free_clock_pictures(d);
    return frame;
}

cairo_surface_t *to_surface(BITMAP *frame)
{
    cairo_surface_t *s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, frame->w, frame->h);
    unsigned char *data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < frame->h; y++) {
        auto *row = reinterpret_cast<uint32_t *>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < frame->w; x++) {
            int c = getpixel(frame, x, y);
            row[x] = (getr(c) << 16) | (getg(c) << 8) | getb(c);
        }
    }
    cairo_surface_mark_dirty(s);
    return s;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: veltrane-contact-sheet ASSET_DIR OUT.png\n");
        return 2;
    }
    const std::string dir = argv[1];
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);

    const int tileW = SCREEN_WIDTH / 2, tileH = SCREEN_HEIGHT / 2;
    cairo_surface_t *sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, tileW * COLUMNS,
                                                        tileH * (CLOCK_STYLE_COUNT / COLUMNS));
    cairo_t *cr = cairo_create(sheet);
    for (int i = 0; i < CLOCK_STYLE_COUNT; i++) {
        BITMAP *frame = compose_style(dir, i);
        cairo_surface_t *tile = to_surface(frame);
        destroy_bitmap(frame);
        cairo_save(cr);
        cairo_translate(cr, (i % COLUMNS) * tileW, (i / COLUMNS) * tileH);
        cairo_scale(cr, 0.5, 0.5);
        cairo_set_source_surface(cr, tile, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(tile);
    }
    cairo_destroy(cr);
    bool ok = cairo_surface_write_to_png(sheet, argv[2]) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(sheet);
    return ok ? 0 : 1;
}
