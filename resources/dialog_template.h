// The settings dialog's template: the dialog frame and its eighteen controls,
// in Tab order. The GTK dialog is built from this table and the Windows
// resource script is generated from it, so it stays plain data: classes and
// styles are spelled as the resource compiler spells them.
#pragma once

// Control ids the program addresses; -1 marks the controls it never does.
constexpr int IDD_SETTINGS = 105;
constexpr int IDC_STATIC = -1;
constexpr int IDC_STYLE_PICTURE = 1019;
constexpr int IDC_STYLE_LIST = 1013;
constexpr int IDC_RESOLUTION_LIST = 1000;
constexpr int IDC_VISIT_SITE = 40009;
constexpr int IDC_TELL_A_FRIEND = 1003;
constexpr int IDC_CANCEL = 40010;
constexpr int IDC_OK = 40011;
constexpr int IDC_SECOND_HAND = 40014;
constexpr int IDC_SECOND_SOUND = 40013;
constexpr int IDC_HOUR_CHIME = 40023;
constexpr int IDC_FIFTEEN_CHIME = 40019;
constexpr int IDC_HALF_HOUR_CHIME = 40022;
constexpr int IDC_FORTY_FIVE_CHIME = 40021;
constexpr int IDC_RANDOM = 1001;

struct DialogControl {
    int id;
    const char *className;   // "BUTTON", "STATIC" or "COMBOBOX"
    const char *caption;     // "" for none
    const char *styles;      // beyond DIALOG_CONTROL_STYLES, joined by " | "
    int x, y, width, height; // dialog units
};

struct DialogTemplate {
    int id;
    const char *styles;
    const char *extendedStyles;
    int x, y, width, height; // dialog units
    const char *caption;
    const char *fontName;
    int fontPoints;
    int fontWeight;
    bool fontItalic;
    int fontCharset;
    const DialogControl *controls;
    int controlCount;
};

// Every control is a visible child window with no extended style.
extern const char DIALOG_CONTROL_STYLES[];

constexpr int SETTINGS_CONTROL_COUNT = 18;
extern const DialogControl SETTINGS_CONTROLS[SETTINGS_CONTROL_COUNT];
extern const DialogTemplate SETTINGS_DIALOG;

// The control with this id, or nullptr.
const DialogControl *find_dialog_control(int id);

// True when `styles` holds the style `name` as a whole word.
bool has_dialog_style(const char *styles, const char *name);
