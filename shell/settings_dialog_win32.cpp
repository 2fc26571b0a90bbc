// The settings dialog on Windows: template 105 from the program's resources,
// shown modally; the messages the dialog acts on go on to its logic in
// settings_dialog_logic as DialogEvents, through the controls below.
#include <allegro.h>
#include <winalleg.h>
#include <shellapi.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "resources/dialog_template.h"
#include "settings/settings.h"
#include "settings/wide_text_win32.h"
#include "shell/settings_dialog.h"
#include "shell/settings_dialog_logic.h"
#include "shell/shell_win32.h"

namespace {

const char DIALOG_CAPTION[] = "Veltrane Screen Saver";

struct Win32SettingsDialog final : DialogControls {
    HWND dialog;
    HDC paintDc = nullptr;  // set while the client area is painted

    explicit Win32SettingsDialog(HWND d) : dialog(d) {}

    void add_list_text(int listId, const char *text) override
    {
        SendDlgItemMessageA(dialog, listId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }

    void select_list_position(int listId, int position) override
    {
        SendDlgItemMessageA(dialog, listId, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    }

    int selected_list_position(int listId) override
    {
        return static_cast<int>(SendDlgItemMessageA(dialog, listId, CB_GETCURSEL, 0, 0));
    }

    void show_picture(int controlId, PictureHandle picture) override
    {
        HBITMAP bitmap = static_cast<HBITMAP>(const_cast<void *>(picture));
        SendDlgItemMessageA(dialog, controlId, STM_SETIMAGE, IMAGE_BITMAP,
                            reinterpret_cast<LPARAM>(bitmap));
    }

    // A box shows ticked exactly what the saver counts as on. Left to
    // itself the button would tick for any value above 1 (and keep it on
    // the next OK) while the saver takes such a value as off.
    void set_check(int boxId, int32_t value) override
    {
        SendDlgItemMessageA(dialog, boxId, BM_SETCHECK, is_on(value) ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    int get_check(int boxId) override
    {
        return static_cast<int>(SendMessageA(GetDlgItem(dialog, boxId), BM_GETCHECK, 0, 0));
    }

    // The picture is drawn at its own size; below a picture shorter than the
    // space kept for it the dialog's own background stays.
    void draw_picture(int resourceId, int x, int y) override
    {
        if (!paintDc)
            return;
        HBITMAP picture = LoadBitmapA(app_instance, MAKEINTRESOURCEA(resourceId));
        if (!picture)
            return;
        WINDOWS_BITMAP size{};
        GetObjectA(picture, sizeof size, &size);
        HDC memory = CreateCompatibleDC(paintDc);
        HGDIOBJ previous = SelectObject(memory, picture);
        BitBlt(paintDc, x, y, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
        DeleteDC(memory);
        DeleteObject(picture);
    }

    // rundll32 itself is always there: the browser's own failures are
    // told by the system, not here.
    bool open_web_page(int, const char *address) override
    {
        std::string parameters = "url.dll, FileProtocolHandler ";
        parameters.append(address);
        const HINSTANCE started = ShellExecuteA(nullptr, "open", "rundll32", parameters.c_str(), "", SW_SHOWNOACTIVATE);
        return reinterpret_cast<INT_PTR>(started) > 32;
    }

    // The message names the settings file, whose path is UTF-8.
    void show_error(const char *message) override
    {
        MessageBoxW(dialog, wide_of(message).c_str(), wide_of(DIALOG_CAPTION).c_str(), MB_OK | MB_ICONWARNING);
    }

    void show_message_box(const char *message) override
    {
        show_error(message);
    }

    void end_dialog(int code) override
    {
        EndDialog(dialog, code);
    }
};

// OK hands the settings over to the settings store, which writes the file.

DialogNotification notification_of(WPARAM wParam)
{
    switch (HIWORD(wParam)) {
    case BN_CLICKED:
        return DialogNotification::clicked;
    case CBN_SELCHANGE:
        return DialogNotification::selection_changed;
    default:
        return DialogNotification::other;
    }
}

bool send_event(Win32SettingsDialog &controls, const DialogEvent &event)
{
    static const SaveSettingsFunction save = save_these_settings;
    return handle_dialog_event(controls, saver_settings, save, event);
}

// Handled messages answer -1 (nonzero); 0 leaves a message to the dialog
// manager.
INT_PTR CALLBACK settings_dlg_proc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    Win32SettingsDialog controls(dialog);
    switch (message) {
    case WM_INITDIALOG:
        return send_event(controls, {DialogEventType::init}) ? -1 : 0;
    case WM_COMMAND:
        return send_event(controls, dialog_command(LOWORD(wParam), notification_of(wParam))) ? -1 : 0;
    case WM_CLOSE:
        return send_event(controls, {DialogEventType::close}) ? -1 : 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        controls.paintDc = BeginPaint(dialog, &paint);
        const bool handled = send_event(controls, {DialogEventType::paint});
        EndPaint(dialog, &paint);
        return handled ? -1 : 0;
    }
    default:
        return 0;
    }
}

}  // namespace

int run_settings_dialog(HINSTANCE instance, HWND parentWindow)
{
    // Only the library's configuration routines serve the dialog. Its full
    // start would open a window of its own, with a thread to serve it, beside
    // the dialog; the start without a system gives the routines alone.
    install_allegro(SYSTEM_NONE, &errno, atexit);
    load_settings(0);

    // Held until the process ends.
    for (int i = 0; i < CLOCK_STYLE_COUNT; i++)
        style_previews[i] = LoadBitmapA(instance, MAKEINTRESOURCEA(ClockStyleTable[i].previewBitmap));

    const INT_PTR code = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SETTINGS), parentWindow,
                                         settings_dlg_proc, 0);
    allegro_exit();
    return static_cast<int>(code);
}
