// Windows side of the full-screen clock.
#include "display/saver_platform.h"

#include <winalleg.h>

#include "resources/resource_ids.h"

namespace {

// Set by the library's input callbacks; the frame loop waits on it.
HANDLE wake_event = nullptr;

}  // namespace

// The library's own background work runs on its window thread and needs
// nothing from us beyond the event the frame loop waits on.
void saver_platform_prepare()
{
    wake_event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
}

// Windows asks a saver to end through its window; a console's Ctrl+C is
// the only signal, and the library's window thread handles input already.
void saver_watch_signals()
{
}

bool saver_stop_requested()
{
    return false;
}

// rest() busy-waits unless the library's timer module runs, which nothing
// here installs; the system's sleep gives the processor back.
void saver_rest(unsigned ms)
{
    Sleep(ms);
}

void saver_wait(int ms)
{
    if (wake_event)
        WaitForSingleObject(wake_event, ms > 0 ? static_cast<DWORD>(ms) : 0);
    else
        Sleep(ms > 0 ? ms : 0);
}

void saver_wake()
{
    if (wake_event)
        SetEvent(wake_event);
}

// The library's mixer runs on its own thread on Windows.
void saver_sound_playing(int)
{
}

void saver_present(BITMAP *picture, const Rect *rects, int count, int offsetX, int offsetY)
{
    for (int i = 0; i < count; i++)
        blit(picture, screen, rects[i].x, rects[i].y, rects[i].x + offsetX, rects[i].y + offsetY, rects[i].w,
             rects[i].h);
}

// A full-screen mode on Windows is the mode asked for, or none.
Rect saver_visible_area()
{
    return {0, 0, SCREEN_W, SCREEN_H};
}

void saver_make_window_topmost()
{
    SetWindowPos(win_get_window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// The handle lives only for the conversion.
BITMAP *saver_load_brand_mark()
{
    // The program's own module: the instance handle the entry keeps, asked
    // of the system here so that the display needs nothing of the shell.
    HBITMAP handle = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_BRAND_MARK));
    if (!handle)
        return nullptr;
    BITMAP *mark = convert_hbitmap_to_bitmap(handle);
    DeleteObject(handle);
    return mark;
}
