// Windows side of a run of the clock.
#include "display/saver_platform.h"

#include <winalleg.h>

#include "resources/resource_ids.h"

namespace {

// Set by the library's input callbacks; the frame loop waits on it.
HANDLE wake_event = nullptr;

}  // namespace

// Windows asks a saver to end through its window, and the library's window
// thread handles input already; the frame loop waits on an event that the
// input callbacks set.
void saver_watch_signals()
{
    wake_event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
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

bool saver_wait_for(int, int ms)
{
    if (wake_event)
        WaitForSingleObject(wake_event, ms > 0 ? static_cast<DWORD>(ms) : 0);
    else
        Sleep(ms > 0 ? ms : 0);
    return false;
}

void saver_wake()
{
    if (wake_event)
        SetEvent(wake_event);
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
