// What the settings dialog does, apart from any window system: filling the
// controls from the settings, following the lists, handing the settings to a
// save function on OK and ending the dialog. A platform layer implements
// DialogControls, turns its own events into DialogEvents and hands each to
// handle_dialog_event; the tests hand it a fake. It touches no file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "settings/clock_styles.h"
#include "settings/settings.h"

// What a control reports in a command. Buttons act on any notification; the
// lists only on a change of selection.
enum class DialogNotification {
    clicked,
    selection_changed,
    other,
};

enum class DialogEventType {
    init,     // the controls exist and are empty
    command,  // a control was used: controlId and notification say which and how
    paint,    // the client area is being drawn
    close,    // the caption's close box or the system menu
    web_page_failed,  // the page of web button controlId was started but could not be opened
};

struct DialogEvent {
    DialogEventType type;
    int controlId = 0;
    DialogNotification notification = DialogNotification::clicked;
};

inline DialogEvent dialog_command(int controlId, DialogNotification notification = DialogNotification::clicked)
{
    return {DialogEventType::command, controlId, notification};
}

// The command id that Escape sends on Windows; no control bears it, so the
// dialog stays open.
constexpr int ESCAPE_COMMAND_ID = 2;

// The banner's place in the client area, in pixels whatever the font.
constexpr int BANNER_X = 10;
constexpr int BANNER_Y = 10;

// The maker's web site, home of both web buttons' pages.
extern const char MAKER_SITE_ADDRESS[];
extern const char RECOMMENDATION_PAGE[];  // appended to the site's address

// Saves the settings that OK hands over. True once they are on disk; on
// false it may put into `reason` why not, shown to the user, or leave it
// empty for the general message.
using SaveSettingsFunction = std::function<bool(const SaverSettings &settings, std::string &reason)>;

// A picture the platform layer loaded; the logic only passes it on.
using PictureHandle = const void *;

// The ten style previews, indexed by clockType 0..9. The platform layer
// fills them once when settings mode starts; they live until the process
// ends.
extern PictureHandle style_previews[CLOCK_STYLE_COUNT];

// The controls of an open dialog, as the logic uses them.
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
    // Starts opening the page in the user's browser; false when that could
    // not even start. A page that fails later comes back as the event
    // web_page_failed of `buttonId`.
    virtual bool open_web_page(int buttonId, const char *address) = 0;
    // Tells the user something went wrong; the dialog stays open.
    virtual void show_error(const char *message) = 0;
    // The same in a message box, which the user closes; the dialog stays open.
    virtual void show_message_box(const char *message) = 0;
    virtual void end_dialog(int code) = 0;

protected:
    ~DialogControls() = default;
};

// Acts on one event. True when the event was handled (for init: the platform
// gives the focus to the first control with a tab stop); false when the
// platform's default handling applies. `settings` is what the dialog shows
// and changes: the lists at once, the check boxes on OK, which then calls
// `save`.
bool handle_dialog_event(DialogControls &controls, SaverSettings &settings, const SaveSettingsFunction &save,
                         const DialogEvent &event);

// The message shown when OK could not save the settings: `reason` when the
// save gave one, otherwise a general one naming the settings file.
std::string save_failure_message(const char *settingsFile, const std::string &reason);

// The message shown when a web page could not be opened.
std::string web_page_failure_message(const std::string &address);

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
