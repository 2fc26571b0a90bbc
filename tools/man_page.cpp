// Writes the manual page veltrane(1) from its template, its OPTIONS made
// from the tables --help prints, so that the two say the same.
//   veltrane-manpage TEMPLATE OUTPUT VERSION
// The template's line ".\" @OPTIONS@" becomes the options; "@VERSION@"
// becomes VERSION.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "settings/settings_table.h"
#include "shell/command_line.h"

namespace {

// Text as roff shows it: a minus sign for every "-", a backslash escaped.
std::string roff(const std::string &text)
{
    std::string out;
    for (char c : text)
        out += c == '-' ? "\\-" : c == '\\' ? "\\e" : std::string(1, c);
    return out;
}

// ".TP" with the option in bold and its argument, if any, in italics; the
// help ends with `end`.
std::string item(const std::string &syntax, const std::string &help, const char *end = ".")
{
    const size_t space = syntax.find(' ');
    std::string tag = space == std::string::npos ? ".B " + roff(syntax)
                                                  : ".BI \"" + roff(syntax.substr(0, space + 1)) + "\" " +
                                                        roff(syntax.substr(space + 1));
    return ".TP\n" + tag + "\n" + roff(help) + end + "\n";
}

std::string options()
{
    std::string text = "These take the place of the stored settings for one run of the clock, with\n"
                       ".B /s\nor in host mode.\n";
    for (const SettingRow &row : SETTING_ROWS) {
        const std::string syntax = row.isSwitch ? std::string("--") + row.flag + ", --no-" + row.flag
                                                : std::string("--") + row.flag + " N";
        text += row.isSwitch ? ".TP\n.BR " + roff(std::string("--") + row.flag) + " \", \" " +
                                   roff(std::string("--no-") + row.flag) + "\n" + roff(row.help) + ", or not.\n"
                             : item(syntax, setting_option_help(row), ":");
        if (row.field == &SaverSettings::clockType)
            for (int i = 0; i < CLOCK_STYLE_COUNT; i++)
                text += std::to_string(i) + " " + ClockStyleTable[i].displayName + (i + 1 < CLOCK_STYLE_COUNT ? ",\n" : ".\n");
        if (row.field == &SaverSettings::resolution)
            for (int i = 0; i < SCREEN_RESOLUTION_COUNT; i++)
                text += std::to_string(i) + " " + (i == 0 ? "the desktop's own" : SCREEN_RESOLUTIONS[i].caption) +
                        (i + 1 < SCREEN_RESOLUTION_COUNT ? ",\n" : ".\n");
    }
    text += ".PP\nThese do something else, and start no clock.\n";
    for (const UsageLine &line : USAGE_ACTIONS)
        text += item(line.syntax, line.help);
    return text;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::cerr << "usage: veltrane-manpage TEMPLATE OUTPUT VERSION\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    std::ostringstream page;
    for (std::string line; std::getline(in, line);) {
        if (line == ".\\\" @OPTIONS@") {
            page << options();
            continue;
        }
        for (size_t at; (at = line.find("@VERSION@")) != std::string::npos;)
            line.replace(at, 9, argv[3]);
        page << line << "\n";
    }
    std::ofstream out(argv[2]);
    out << page.str();
    return in.eof() && out ? 0 : 1;
}
