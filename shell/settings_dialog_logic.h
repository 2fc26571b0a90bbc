// What the settings dialog does, apart from any window system: the procedure
// that fills the controls from the settings, follows the lists, saves on OK
// and ends the dialog. A platform layer implements DialogControls and hands
// every event to settings_dlg_proc; the tests hand it a fake.
#pragma once

#include <cstdint>
#include <string>

#include "settings/clock_styles.h"
#include "settings/settings.h"

// Messages of the procedure; the numbers are those of the window messages
// with the same meaning.
constexpr unsigned DIALOG_PAINT = 15;
constexpr unsigned DIALOG_CLOSE = 16;
constexpr unsigned DIALOG_INIT = 272;
constexpr unsigned DIALOG_COMMAND = 273;

// Notification codes carried in a command.
constexpr int BUTTON_CLICKED = 0;
constexpr int LIST_SELECTION_CHANGED = 1;

// The command id that Escape sends; no control bears it.
constexpr int ESCAPE_COMMAND_ID = 2;

// Results of the procedure.
constexpr int DIALOG_HANDLED = -1;
constexpr int DIALOG_NOT_HANDLED = 0;

// The banner's place in the client area, in pixels whatever the font.
constexpr int BANNER_X = 10;
constexpr int BANNER_Y = 10;

constexpr int RESOLUTION_COUNT = 5;
extern const char *const RESOLUTION_TEXTS[RESOLUTION_COUNT];

// The maker's web site, home of both web buttons' pages.
extern const char MAKER_SITE_ADDRESS[];
extern const char RECOMMENDATION_PAGE[];  // appended to the site's address

struct CheckBoxSwitch {
    int controlId;
    int32_t SaverSettings::*field;
};
constexpr int CHECK_BOX_COUNT = 7;
extern const CheckBoxSwitch CHECK_BOX_SWITCHES[CHECK_BOX_COUNT];

// A picture the platform layer loaded; the procedure only passes it on.
using PictureHandle = const void *;

// The ten style previews, indexed by clockType 0..9. The platform layer
// fills them once when settings mode starts; they live until the process
// ends.
extern PictureHandle style_previews[CLOCK_STYLE_COUNT];

// The controls of an open dialog, as the procedure uses them.
class DialogControls {
public:
    virtual void add_list_text(int listId, const char *text) = 0;
    // A position outside the list leaves no selection.
    virtual void select_list_position(int listId, int position) = 0;
    // -1 when nothing is selected.
    virtual int selected_list_position(int listId) = 0;
    // nullptr shows no picture.
    virtual void show_picture(int controlId, PictureHandle picture) = 0;
    // The stored value as it is; how a value other than 0 and 1 shows is the
    // platform's choice.
    virtual void set_check(int boxId, int32_t value) = 0;
    // 1 when the box is ticked.
    virtual int get_check(int boxId) = 0;
    // Draws the embedded picture with this number at x, y of the client
    // area; only called while painting.
    virtual void draw_picture(int resourceId, int x, int y) = 0;
    virtual void open_web_page(const char *address) = 0;
    // Tells the user something went wrong; the dialog stays open.
    virtual void show_error(const char *message) = 0;
    virtual void end_dialog(int code) = 0;

protected:
    ~DialogControls() = default;
};

// Packs a command's control id and notification code as a window message's
// first parameter does.
inline uintptr_t command_parameter(int id, int notification)
{
    return (static_cast<uintptr_t>(notification & 0xffff) << 16) | static_cast<uintptr_t>(id & 0xffff);
}

// The dialog's procedure: DIALOG_HANDLED when it acted on the message,
// DIALOG_NOT_HANDLED when the platform's default handling applies.
int settings_dlg_proc(DialogControls &dialog, unsigned message, uintptr_t wParam, intptr_t lParam);

// The message shown when OK could not save the settings.
std::string save_failure_message(const char *settingsFile);

// Dialog units to pixels, from the dialog font's average character width and
// height in pixels (the base units), as the Windows dialog manager does.
struct DialogBaseUnits {
    int x;
    int y;
};
// `letterWidth` is the width in pixels of "A".."Z" followed by "a".."z".
DialogBaseUnits dialog_base_units(int letterWidth, int fontHeight);
int dialog_x_to_pixels(int x, DialogBaseUnits units);
int dialog_y_to_pixels(int y, DialogBaseUnits units);
