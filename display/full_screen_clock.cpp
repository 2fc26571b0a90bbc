#include "display/full_screen_clock.h"

#include <cstdio>

#include "display/clock_logic.h"
#include "display/saver_platform.h"

ClockDisplay clock_display;

namespace {

const int FULL_VOLUME = 255;
const int CENTRE_PAN = 128;
const int OWN_PITCH = 1000;

void play(SAMPLE *sample)
{
    // A sound whose file is missing or unreadable is simply not heard.
    if (sample)
        play_sample(sample, FULL_VOLUME, CENTRE_PAN, OWN_PITCH, 0);
}

InputState read_input()
{
    return {mouse_b, mouse_x, mouse_y,
            key[KEY_ALT] != 0, key[KEY_ALTGR] != 0, key[KEY_LSHIFT] != 0,
            key[KEY_RSHIFT] != 0, key[KEY_TAB] != 0};
}

void free_display(ClockDisplay &d)
{
    for (BITMAP **b : {&d.faceBitmap, &d.background, &d.secondHandBitmap, &d.minuteHandBitmap,
                       &d.hourHandBitmap, &d.brandMarkBitmap}) {
        if (*b)
            destroy_bitmap(*b);
        *b = nullptr;
    }
    for (SAMPLE **s : {&d.tickSample, &d.hourSample, &d.fifteenhourSample, &d.halfhourSample,
                       &d.fortyfivehourSample}) {
        if (*s)
            destroy_sample(*s);
        *s = nullptr;
    }
}

#ifdef VELTRANE_TRACE
// Debug builds only (-DVELTRANE_TRACE=ON): one line per redraw on stderr,
// with the time drawn and the sounds started, for checking long runs.
void trace_redraw(const std::tm &t, const PassSounds &sounds, bool framed)
{
    std::fprintf(stderr, "redraw %04d-%02d-%02d %02d:%02d:%02d frame=%d tick=%d chime=%d%d%d%d\n",
                 t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec,
                 framed ? 1 : 0, sounds.tick ? 1 : 0, sounds.chime[0] ? 1 : 0,
                 sounds.chime[1] ? 1 : 0, sounds.chime[2] ? 1 : 0, sounds.chime[3] ? 1 : 0);
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

    saver_platform_prepare();
    // A display server busy with many clients coming and going can refuse a
    // connection for a moment; a saver that gave up then would not show.
    int started = allegro_init();
    for (int retry = 0; started != 0 && retry < 3; retry++) {
        saver_rest(250);
        started = allegro_init();
    }
    if (started != 0) {
        // Without a display the library cannot start, and nothing after this
        // point may be called.
        std::fprintf(stderr, "veltrane: cannot start the graphics library: %s\n", allegro_error);
        return 1;
    }
    install_keyboard();
    install_mouse();
    if (install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr) != 0) {
        install_sound(DIGI_NONE, MIDI_NONE, nullptr);
        d.soundAvailable = 0;
    }

    load_settings(1);
    if (set_saver_gfx_mode() != 0)
        return 1;
    saver_make_window_topmost();

    d.secondHandBitmap = load_bitmap(asset_paths.secondHandPath, nullptr);
    d.minuteHandBitmap = load_bitmap(asset_paths.minuteHandPath, nullptr);
    d.hourHandBitmap = load_bitmap(asset_paths.hourHandPath, nullptr);
    d.tickSample = load_sample(asset_paths.tickPath);
    d.hourSample = load_sample(asset_paths.hourChimePath);
    d.fifteenhourSample = load_sample(asset_paths.fifteenhourChimePath);
    d.halfhourSample = load_sample(asset_paths.halfhourChimePath);
    d.fortyfivehourSample = load_sample(asset_paths.fortyfivehourChimePath);
    d.brandMarkBitmap = saver_load_brand_mark();
    set_window_title("Veltrane Screen Saver");

    d.background = create_bitmap(SCREEN_W, SCREEN_H);
    if (!d.background) {
        std::fprintf(stderr, "veltrane: out of memory for a %dx%d screen\n", SCREEN_W, SCREEN_H);
        free_display(d);
        remove_sound();
        return 1;
    }
    textprintf_centre_ex(screen, font, d.background->w / 2, d.background->h / 2,
                         makecol(255, 255, 255), -1, "Loading...");

    d.startMouseX = mouse_x;
    d.startMouseY = mouse_y;
    std::time_t now = std::time(nullptr);
    if (const std::tm *t = std::localtime(&now))
        d.lastDrawnTime = *t;

    const Rgb colour = activeStyle->backgroundColour;
    clear_to_color(d.background, makecol(colour.r, colour.g, colour.b));
    d.faceBitmap = load_bitmap(asset_paths.facePath, nullptr);
    if (d.faceBitmap) {
        Point face = face_position(d.background->w, d.background->h, d.faceBitmap->w,
                                   d.faceBitmap->h);
        d.faceX = face.x;
        d.faceY = face.y;
        draw_sprite(d.background, d.faceBitmap, d.faceX, d.faceY);
    } else {
        d.faceX = d.background->w / 2;
        d.faceY = d.background->h / 2;
    }
    blit(d.background, screen, 0, 0, 0, 0, d.background->w, d.background->h);

    while (!keypressed()) {
        if (input_ends_saver(read_input(), {d.startMouseX, d.startMouseY}))
            break;
        update_clock();
    }

    free_display(d);
    remove_sound();
    return 0;
}

void update_clock()
{
    ClockDisplay &d = clock_display;
    // Most passes fall within the second already drawn: the same time_t gives
    // the same local time, so the conversion (which looks at the time zone
    // file each call) is left out for them.
    static std::time_t lastRead = -1;
    const std::time_t now = std::time(nullptr);
    const std::tm *fresh = now == lastRead ? nullptr : std::localtime(&now);
    lastRead = now;
    if (fresh && time_changed(*fresh, d.lastDrawnTime)) {
        d.lastDrawnTime = *fresh;
        BITMAP *frame = create_bitmap(SCREEN_W, SCREEN_H);
        if (frame)
            compose_frame(frame, d, *activeStyle, saver_settings, d.lastDrawnTime);

        const PassSounds sounds = sounds_for_pass(d.lastDrawnTime, saver_settings, d.soundAvailable == 1);
        if (sounds.tick) {
            // Two voices from the same instant make the tick fuller.
            play(d.tickSample);
            play(d.tickSample);
        }
        SAMPLE *chimes[CHIME_COUNT] = {d.hourSample, d.fifteenhourSample, d.halfhourSample,
                                       d.fortyfivehourSample};
        for (int i = 0; i < CHIME_COUNT; i++)
            if (sounds.chime[i])
                play(chimes[i]);

#ifdef VELTRANE_TRACE
        trace_redraw(d.lastDrawnTime, sounds, frame != nullptr);
#endif
        if (frame) {
            blit(frame, screen, 0, 0, 0, 0, SCREEN_W, SCREEN_H);
            destroy_bitmap(frame);
        }
    }
    saver_rest(16);
}
