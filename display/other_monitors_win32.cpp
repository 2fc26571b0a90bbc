#include "display/other_monitors_win32.h"

#include <allegro.h>
#include <winalleg.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "display/pixel_format.h"

namespace {

const wchar_t WINDOW_CLASS[] = L"VeltraneMonitor";

// A top-down 32-bit DIB: blue in the lowest byte, the highest unused.
const PixelFormat DIB_FORMAT = pixel_format(24, 0xFF0000, 0x00FF00, 0x0000FF);

std::vector<Monitor> reported_monitors()
{
    std::vector<Monitor> monitors;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR handle, HDC, LPRECT, LPARAM list) -> BOOL {
            MONITORINFO info{};
            info.cbSize = sizeof info;
            if (GetMonitorInfoW(handle, &info)) {
                const RECT &r = info.rcMonitor;
                reinterpret_cast<std::vector<Monitor> *>(list)->push_back(
                    {{r.left, r.top, r.right - r.left, r.bottom - r.top}, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

// Keys that neither type nor are watched end nothing, as on the full
// screen: Ctrl, the logo keys and the locks.
bool key_ends(WPARAM key)
{
    switch (key) {
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL:
    case VK_LWIN: case VK_RWIN: case VK_CAPITAL: case VK_NUMLOCK: case VK_SCROLL:
        return false;
    default:
        return true;
    }
}

LRESULT CALLBACK monitor_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

bool register_class()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = monitor_proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = WINDOW_CLASS;
        registered = RegisterClassW(&wc) != 0;
    }
    return registered;
}

}  // namespace

// One monitor's window: its pixels as last sent kept in a DIB section, from
// which the window is painted, whatever uncovered it.
class MonitorView : public ClockView {
public:
    MonitorView(const Rect &area, OtherMonitors::Pointer &pointer) : area_(area), pointer_(pointer) {}

    ~MonitorView() override
    {
        if (window_)
            DestroyWindow(window_);
        if (memory_) {
            SelectObject(memory_, old_);
            DeleteDC(memory_);
        }
        if (dib_)
            DeleteObject(dib_);
    }

    // The window, shown without taking the focus from the full screen (whose
    // library stops drawing and reading input once it loses it), in
    // `colour` until the first frame.
    bool open(Rgb colour)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = area_.w;
        info.bmiHeader.biHeight = -area_.h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void *bits = nullptr;
        dib_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        memory_ = dib_ ? CreateCompatibleDC(nullptr) : nullptr;
        if (!memory_ || !register_class())
            return false;
        bits_ = static_cast<uint32_t *>(bits);
        old_ = SelectObject(memory_, dib_);
        const uint32_t fill = pack_rgb(DIB_FORMAT, colour.r, colour.g, colour.b);
        for (size_t i = 0, n = static_cast<size_t>(area_.w) * area_.h; i < n; i++)
            bits_[i] = fill;
        window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, WINDOW_CLASS, L"", WS_POPUP,
                                  area_.x, area_.y, area_.w, area_.h, nullptr, nullptr, GetModuleHandleW(nullptr),
                                  nullptr);
        if (!window_)
            return false;
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        return true;
    }

    ScreenSize size() const override { return {area_.w, area_.h}; }

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window_, &paint);
            const RECT &r = paint.rcPaint;
            BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, memory_, r.left, r.top, SRCCOPY);
            EndPaint(window_, &paint);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_SETCURSOR:
            SetCursor(nullptr);
            return TRUE;
        case WM_MOUSEMOVE:
            moved({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            return 0;
        case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_XBUTTONDOWN:
            pointer_.ended = true;
            return 0;
        case WM_KEYDOWN: case WM_SYSKEYDOWN:
            pointer_.ended = pointer_.ended || key_ends(wParam);
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
        }
    }

protected:
    void send(BITMAP *picture, const Rect *rects, int count) override
    {
        // GDI may still be reading the section.
        GdiFlush();
        const Rect whole = {0, 0, std::min(picture->w, area_.w), std::min(picture->h, area_.h)};
        HDC dc = GetDC(window_);
        for (int i = 0; i < count; i++) {
            const Rect r = rect_intersection(rects[i], whole);
            if (rect_is_empty(r))
                continue;
            convert(picture, r);
            BitBlt(dc, r.x, r.y, r.w, r.h, memory_, r.x, r.y, SRCCOPY);
        }
        ReleaseDC(window_, dc);
    }

private:
    // Rectangle `r` of `picture`, in the screen's 32 or 16 bits, into the
    // section.
    void convert(BITMAP *picture, const Rect &r)
    {
        const int depth = bitmap_color_depth(picture);
        for (int y = 0; y < r.h; y++) {
            uint32_t *to = bits_ + static_cast<size_t>(r.y + y) * area_.w + r.x;
            if (depth == 32) {
                const auto *from = reinterpret_cast<const uint32_t *>(picture->line[r.y + y]) + r.x;
                for (int x = 0; x < r.w; x++)
                    to[x] = pack_rgb(DIB_FORMAT, getr32(from[x]), getg32(from[x]), getb32(from[x]));
                continue;
            }
            for (int x = 0; x < r.w; x++) {
                const int c = getpixel(picture, r.x + x, r.y + y);
                to[x] = pack_rgb(DIB_FORMAT, getr_depth(depth, c), getg_depth(depth, c), getb_depth(depth, c));
            }
        }
    }

    void moved(Point inWindow)
    {
        OtherMonitors::Pointer &p = pointer_;
        if (!p.cursorKnown) {
            // The system could not say where the pointer was: its first
            // position seen here is the start.
            p.cursorStart = {area_.x + inWindow.x, area_.y + inWindow.y};
            p.cursorKnown = true;
        }
        const Point at = pointer_in_start_coordinates(inWindow, area_, p.cursorStart, p.start);
        p.ended = p.ended || input_ends_saver({0, at.x, at.y, false, false, false, false, false}, p.start);
    }

    Rect area_;
    OtherMonitors::Pointer &pointer_;
    HWND window_ = nullptr;
    HBITMAP dib_ = nullptr;
    HDC memory_ = nullptr;
    HGDIOBJ old_ = nullptr;
    uint32_t *bits_ = nullptr;
};

namespace {

LRESULT CALLBACK monitor_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *view = reinterpret_cast<MonitorView *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return view ? view->handle(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

OtherMonitors::OtherMonitors(Rgb colour, Point start)
{
    pointer_.start = start;
    POINT cursor;
    if (GetCursorPos(&cursor)) {
        pointer_.cursorStart = {cursor.x, cursor.y};
        pointer_.cursorKnown = true;
    }
    for (const Rect &area : monitors_beside_primary(reported_monitors())) {
        auto view = std::make_unique<MonitorView>(area, pointer_);
        if (view->open(colour))
            views_.push_back(std::move(view));
        else
            std::fprintf(stderr, "veltrane: cannot cover the %dx%d monitor at %d,%d\n", area.w, area.h, area.x,
                         area.y);
    }
}

OtherMonitors::~OtherMonitors() = default;

std::vector<ClockView *> OtherMonitors::views() const
{
    std::vector<ClockView *> list;
    for (const auto &v : views_)
        list.push_back(v.get());
    return list;
}

bool OtherMonitors::input_ends()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    return pointer_.ended;
}
