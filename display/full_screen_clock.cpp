#include "display/full_screen_clock.h"

#include <atomic>
#include <chrono>
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "display/clock_logic.h"
#include "display/saver_platform.h"

ClockDisplay clock_display;

namespace {

const int FULL_VOLUME = 255;
const int CENTRE_PAN = 128;
const int OWN_PITCH = 1000;
// How long the mixer is kept fed after a sound's last sample. A little over
// a second: with the tick on, the mixer then runs without a break, as a sound
// device left to run dry may take a while to start again.
const int MIXER_DRAIN_MS = 1100;

// Presses as the library reports them, kept until the loop looks: a press
// and its release may both fall between two looks.
std::atomic<bool> pressed_button{false};
std::atomic<bool> pressed_key[5];
const int WATCHED_KEYS[5] = {KEY_ALT, KEY_ALTGR, KEY_LSHIFT, KEY_RSHIFT, KEY_TAB};

void on_key(int scancode)
{
    if (!(scancode & 0x80))
        for (int i = 0; i < 5; i++)
            if (scancode == WATCHED_KEYS[i])
                pressed_key[i] = true;
    saver_wake();
}
END_OF_FUNCTION(on_key)

void on_mouse(int flags)
{
    if (flags & (MOUSE_FLAG_LEFT_DOWN | MOUSE_FLAG_RIGHT_DOWN | MOUSE_FLAG_MIDDLE_DOWN))
        pressed_button = true;
    saver_wake();
}
END_OF_FUNCTION(on_mouse)

InputState read_input()
{
    return {mouse_b | (pressed_button ? 1 : 0), mouse_x, mouse_y,
            key[KEY_ALT] != 0 || pressed_key[0], key[KEY_ALTGR] != 0 || pressed_key[1],
            key[KEY_LSHIFT] != 0 || pressed_key[2], key[KEY_RSHIFT] != 0 || pressed_key[3],
            key[KEY_TAB] != 0 || pressed_key[4]};
}

// Starts `sample` and returns how long it plays, in ms.
int play(SAMPLE *sample)
{
    // A sound whose file is missing or unreadable is simply not heard.
    if (!sample)
        return 0;
    play_sample(sample, FULL_VOLUME, CENTRE_PAN, OWN_PITCH, 0);
    return sample->freq > 0 ? static_cast<int>(static_cast<long long>(sample->len) * 1000 / sample->freq) : 0;
}

}  // namespace

static bool any_sound_on(const SaverSettings &s)
{
    return is_on(s.secondSound) || is_on(s.hourSound) || is_on(s.fifteenhourSound) ||
           is_on(s.halfhourSound) || is_on(s.fortyfivehourSound);
}

// The library, retried a few times: a display server busy with many clients
// coming and going can refuse a connection for a moment.
bool start_clock_library()
{
    saver_platform_prepare();
    int started = allegro_init();
    for (int retry = 0; started != 0 && retry < 3; retry++) {
        saver_rest(250);
        started = allegro_init();
    }
    if (started != 0)
        std::fprintf(stderr, "veltrane: cannot start the graphics library: %s\n", allegro_error);
    return started == 0;
}

// Sound is started only when a setting asks for one: an idle sound device
// costs wake-ups for nothing.
void start_clock_sound(ClockDisplay &d)
{
    if (!any_sound_on(saver_settings) || install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr) != 0) {
        install_sound(DIGI_NONE, MIDI_NONE, nullptr);
        d.soundAvailable = 0;
    } else if (is_on(saver_settings.secondSound)) {
        // With the tick on the mixer runs from the start, so that the first
        // tick comes with the same delay through the device as the others;
        // each tick then keeps it running. The start-up until the first tick
        // takes well under this.
        saver_sound_playing(5000);
    }
}

void load_clock_sounds(ClockDisplay &d)
{
    d.tickSample = load_sample(asset_paths.tickPath);
    d.hourSample = load_sample(asset_paths.hourChimePath);
    d.fifteenhourSample = load_sample(asset_paths.fifteenhourChimePath);
    d.halfhourSample = load_sample(asset_paths.halfhourChimePath);
    d.fortyfivehourSample = load_sample(asset_paths.fortyfivehourChimePath);
}

namespace {

int ms_into_second(std::chrono::system_clock::time_point now)
{
    using namespace std::chrono;
    return static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
}

// On a screen smaller than the mode, the clock is fitted to the part seen.
Rect visible_area;
ClockView visible_view;

void present_fitted(BITMAP *, const Rect *rects, int count)
{
    Rect shown[HAND_COUNT + 1];
    for (int i = 0; i < count; i += HAND_COUNT + 1) {
        const int n = std::min(count - i, HAND_COUNT + 1);
        BITMAP *picture = view_rects(clock_display, visible_view, rects + i, n, shown);
        saver_present(picture, shown, n, visible_area.x, visible_area.y);
    }
}

bool is_whole_screen(const Rect &r)
{
    return r.x == 0 && r.y == 0 && r.w == SCREEN_W && r.h == SCREEN_H;
}

#ifdef VELTRANE_TRACE
// Debug builds only (-DVELTRANE_TRACE=ON): one line per redraw on stderr,
// with the time drawn and the sounds started, for checking long runs.
void trace_redraw(const std::tm &t, const PassSounds &sounds)
{
    std::fprintf(stderr, "redraw %04d-%02d-%02d %02d:%02d:%02d frame=1 tick=%d chime=%d%d%d%d\n",
                 t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec,
                 sounds.tick ? 1 : 0, sounds.chime[0] ? 1 : 0, sounds.chime[1] ? 1 : 0,
                 sounds.chime[2] ? 1 : 0, sounds.chime[3] ? 1 : 0);
}
#endif

}  // namespace

int set_saver_gfx_mode()
{
    int desktopWidth = 0, desktopHeight = 0;
    int desktopResult = 0;
    if (saver_settings.resolution == 0)
        desktopResult = get_desktop_resolution(&desktopWidth, &desktopHeight);
    ScreenSize size = saver_screen_size(saver_settings.resolution, desktopResult, desktopWidth,
                                        desktopHeight);
    return choose_gfx_mode(size, [](const GfxModeRequest &mode) {
        set_color_depth(mode.depth);
        return set_gfx_mode(GFX_AUTODETECT_FULLSCREEN, mode.width, mode.height, 0, 0);
    });
}

int run_saver()
{
    ClockDisplay &d = clock_display;

    if (!start_clock_library())
        return 1;
    install_keyboard();
    install_mouse();
    saver_watch_signals();
    load_settings(1);
    start_clock_sound(d);
    if (set_saver_gfx_mode() != 0) {
        // A screen locker or a host that grabbed the keyboard and pointer
        // keeps the clock off the screen: say so rather than fail silently.
        if (std::strstr(allegro_error, "grab"))
            std::fprintf(stderr, "veltrane: another program holds the keyboard or the pointer (%s)\n",
                         allegro_error);
        return 1;
    }
    saver_make_window_topmost();
    load_clock_sounds(d);
    set_window_title("Veltrane Screen Saver");
    textprintf_centre_ex(screen, font, SCREEN_W / 2, SCREEN_H / 2, makecol(255, 255, 255), -1,
                         "Loading...");

    // Presses from here on are kept until the loop sees them.
    LOCK_FUNCTION(on_key);
    LOCK_FUNCTION(on_mouse);
    keyboard_lowlevel_callback = on_key;
    mouse_callback = on_mouse;
    d.startMouseX = mouse_x;
    d.startMouseY = mouse_y;
    std::time_t now = std::time(nullptr);
    if (const std::tm *t = std::localtime(&now))
        d.lastDrawnTime = *t;

    visible_area = saver_visible_area();
    visible_view = {visible_area.w, visible_area.h, nullptr};
    const bool fitted = !is_whole_screen(visible_area);
    if (!(fitted ? fit_clock(d, visible_view) : load_clock(d, *activeStyle, asset_paths, SCREEN_W, SCREEN_H))) {
        std::fprintf(stderr, "veltrane: out of memory for a %dx%d screen\n", SCREEN_W, SCREEN_H);
    } else {
        const Rect whole = {0, 0, d.frame->w, d.frame->h};
        d.present = fitted ? present_fitted : [](BITMAP *frame, const Rect *rects, int count) {
            saver_present(frame, rects, count);
        };
        d.present(d.frame, &whole, 1);
        // The loop sleeps until the next second or until input comes.
        while (!keypressed() && !saver_stop_requested()) {
            if (input_ends_saver(read_input(), {d.startMouseX, d.startMouseY}))
                break;
            saver_wait(update_clock());
        }
    }

    keyboard_lowlevel_callback = nullptr;
    mouse_callback = nullptr;
    const bool ran = d.frame != nullptr;
    free_clock(d);
    free_view(visible_view);
    remove_sound();
    return ran ? 0 : 1;
}

int update_clock()
{
    ClockDisplay &d = clock_display;
    // Most passes fall within the second already drawn: the same time_t gives
    // the same local time, so the conversion (which looks at the time zone
    // file each call) is left out for them.
    static std::time_t lastRead = -1;
    const auto clockNow = std::chrono::system_clock::now();
    const std::time_t now = std::chrono::system_clock::to_time_t(clockNow);
    const std::tm *fresh = now == lastRead ? nullptr : std::localtime(&now);
    lastRead = now;
    if (fresh && time_changed(*fresh, d.lastDrawnTime)) {
        d.lastDrawnTime = *fresh;
        Rect changed[HAND_COUNT + 1];
        const int count = redraw_frame(d, *activeStyle, saver_settings, d.lastDrawnTime, changed);

        const PassSounds sounds = sounds_for_pass(d.lastDrawnTime, saver_settings, d.soundAvailable == 1);
        int longest = 0;
        if (sounds.tick) {
            // Two voices from the same instant make the tick fuller.
            longest = std::max(play(d.tickSample), play(d.tickSample));
        }
        SAMPLE *chimes[CHIME_COUNT] = {d.hourSample, d.fifteenhourSample, d.halfhourSample,
                                       d.fortyfivehourSample};
        for (int i = 0; i < CHIME_COUNT; i++)
            if (sounds.chime[i])
                longest = std::max(longest, play(chimes[i]));
        // The mixer is woken once all of them have started, so that they
        // start in the same period.
        if (longest > 0)
            saver_sound_playing(longest + MIXER_DRAIN_MS);
#ifdef VELTRANE_TRACE
        trace_redraw(d.lastDrawnTime, sounds);
#endif
        if (d.present)
            d.present(d.frame, changed, count);
    }
    return ms_until_next_second(ms_into_second(std::chrono::system_clock::now()));
}
