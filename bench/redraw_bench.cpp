// How long one redraw takes (the hands put back and drawn at their new
// places, the changed rectangles sent), in memory as the saver does every
// second, and whether memory grows over many redraws.
//   redraw_bench ASSET_DIR [STYLE]
#include <allegro.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "display/clock_logic.h"
#include "display/clock_frame.h"

namespace {

long rss_kb()
{
    FILE *f = std::fopen("/proc/self/status", "r");
    char line[256];
    long kb = -1;
    while (f && std::fgets(line, sizeof line, f))
        if (std::strncmp(line, "VmRSS:", 6) == 0)
            kb = std::atol(line + 6);
    if (f)
        std::fclose(f);
    return kb;
}

// One second's redraw: the hands put back and drawn smoothly at their new
// places in the frame, and the changed rectangles copied to a stand-in
// screen, as the saver sends them.
double one_redraw_ms(ClockDisplay &d, const ClockStyle &style, const SaverSettings &s, BITMAP *screenCopy, int i)
{
    std::tm t{};
    t.tm_hour = (i / 3600) % 24;
    t.tm_min = (i / 60) % 60;
    t.tm_sec = i % 60;
    auto start = std::chrono::steady_clock::now();
    Rect changed[MAX_CHANGED_RECTS];
    const int count = redraw_frame(d, style, s, t, changed);
    for (int k = 0; k < count; k++)
        blit(d.frame, screenCopy, changed[k].x, changed[k].y, changed[k].x, changed[k].y, changed[k].w,
             changed[k].h);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: redraw_bench ASSET_DIR [STYLE]\n");
        return 2;
    }
    const std::string dir = argv[1];
    const int styleIndex = argc > 2 ? std::atoi(argv[2]) : 0;
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    const ClockStyle &style = clock_style_for(styleIndex);
    SaverSettings settings;
    settings.secondHand = 1;

    for (ScreenSize size : {ScreenSize{1920, 1080}, ScreenSize{3840, 2160}}) {
        ClockDisplay d;
        AssetPaths paths;
        build_asset_paths(paths, dir.c_str(), style);
        BITMAP *screenCopy = create_bitmap(size.width, size.height);
        if (!load_clock(d, style, paths, size.width, size.height) || !screenCopy) {
            std::fprintf(stderr, "cannot load style %d from %s\n", styleIndex, dir.c_str());
            return 1;
        }
        std::vector<double> ms;
        for (int i = 0; i < 20; i++)
            one_redraw_ms(d, style, settings, screenCopy, 36000 + i);
        for (int i = 0; i < 1000; i++)
            ms.push_back(one_redraw_ms(d, style, settings, screenCopy, 36000 + i));
        std::sort(ms.begin(), ms.end());
        std::printf("style %d, %dx%d, 32 bpp: redraw median %.2f ms, p99 %.2f ms, max %.2f ms (%zu redraws)\n",
                    styleIndex, size.width, size.height, ms[ms.size() / 2], ms[ms.size() * 99 / 100],
                    ms.back(), ms.size());

        if (size.width == 1920) {
            long before = rss_kb();
            for (int i = 0; i < 10000; i++)
                one_redraw_ms(d, style, settings, screenCopy, 36000 + i);
            std::printf("RSS before 10000 redraws %ld kB, after %ld kB\n", before, rss_kb());
        }
        free_clock_pictures(d);
        destroy_bitmap(screenCopy);
    }
    return 0;
}
