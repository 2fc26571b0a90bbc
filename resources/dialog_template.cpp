#include "resources/dialog_template.h"

#include <cstring>

const char DIALOG_CONTROL_STYLES[] = "WS_CHILD | WS_VISIBLE";

// The Tab order is the order of this table; that is why "Chime 30 minutes
// after" comes before "Chime 15 minutes after", which stands above it.
// The two list heights include the dropped-down list.
const DialogControl SETTINGS_CONTROLS[SETTINGS_CONTROL_COUNT] = {
    {IDC_STATIC, "BUTTON", "Clock", "BS_GROUPBOX", 16, 81, 135, 166},
    {IDC_STYLE_PICTURE, "STATIC", "", "SS_BITMAP | WS_BORDER", 30, 95, 23, 20},
    {IDC_STYLE_LIST, "COMBOBOX", "", "CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_TABSTOP", 20, 213, 122, 129},
    {IDC_RESOLUTION_LIST, "COMBOBOX", "", "CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_TABSTOP", 167, 220, 125, 57},
    {IDC_VISIT_SITE, "BUTTON", "Visit MorvikSoft", "BS_PUSHBUTTON | WS_TABSTOP", 21, 258, 59, 14},
    {IDC_TELL_A_FRIEND, "BUTTON", "Tell A Friend", "BS_PUSHBUTTON | WS_TABSTOP", 90, 258, 59, 14},
    {IDC_CANCEL, "BUTTON", "Cancel", "BS_PUSHBUTTON | WS_TABSTOP", 184, 258, 50, 14},
    {IDC_OK, "BUTTON", "OK", "BS_DEFPUSHBUTTON | WS_TABSTOP", 243, 258, 50, 14},
    {IDC_STATIC, "BUTTON", "Resolution", "BS_GROUPBOX", 159, 204, 158, 43},
    {IDC_STATIC, "STATIC", "Clock Type", "SS_LEFT | WS_GROUP", 21, 203, 115, 9},
    {IDC_SECOND_HAND, "BUTTON", "Display Second hand", "BS_AUTOCHECKBOX | WS_TABSTOP", 166, 94, 86, 18},
    {IDC_SECOND_SOUND, "BUTTON", "Second hand sound", "BS_AUTOCHECKBOX | WS_TABSTOP", 166, 109, 81, 18},
    {IDC_HOUR_CHIME, "BUTTON", "Chime on the hour", "BS_AUTOCHECKBOX | WS_TABSTOP", 166, 124, 83, 18},
    {IDC_HALF_HOUR_CHIME, "BUTTON", "Chime 30 minutes after", "BS_AUTOCHECKBOX | WS_TABSTOP", 166, 155, 120, 18},
    {IDC_FIFTEEN_CHIME, "BUTTON", "Chime 15 minutes after", "BS_AUTOCHECKBOX | WS_TABSTOP", 166, 139, 130, 18},
    {IDC_FORTY_FIVE_CHIME, "BUTTON", "Chime 45 minutes after", "BS_AUTOCHECKBOX | WS_TABSTOP", 166, 172, 128, 18},
    {IDC_STATIC, "BUTTON", "Display", "BS_GROUPBOX", 159, 81, 157, 116},
    {IDC_RANDOM, "BUTTON", "Random", "BS_AUTOCHECKBOX | WS_TABSTOP", 21, 227, 118, 16},
};

const DialogTemplate SETTINGS_DIALOG = {
    IDD_SETTINGS,
    "WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS | "
    "DS_3DLOOK | DS_SYSMODAL | DS_CENTER",
    "WS_EX_TOPMOST",
    0, 0, 333, 286,
    "Veltrane Screen Saver",
    "MS Shell Dlg 2", 8, 400, false, 1,
    SETTINGS_CONTROLS,
    SETTINGS_CONTROL_COUNT,
};

const DialogControl *find_dialog_control(int id)
{
    for (const DialogControl &control : SETTINGS_CONTROLS)
        if (control.id == id && id != IDC_STATIC)
            return &control;
    return nullptr;
}

bool has_dialog_style(const char *styles, const char *name)
{
    const std::size_t length = std::strlen(name);
    for (const char *p = std::strstr(styles, name); p; p = std::strstr(p + 1, name)) {
        const bool startsWord = p == styles || p[-1] == ' ' || p[-1] == '|';
        const char end = p[length];
        if (startsWord && (end == '\0' || end == ' ' || end == '|'))
            return true;
    }
    return false;
}
