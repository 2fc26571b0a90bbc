#include "shell/settings_dialog_logic.h"

#include "resources/dialog_template.h"
#include "resources/resource_ids.h"
#include "settings/settings_table.h"
#include "shell/settings_dialog.h"

const char MAKER_SITE_ADDRESS[] = "https://www.morviksoft.example";
const char RECOMMENDATION_PAGE[] = "/passonsoft.php?s=30";

PictureHandle style_previews[CLOCK_STYLE_COUNT];

namespace {

// A clockType outside 0..9 has no preview: the picture control stays empty
// rather than show something from beyond the array.
PictureHandle preview_for(int clockType)
{
    return is_listed_clock_type(clockType) ? style_previews[clockType] : nullptr;
}

void init_dialog(DialogControls &controls, const SaverSettings &settings)
{
    for (const ClockStyle &style : ClockStyleTable)
        controls.add_list_text(IDC_STYLE_LIST, style.displayName);
    controls.select_list_position(IDC_STYLE_LIST, settings.clockType);
    controls.show_picture(IDC_STYLE_PICTURE, preview_for(settings.clockType));

    for (const ScreenResolution &resolution : SCREEN_RESOLUTIONS)
        controls.add_list_text(IDC_RESOLUTION_LIST, resolution.caption);
    controls.select_list_position(IDC_RESOLUTION_LIST, settings.resolution);

    // The check boxes are the switches among the settings, in the table's order.
    for (const SettingRow &row : SETTING_ROWS)
        if (row.isSwitch)
            controls.set_check(row.controlId, settings.*row.field);
}

// Only settings that really reached the disk end the dialog as saved; when
// they did not, the user is told and can try again or cancel.
void save_and_end(DialogControls &controls, SaverSettings &settings, const SaveSettingsFunction &save)
{
    for (const SettingRow &row : SETTING_ROWS)
        if (row.isSwitch)
            settings.*row.field = controls.get_check(row.controlId) == 1 ? 1 : 0;
    std::string reason;
    if (save(settings, reason))
        controls.end_dialog(IDC_OK);
    else
        controls.show_error(save_failure_message(settings_file, reason).c_str());
}

// The page a web button opens; empty for any other control.
std::string web_page_of(int id)
{
    if (id == IDC_VISIT_SITE)
        return MAKER_SITE_ADDRESS;
    if (id == IDC_TELL_A_FRIEND)
        return std::string(MAKER_SITE_ADDRESS) + RECOMMENDATION_PAGE;
    return "";
}

bool on_command(DialogControls &controls, SaverSettings &settings, const SaveSettingsFunction &save,
                int id, DialogNotification notification)
{
    const bool selectionChanged = notification == DialogNotification::selection_changed;
    switch (id) {
    case IDC_STYLE_LIST:
        if (selectionChanged) {
            settings.clockType = controls.selected_list_position(IDC_STYLE_LIST);
            controls.show_picture(IDC_STYLE_PICTURE, preview_for(settings.clockType));
        }
        return false;
    case IDC_RESOLUTION_LIST:
        if (selectionChanged)
            settings.resolution = controls.selected_list_position(IDC_RESOLUTION_LIST);
        return false;
    case IDC_VISIT_SITE:
    case IDC_TELL_A_FRIEND:
        if (!controls.open_web_page(id, web_page_of(id).c_str()))
            controls.show_message_box(web_page_failure_message(web_page_of(id)).c_str());
        return true;
    case IDC_CANCEL:
        controls.end_dialog(IDC_CANCEL);
        return true;
    case IDC_OK:
        save_and_end(controls, settings, save);
        return true;
    default:
        return false;
    }
}

}  // namespace

bool handle_dialog_event(DialogControls &controls, SaverSettings &settings, const SaveSettingsFunction &save,
                         const DialogEvent &event)
{
    switch (event.type) {
    case DialogEventType::init:
        init_dialog(controls, settings);
        return true;
    case DialogEventType::paint:
        controls.draw_picture(IDB_BANNER, BANNER_X, BANNER_Y);
        return true;
    case DialogEventType::close:
        controls.end_dialog(CLOSE_BOX_CODE);
        return true;
    case DialogEventType::command:
        return on_command(controls, settings, save, event.controlId, event.notification);
    case DialogEventType::web_page_failed:
        if (web_page_of(event.controlId).empty())
            return false;
        controls.show_message_box(web_page_failure_message(web_page_of(event.controlId)).c_str());
        return true;
    }
    return false;
}

std::string web_page_failure_message(const std::string &address)
{
    return "The web page " + address + " could not be opened: no web browser could be started for it. "
           "A desktop opens pages through xdg-open (Debian package xdg-utils) and the web browser it names; "
           "you can also open the address in a browser yourself.";
}

std::string save_failure_message(const char *settingsFile, const std::string &reason)
{
    const std::string file = std::string("\"") + settingsFile + "\"";
    if (reason.empty())
        return "Your settings could not be saved: the settings file " + file +
               " could not be written. Check that its folder can be written to and that the disk is not full, "
               "then press OK to try again, or Cancel to leave without saving.";
    const char *stop = reason.back() == '.' ? "" : ".";
    return "Your settings could not be saved to " + file + ": " + reason + stop +
           " Press OK to try again, or Cancel to leave without saving.";
}

DialogBaseUnits dialog_base_units(int letterWidth, int fontHeight)
{
    return {(letterWidth / 26 + 1) / 2, fontHeight};
}

namespace {

// a * b / c rounded to the nearest whole number, halves away from zero.
int mul_div(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace

int dialog_x_to_pixels(int x, DialogBaseUnits units)
{
    return mul_div(x, units.x, 4);
}

int dialog_y_to_pixels(int y, DialogBaseUnits units)
{
    return mul_div(y, units.y, 8);
}
