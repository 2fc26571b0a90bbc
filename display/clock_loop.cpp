// The frame loop every stage runs: the start screen, then a pass once a
// second, sleeping in between until the next second, input or a signal.
#include <cstdio>
#include <ctime>

#include "display/clock_sound.h"
#include "display/clock_stage.h"
#include "display/full_screen_clock.h"
#include "display/saver_platform.h"

namespace {

// The frame the stage asks for as it is now.
ScreenSize wanted_size(ClockStage &stage, const ClockDisplay &d)
{
    return stage.frame_size(face_size(d));
}

bool same_size(const BITMAP *frame, ScreenSize size)
{
    return frame && frame->w == size.width && frame->h == size.height;
}

// Fits the views that are new or changed size to the frame, and shows the
// frame whole where what a view showed was lost.
void show_damaged(ClockStage &stage, const ClockDisplay &d, Rgb colour)
{
    const ScreenSize frame = {d.frame->w, d.frame->h};
    for (ClockView *view : stage.views()) {
        if (!view->fits(frame) && !view->fit(frame, colour)) {
            std::fprintf(stderr, "veltrane: out of memory for a %dx%d view\n", view->size().width,
                         view->size().height);
            continue;
        }
        if (view->damaged)
            view->show_all(d.frame);
    }
}

// Sends what the views were given, without waiting for anything.
void send_now(ClockStage &stage)
{
    stage.prepare_wait();
    stage.finish_wait(false);
}

void wait_on(ClockStage &stage, int ms)
{
    const WaitFor wait = stage.prepare_wait();
    const bool readable = !wait.pending && saver_wait_for(wait.fd, ms);
    stage.finish_wait(readable || wait.pending);
}

void mark_all_damaged(ClockStage &stage)
{
    for (ClockView *view : stage.views())
        view->damaged = true;
}

}  // namespace

int run_clock_on(ClockStage &stage, StartScreen start)
{
    ClockDisplay &d = clock_display;
    const ClockStyle &style = *activeStyle;
    load_clock_pictures(d, asset_paths);
    if (start == StartScreen::Loading && prepare_frame(d, style, wanted_size(stage, d).width,
                                                       wanted_size(stage, d).height)) {
        textprintf_centre_ex(d.frame, font, d.frame->w / 2, d.frame->h / 2, makecol(255, 255, 255), -1,
                             "Loading...");
        show_damaged(stage, d, style.backgroundColour);
        send_now(stage);
    }
    load_face(d, asset_paths);
    const ScreenSize size = wanted_size(stage, d);
    if (!prepare_frame(d, style, size.width, size.height)) {
        std::fprintf(stderr, "veltrane: out of memory for a %dx%d frame\n", size.width, size.height);
        free_clock_pictures(d);
        return 1;
    }
    std::time_t now = std::time(nullptr);
    if (const std::tm *t = std::localtime(&now))
        d.lastDrawnTime = *t;
    Rect changed[MAX_CHANGED_RECTS];
    if (start == StartScreen::WholeClock)
        redraw_frame(d, style, saver_settings, d.lastDrawnTime, changed);
    mark_all_damaged(stage);
    show_damaged(stage, d, style.backgroundColour);
    send_now(stage);
    // The sound server is reached once the clock shows: waiting for it
    // never holds up the first frame.
    open_clock_sound(d);

    while (!saver_stop_requested()) {
        const StageEvents events = stage.read_events();
        if (events.end)
            break;
        const ScreenSize wanted = wanted_size(stage, d);
        if (events.resized && !same_size(d.frame, wanted)) {
            const bool handsShown = d.markDrawn;
            if (!prepare_frame(d, style, wanted.width, wanted.height)) {
                std::fprintf(stderr, "veltrane: out of memory for a %dx%d frame\n", wanted.width,
                             wanted.height);
                break;
            }
            // Each view, no longer fitted to the frame, is fitted again and
            // shown whole.
            if (handsShown)
                redraw_frame(d, style, saver_settings, d.lastDrawnTime, changed);
        }
        show_damaged(stage, d, style.backgroundColour);
        wait_on(stage, update_clock(stage.views()));
    }

    close_clock_sound(d);
    free_clock_pictures(d);
    return 0;
}
