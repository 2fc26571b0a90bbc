// Windows: the full-screen clock in a graphics mode of the library's, with
// its keyboard, mouse and mixer.
#include <allegro.h>
#include <winalleg.h>

#include <atomic>
#include <cstdio>
#include <cstring>

#include "display/clock_sound.h"
#include "display/clock_stage.h"
#include "display/full_screen_clock.h"
#include "display/saver_platform.h"

namespace {

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

// The graphics mode's screen.
class ScreenView : public ClockView {
public:
    ScreenSize size() const override { return {SCREEN_W, SCREEN_H}; }

protected:
    void send(BITMAP *picture, const Rect *rects, int count) override
    {
        for (int i = 0; i < count; i++)
            blit(picture, screen, rects[i].x, rects[i].y, rects[i].x, rects[i].y, rects[i].w, rects[i].h);
    }
};

// The full screen: one view, the library's input.
class ScreenStage : public ClockStage {
public:
    ScreenSize frame_size(ScreenSize) const override { return {SCREEN_W, SCREEN_H}; }
    std::vector<ClockView *> views() override { return {&view_}; }

    StageEvents read_events() override
    {
        StageEvents events;
        events.end = keypressed() || input_ends_saver(read_input(), {clock_display.startMouseX,
                                                                     clock_display.startMouseY});
        return events;
    }

    WaitFor prepare_wait() override { return {}; }

private:
    ScreenView view_;
};

}  // namespace

// The library, retried a few times: a display busy with many programs
// coming and going can refuse it for a moment.
bool start_clock_library()
{
    int started = allegro_init();
    for (int retry = 0; started != 0 && retry < 3; retry++) {
        saver_rest(250);
        started = allegro_init();
    }
    if (started != 0)
        std::fprintf(stderr, "veltrane: cannot start the graphics library: %s\n", allegro_error);
    return started == 0;
}

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
    saver_watch_signals();
    install_keyboard();
    install_mouse();
    if (install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr) != 0) {
        install_sound(DIGI_NONE, MIDI_NONE, nullptr);
        d.soundAvailable = 0;
    }
    load_settings(1);
    if (set_saver_gfx_mode() != 0)
        return 1;
    SetWindowPos(win_get_window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    set_window_title("Veltrane Screen Saver");

    // Presses from here on are kept until the loop sees them.
    LOCK_FUNCTION(on_key);
    LOCK_FUNCTION(on_mouse);
    keyboard_lowlevel_callback = on_key;
    mouse_callback = on_mouse;
    d.startMouseX = mouse_x;
    d.startMouseY = mouse_y;

    ScreenStage stage;
    const int code = run_clock_on(stage, StartScreen::Loading);
    keyboard_lowlevel_callback = nullptr;
    mouse_callback = nullptr;
    return code;
}
