#include "shell/settings_dialog_logic.h"

#include "resources/dialog_template.h"
#include "resources/resource_ids.h"
#include "shell/settings_dialog.h"

const char MAKER_SITE_ADDRESS[] = "https://www.morviksoft.example";
const char RECOMMENDATION_PAGE[] = "/passonsoft.php?s=30";

PictureHandle style_previews[CLOCK_STYLE_COUNT];

namespace {

// The resolution list's texts; a text's position is the value of
// `resolution`.
const char *const RESOLUTION_TEXTS[] = {
    "Current Resolution", "1680x1050", "1440x900", "1280x1024", "1024x768",
};

// The seven check boxes and the switch each shows, in the order in which
// they are set and read.
struct CheckBoxSwitch {
    int controlId;
    int32_t SaverSettings::*field;
};
const CheckBoxSwitch CHECK_BOX_SWITCHES[] = {
    {IDC_SECOND_HAND, &SaverSettings::secondHand},
    {IDC_SECOND_SOUND, &SaverSettings::secondSound},
    {IDC_HOUR_CHIME, &SaverSettings::hourSound},
    {IDC_FIFTEEN_CHIME, &SaverSettings::fifteenhourSound},
    {IDC_HALF_HOUR_CHIME, &SaverSettings::halfhourSound},
    {IDC_FORTY_FIVE_CHIME, &SaverSettings::fortyfivehourSound},
    {IDC_RANDOM, &SaverSettings::random},
};

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

    for (const char *text : RESOLUTION_TEXTS)
        controls.add_list_text(IDC_RESOLUTION_LIST, text);
    controls.select_list_position(IDC_RESOLUTION_LIST, settings.resolution);

    for (const CheckBoxSwitch &box : CHECK_BOX_SWITCHES)
        controls.set_check(box.controlId, settings.*box.field);
}

// Only settings that really reached the disk end the dialog as saved; when
// they did not, the user is told and can try again or cancel.
void save_and_end(DialogControls &controls, SaverSettings &settings, const SaveSettingsFunction &save)
{
    for (const CheckBoxSwitch &box : CHECK_BOX_SWITCHES) {
        settings.*box.field = 0;
        if (controls.get_check(box.controlId) == 1)
            settings.*box.field = 1;
    }
    std::string reason;
    if (save(settings, reason))
        controls.end_dialog(IDC_OK);
    else
        controls.show_error(save_failure_message(settings_file, reason).c_str());
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
        controls.open_web_page(MAKER_SITE_ADDRESS);
        return true;
    case IDC_TELL_A_FRIEND:
        controls.open_web_page((std::string(MAKER_SITE_ADDRESS) + RECOMMENDATION_PAGE).c_str());
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
    }
    return false;
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
