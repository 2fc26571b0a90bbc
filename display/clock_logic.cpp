#include "display/clock_logic.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <cstdlib>

#include "settings/settings_table.h"

ScreenSize saver_screen_size(int resolution, int desktopResult, int desktopWidth, int desktopHeight)
{
    // The last choice is the smallest: the floor for the desktop's size and
    // the answer for a resolution outside the list.
    const ScreenResolution &smallest = SCREEN_RESOLUTIONS[SCREEN_RESOLUTION_COUNT - 1];
    if (resolution == 0 && desktopResult == 0 && desktopWidth >= smallest.width &&
        desktopHeight >= smallest.height)
        return {desktopWidth, desktopHeight};
    if (resolution > 0 && resolution < SCREEN_RESOLUTION_COUNT)
        return {SCREEN_RESOLUTIONS[resolution].width, SCREEN_RESOLUTIONS[resolution].height};
    return {smallest.width, smallest.height};
}

int choose_gfx_mode(ScreenSize size, const std::function<int(const GfxModeRequest &)> &try_mode)
{
    const GfxModeRequest attempts[] = {
        {32, size.width, size.height},
        {16, size.width, size.height},
        {16, 1024, 768},
    };
    for (const GfxModeRequest &attempt : attempts)
        if (try_mode(attempt) == 0)
            return 0;
    return 1;
}

Point face_position(int screenWidth, int screenHeight, int faceWidth, int faceHeight)
{
    return {screenWidth / 2 - faceWidth / 2, screenHeight / 2 - faceHeight / 2};
}

Point dial_centre(const ClockStyle &style, Point face, int faceWidth, int faceHeight)
{
    if (style.dialCentre == DialCentreRule::FixedOffset)
        return {face.x + style.dialOffset.x, face.y + style.dialOffset.y};
    return {face.x + faceWidth / 2, face.y + faceHeight / 2};
}

int hand_angle(int value, int units, int subValue, int subUnits)
{
    const int fullTurn = 1 << 24;
    return (value * fullTurn) / units + (subValue * fullTurn) / (units * subUnits) - (1 << 22);
}

bool time_changed(const std::tm &fresh, const std::tm &lastDrawn)
{
    return fresh.tm_sec != lastDrawn.tm_sec || fresh.tm_min != lastDrawn.tm_min ||
           fresh.tm_hour != lastDrawn.tm_hour;
}

PassSounds sounds_for_pass(const std::tm &fresh, const SaverSettings &settings, bool soundAvailable)
{
    PassSounds sounds{};
    if (!soundAvailable)
        return sounds;
    sounds.tick = is_on(settings.secondSound);
    const struct {
        int minute;
        int32_t setting;
    } chimes[CHIME_COUNT] = {
        {0, settings.hourSound},
        {15, settings.fifteenhourSound},
        {30, settings.halfhourSound},
        {45, settings.fortyfivehourSound},
    };
    for (int i = 0; i < CHIME_COUNT; i++)
        sounds.chime[i] = fresh.tm_sec == 0 && fresh.tm_min == chimes[i].minute && is_on(chimes[i].setting);
    return sounds;
}

bool input_ends_saver(const InputState &input, Point startMouse)
{
    return input.mouseButtons != 0 || std::abs(input.mouseX - startMouse.x) > 10 ||
           std::abs(input.mouseY - startMouse.y) > 10 || input.alt || input.altGr ||
           input.leftShift || input.rightShift || input.tab;
}

bool rect_is_empty(const Rect &r)
{
    return r.w <= 0 || r.h <= 0;
}

Rect rect_union(const Rect &a, const Rect &b)
{
    if (rect_is_empty(a))
        return b;
    if (rect_is_empty(b))
        return a;
    const int x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
    const int x1 = std::max(a.x + a.w, b.x + b.w), y1 = std::max(a.y + a.h, b.y + b.h);
    return {x0, y0, x1 - x0, y1 - y0};
}

Rect rect_intersection(const Rect &a, const Rect &b)
{
    const int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
    const int x1 = std::min(a.x + a.w, b.x + b.w), y1 = std::min(a.y + a.h, b.y + b.h);
    if (x1 <= x0 || y1 <= y0)
        return {0, 0, 0, 0};
    return {x0, y0, x1 - x0, y1 - y0};
}

Rect turned_picture_bounds(int w, int h, Point pivot, Point centre, int angle)
{
    if (w <= 0 || h <= 0)
        return {0, 0, 0, 0};
    const double turn = angle * (2 * std::numbers::pi / (1 << 24));
    const double c = std::cos(turn), s = std::sin(turn);
    // Corners of the picture's pixel area, relative to the pivot pixel's centre.
    const double xs[2] = {-pivot.x - 0.5, w - pivot.x - 0.5};
    const double ys[2] = {-pivot.y - 0.5, h - pivot.y - 0.5};
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (double x : xs)
        for (double y : ys) {
            const double tx = x * c - y * s, ty = x * s + y * c;
            minX = std::min(minX, tx);
            maxX = std::max(maxX, tx);
            minY = std::min(minY, ty);
            maxY = std::max(maxY, ty);
        }
    // One pixel more on each side for the blended edge.
    const int x0 = centre.x + static_cast<int>(std::floor(minX + 0.5)) - 1;
    const int y0 = centre.y + static_cast<int>(std::floor(minY + 0.5)) - 1;
    const int x1 = centre.x + static_cast<int>(std::ceil(maxX + 0.5)) + 1;
    const int y1 = centre.y + static_cast<int>(std::ceil(maxY + 0.5)) + 1;
    return {x0, y0, x1 - x0, y1 - y0};
}

int ms_until_next_second(int msIntoSecond)
{
    // A millisecond past the turn, so the clock read afterwards shows the
    // new second even with a timer that wakes a little early.
    return 1000 - std::clamp(msIntoSecond, 0, 999) + 1;
}

ScreenSize fitted_frame_size(int windowW, int windowH, int faceW, int faceH)
{
    windowW = std::max(windowW, 1);
    windowH = std::max(windowH, 1);
    if (faceW <= windowW && faceH <= windowH)
        return {windowW, windowH};
    // The smallest enlargement of the window that holds the face.
    const double grow = std::max(static_cast<double>(faceW) / windowW, static_cast<double>(faceH) / windowH);
    return {std::max(faceW, static_cast<int>(std::ceil(windowW * grow))),
            std::max(faceH, static_cast<int>(std::ceil(windowH * grow)))};
}

int desktop_scale(const char *gdkScale, const char *xftDpi)
{
    // Beyond this a setting is a mistake, not a screen.
    const int largest = 16;
    char *end = nullptr;
    if (gdkScale && *gdkScale) {
        const long scale = std::strtol(gdkScale, &end, 10);
        if (*end == '\0' && scale >= 1 && scale <= largest)
            return static_cast<int>(scale);
    }
    if (xftDpi && *xftDpi) {
        const double dpi = std::strtod(xftDpi, &end);
        if (end != xftDpi && (*end == '\0' || *end == ' ' || *end == '\n') && dpi > 0 && dpi < 96.0 * largest)
            return std::max(1, static_cast<int>(std::lround(dpi / 96)));
    }
    return 1;
}

ScreenSize composition_size(int resolution, ScreenSize area, int scale, ScreenSize face)
{
    if (resolution > 0 && resolution < SCREEN_RESOLUTION_COUNT)
        return {SCREEN_RESOLUTIONS[resolution].width, SCREEN_RESOLUTIONS[resolution].height};
    scale = std::max(scale, 1);
    return fitted_frame_size(std::max(area.width / scale, 1), std::max(area.height / scale, 1), face.width,
                             face.height);
}

Rect fitted_placement(ScreenSize frame, ScreenSize area)
{
    if (frame.width <= 0 || frame.height <= 0 || area.width <= 0 || area.height <= 0)
        return {0, 0, 0, 0};
    const long long fw = frame.width, fh = frame.height, aw = area.width, ah = area.height;
    int w = area.width, h = area.height;
    // Whichever side fills the area first sets the scale; the other is
    // rounded to the nearest pixel.
    if (aw * fh <= ah * fw)
        h = static_cast<int>(std::min(ah, std::max(1LL, (fh * aw * 2 + fw) / (fw * 2))));
    else
        w = static_cast<int>(std::min(aw, std::max(1LL, (fw * ah * 2 + fh) / (fh * 2))));
    return {(area.width - w) / 2, (area.height - h) / 2, w, h};
}

Rect scaled_rect(const Rect &r, ScreenSize from, const Rect &placed, int grow)
{
    if (rect_is_empty(r) || from.width <= 0 || from.height <= 0)
        return {0, 0, 0, 0};
    const Rect source =
        rect_intersection({r.x - grow, r.y - grow, r.w + 2 * grow, r.h + 2 * grow}, {0, 0, from.width, from.height});
    if (rect_is_empty(source))
        return {0, 0, 0, 0};
    const auto lo = [](int v, int a, int b) { return static_cast<int>(static_cast<long long>(v) * b / a); };
    const auto hi = [](int v, int a, int b) {
        return static_cast<int>((static_cast<long long>(v) * b + a - 1) / a);
    };
    const int x0 = lo(source.x, from.width, placed.w), y0 = lo(source.y, from.height, placed.h);
    const int x1 = hi(source.x + source.w, from.width, placed.w);
    const int y1 = hi(source.y + source.h, from.height, placed.h);
    return rect_intersection({placed.x + x0, placed.y + y0, x1 - x0, y1 - y0}, placed);
}

std::vector<Rect> monitors_to_cover(const std::vector<Monitor> &reported, ScreenSize screen)
{
    const Rect whole = {0, 0, screen.width, screen.height};
    std::vector<Monitor> seen;
    for (const Monitor &m : reported) {
        const Rect area = rect_intersection(m.area, whole);
        if (!rect_is_empty(area))
            seen.push_back({area, m.primary});
    }
    // The primary first, the rest from left to right, then top to bottom.
    std::stable_sort(seen.begin(), seen.end(), [](const Monitor &a, const Monitor &b) {
        if (a.primary != b.primary)
            return a.primary;
        return a.area.x != b.area.x ? a.area.x < b.area.x : a.area.y < b.area.y;
    });
    const auto inside = [](const Rect &a, const Rect &b) {
        return a.x >= b.x && a.y >= b.y && a.x + a.w <= b.x + b.w && a.y + a.h <= b.y + b.h;
    };
    const auto same = [](const Rect &a, const Rect &b) { return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h; };
    // A monitor split into smaller ones that tile it exactly (a wide screen
    // shared out as several) is covered through those.
    std::vector<bool> split(seen.size(), false);
    for (size_t i = 0; i < seen.size(); i++) {
        long long tiled = 0;
        bool overlapping = false;
        std::vector<Rect> parts;
        for (size_t k = 0; k < seen.size(); k++)
            if (k != i && inside(seen[k].area, seen[i].area) && !same(seen[k].area, seen[i].area)) {
                for (const Rect &p : parts)
                    overlapping = overlapping || !rect_is_empty(rect_intersection(p, seen[k].area));
                parts.push_back(seen[k].area);
                tiled += static_cast<long long>(seen[k].area.w) * seen[k].area.h;
            }
        split[i] = !parts.empty() && !overlapping && tiled == static_cast<long long>(seen[i].area.w) * seen[i].area.h;
    }
    std::vector<Rect> cover;
    for (size_t i = 0; i < seen.size(); i++) {
        // A monitor that shows part of another's picture (a mirror, a clone
        // at a lower resolution) gets no clock of its own.
        bool shown = split[i];
        for (size_t k = 0; k < seen.size() && !shown; k++)
            shown = k != i && !split[k] && inside(seen[i].area, seen[k].area) &&
                    (!same(seen[i].area, seen[k].area) || k < i);
        if (!shown)
            cover.push_back(seen[i].area);
    }
    if (cover.empty())
        cover.push_back(whole);
    return cover;
}

KeyRole key_role(unsigned keysym)
{
    switch (keysym) {
    case 0xffe9: case 0xffea:  // Alt_L, Alt_R
    case 0xffe7: case 0xffe8:  // Meta_L, Meta_R: Alt on many keyboards
    case 0xfe03: case 0xff7e:  // ISO_Level3_Shift, Mode_switch: AltGr
    case 0xffe1: case 0xffe2:  // Shift_L, Shift_R
    case 0xff09: case 0xfe20:  // Tab, ISO_Left_Tab (Tab with Shift)
        return KeyRole::Watched;
    case 0xffe3: case 0xffe4:  // Control_L, Control_R
    case 0xffe5: case 0xffe6:  // Caps_Lock, Shift_Lock
    case 0xffeb: case 0xffec:  // Super_L, Super_R: the logo keys
    case 0xffed: case 0xffee:  // Hyper_L, Hyper_R
    case 0xff7f: case 0xff14:  // Num_Lock, Scroll_Lock
        return KeyRole::Silent;
    default:
        // The other ISO modifiers, latches and locks type nothing either.
        return keysym >= 0xfe01 && keysym <= 0xfe13 ? KeyRole::Silent : KeyRole::Types;
    }
}
