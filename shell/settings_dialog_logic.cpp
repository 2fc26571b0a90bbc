#include "shell/settings_dialog_logic.h"

#include "resources/dialog_template.h"
#include "resources/resource_ids.h"

const char *const RESOLUTION_TEXTS[RESOLUTION_COUNT] = {
    "Current Resolution", "1680x1050", "1440x900", "1280x1024", "1024x768",
};

const char MAKER_SITE_ADDRESS[] = "https://www.morviksoft.example";
const char RECOMMENDATION_PAGE[] = "/passonsoft.php?s=30";

// The order in which the boxes are set and read.
const CheckBoxSwitch CHECK_BOX_SWITCHES[CHECK_BOX_COUNT] = {
    {IDC_SECOND_HAND, &SaverSettings::secondHand},
    {IDC_SECOND_SOUND, &SaverSettings::secondSound},
    {IDC_HOUR_CHIME, &SaverSettings::hourSound},
    {IDC_FIFTEEN_CHIME, &SaverSettings::fifteenhourSound},
    {IDC_HALF_HOUR_CHIME, &SaverSettings::halfhourSound},
    {IDC_FORTY_FIVE_CHIME, &SaverSettings::fortyfivehourSound},
    {IDC_RANDOM, &SaverSettings::random},
};

PictureHandle style_previews[CLOCK_STYLE_COUNT];

namespace {

// A clockType outside 0..9 has no preview: the picture control stays empty
// rather than show something from beyond the array.
PictureHandle preview_for(int clockType)
{
    return is_listed_clock_type(clockType) ? style_previews[clockType] : nullptr;
}

void init_dialog(DialogControls &dialog)
{
    for (const ClockStyle &style : ClockStyleTable)
        dialog.add_list_text(IDC_STYLE_LIST, style.displayName);
    dialog.select_list_position(IDC_STYLE_LIST, saver_settings.clockType);
    dialog.show_picture(IDC_STYLE_PICTURE, preview_for(saver_settings.clockType));

    for (const char *text : RESOLUTION_TEXTS)
        dialog.add_list_text(IDC_RESOLUTION_LIST, text);
    dialog.select_list_position(IDC_RESOLUTION_LIST, saver_settings.resolution);

    for (const CheckBoxSwitch &box : CHECK_BOX_SWITCHES)
        dialog.set_check(box.controlId, saver_settings.*box.field);
}

// Only a file that really holds the choices ends the dialog as saved; when
// it does not, the user is told and can try again or cancel.
void save_and_end(DialogControls &dialog)
{
    for (const CheckBoxSwitch &box : CHECK_BOX_SWITCHES) {
        saver_settings.*box.field = 0;
        if (dialog.get_check(box.controlId) == 1)
            saver_settings.*box.field = 1;
    }
    if (save_settings())
        dialog.end_dialog(IDC_OK);
    else
        dialog.show_error(save_failure_message(settings_file).c_str());
}

int on_command(DialogControls &dialog, int id, int notification)
{
    switch (id) {
    case IDC_STYLE_LIST:
        if (notification != LIST_SELECTION_CHANGED)
            return DIALOG_NOT_HANDLED;
        saver_settings.clockType = dialog.selected_list_position(IDC_STYLE_LIST);
        dialog.show_picture(IDC_STYLE_PICTURE, preview_for(saver_settings.clockType));
        return DIALOG_NOT_HANDLED;
    case IDC_RESOLUTION_LIST:
        if (notification == LIST_SELECTION_CHANGED)
            saver_settings.resolution = dialog.selected_list_position(IDC_RESOLUTION_LIST);
        return DIALOG_NOT_HANDLED;
    case IDC_VISIT_SITE:
        dialog.open_web_page(MAKER_SITE_ADDRESS);
        return DIALOG_HANDLED;
    case IDC_TELL_A_FRIEND:
        dialog.open_web_page((std::string(MAKER_SITE_ADDRESS) + RECOMMENDATION_PAGE).c_str());
        return DIALOG_HANDLED;
    case IDC_CANCEL:
        dialog.end_dialog(IDC_CANCEL);
        return DIALOG_HANDLED;
    case IDC_OK:
        save_and_end(dialog);
        return DIALOG_HANDLED;
    default:
        return DIALOG_NOT_HANDLED;
    }
}

}  // namespace

int settings_dlg_proc(DialogControls &dialog, unsigned message, uintptr_t wParam, intptr_t)
{
    switch (message) {
    case DIALOG_INIT:
        init_dialog(dialog);
        return DIALOG_HANDLED;
    case DIALOG_PAINT:
        dialog.draw_picture(IDB_BANNER, BANNER_X, BANNER_Y);
        return DIALOG_HANDLED;
    case DIALOG_CLOSE:
        dialog.end_dialog(static_cast<int>(wParam & 0xffff));
        return DIALOG_HANDLED;
    case DIALOG_COMMAND:
        return on_command(dialog, static_cast<int>(wParam & 0xffff), static_cast<int>((wParam >> 16) & 0xffff));
    default:
        return DIALOG_NOT_HANDLED;
    }
}

std::string save_failure_message(const char *settingsFile)
{
    return std::string("Your settings could not be saved: the settings file \"") + settingsFile +
           "\" could not be written. Check that its folder can be written to and that the disk is not full, "
           "then press OK to try again, or Cancel to leave without saving.";
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
