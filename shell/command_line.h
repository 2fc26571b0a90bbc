// Reading the command line the screen-saver host gives the program.
#pragma once

#include <cstdint>
#include <string>

enum RunMode { RUN_SAVER, RUN_PREVIEW, RUN_SETTINGS };

struct CommandLine {
    RunMode mode;
    // True when the text names no window: the caller then asks the platform
    // for its active window. Otherwise parentWindow holds the number given.
    bool useActiveWindow;
    int32_t parentWindow;
};

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
