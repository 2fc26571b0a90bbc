// The preview: a child window filling the host's preview area, showing one
// fixed picture until the host destroys the area.
#include <windows.h>

#include "resources/resource_ids.h"
#include "shell/preview_logic.h"
#include "shell/shell_win32.h"

namespace {

const char PREVIEW_CLASS[] = "sspreview";
constexpr int PICTURE_WIDTH = 151;
constexpr int PICTURE_HEIGHT = 119;

// The picture is loaded for each paint and freed at its end: nothing is held
// between paints.
void paint_picture(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (HBITMAP picture = LoadBitmapA(app_instance, MAKEINTRESOURCEA(IDB_PREVIEW_WINDOW))) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ previous = SelectObject(memory, picture);
        BitBlt(dc, 0, 0, PICTURE_WIDTH, PICTURE_HEIGHT, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
        DeleteDC(memory);
        DeleteObject(picture);
    }
    EndPaint(window, &paint);
}

LRESULT CALLBACK preview_wnd_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        paint_picture(window);
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int run_preview(HINSTANCE instance, HINSTANCE previousInstance, HWND parentWindow)
{
    if (!previousInstance) {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_HREDRAW | CS_VREDRAW;
        windowClass.lpfnWndProc = preview_wnd_proc;
        windowClass.hInstance = instance;
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        windowClass.lpszClassName = PREVIEW_CLASS;
        RegisterClassExA(&windowClass);
    }

    RECT area{};
    GetWindowRect(parentWindow, &area);
    HWND window = CreateWindowExA(0, PREVIEW_CLASS, nullptr, WS_CHILD | WS_VISIBLE, 0, 0,
                                  area.right - area.left, area.bottom - area.top, parentWindow,
                                  nullptr, instance, nullptr);
    // Without a parent there is no child window, and nothing would ever end
    // the message loop below.
    if (!window)
        return PREVIEW_NO_PARENT;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
