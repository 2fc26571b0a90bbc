// Windows side of the full-screen clock.
#include "display/saver_platform.h"

#include <winalleg.h>

#include "resources/resource_ids.h"
#include "shell/shell_win32.h"

// The library's own background work runs on its window thread and needs
// nothing from us.
void saver_platform_prepare()
{
}

// rest() busy-waits unless the library's timer module runs, which nothing
// here installs; the system's sleep gives the processor back.
void saver_rest(unsigned ms)
{
    Sleep(ms);
}

void saver_make_window_topmost()
{
    SetWindowPos(win_get_window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// The handle lives only for the conversion.
BITMAP *saver_load_brand_mark()
{
    HBITMAP handle = LoadBitmapA(app_instance, MAKEINTRESOURCEA(IDB_BRAND_MARK));
    if (!handle)
        return nullptr;
    BITMAP *mark = convert_hbitmap_to_bitmap(handle);
    DeleteObject(handle);
    return mark;
}
