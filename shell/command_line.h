// Reading the command line the screen-saver host gives the program.
#pragma once

#include <cstdint>
#include <string>

#include "settings/settings.h"
#include "settings/settings_table.h"

enum RunMode { RUN_SAVER, RUN_PREVIEW, RUN_SETTINGS, RUN_HOST };

struct CommandLine {
    RunMode mode;
    // True when the text names no window: the caller then asks the platform
    // for its active window. Otherwise parentWindow holds the number given.
    bool useActiveWindow;
    int32_t parentWindow;
    // RUN_HOST: the X window to draw into; 0 is the root window.
    unsigned long hostWindow = 0;
    // The text the parent value was read from: all that follows the
    // separator, or empty.
    std::string parentText{};
};

// X window ids have 29 bits; a larger number names no window.
constexpr unsigned long LARGEST_X_ID = 0x1FFFFFFF;

// `text` is the argument text: the command line less the program's name,
// starting at its first non-blank byte.
CommandLine parse_command_line(const char *text);

// Reads a decimal number as atoi does (blanks, sign, digits), except that a
// number beyond the range of int32_t is held at the nearest limit.
int32_t read_window_number(const char *text);

// The argument text of a process started with argv: its arguments joined by
// single blanks, without leading blanks, as the platform's start-up code
// hands it over.
std::string argument_text(int argc, const char *const *argv);

enum ProgramAction { ACTION_RUN, ACTION_HELP, ACTION_VERSION, ACTION_ADD_TO_XSCREENSAVER, ACTION_BAD_USAGE };

struct ProgramArguments {
    ProgramAction action = ACTION_RUN;
    CommandLine commandLine{RUN_SETTINGS, true, 0};
    SettingsOverrides overrides;  // for a run of the clock, each within its row's range
    bool messageBox = false;      // ACTION_ADD_TO_XSCREENSAVER: tell the result in a window too
    std::string problem;          // ACTION_BAD_USAGE: what was wrong, for the user
};

// Reads a process's arguments in any order: GNU long options (the settings
// for this run, --help, --version), the screen-saver hosts' -root and
// -window-id N (either with one or two dashes), and the mode letter of the
// rest, which are joined and read by parse_command_line. A window id wins
// over -root, and either over the mode letter. `screensaverWindow` is
// $XSCREENSAVER_WINDOW, or nullptr when it is not set.
ProgramArguments parse_arguments(int argc, const char *const *argv, const char *screensaverWindow);

// An X window id, the whole text: decimal, or hexadecimal after "0x". False
// when the text is no window id (neither 0 nor a number above LARGEST_X_ID
// is one).
bool read_host_window(const char *text, unsigned long &window);

// One line of the usage: how an option or mode is written, and what it does.
struct UsageLine {
    const char *syntax;
    const char *help;
};
// The modes, then the options that are no setting; the settings' options
// come from the settings table.
extern const UsageLine USAGE_MODES[5];
extern const UsageLine USAGE_ACTIONS[4];
// A setting's option as --help writes it ("--[no-]tick", "--style N"), and
// what it does, with its range.
std::string setting_option_syntax(const SettingRow &row);
std::string setting_option_help(const SettingRow &row);

// What --help prints.
std::string usage_text();
