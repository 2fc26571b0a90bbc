#include "shell/command_line.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "settings/settings_table.h"

namespace {

bool is_atoi_space(unsigned char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

unsigned char fold_ascii(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

}  // namespace

int32_t read_window_number(const char *text)
{
    const unsigned char *p = reinterpret_cast<const unsigned char *>(text);
    while (is_atoi_space(*p))
        p++;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    int64_t value = 0;
    const int64_t limit = negative ? -static_cast<int64_t>(INT32_MIN) : INT32_MAX;
    for (; *p >= '0' && *p <= '9'; p++) {
        value = value * 10 + (*p - '0');
        if (value >= limit) {
            value = limit;
            break;
        }
    }
    return static_cast<int32_t>(negative ? -value : value);
}

CommandLine parse_command_line(const char *text)
{
    const unsigned char *p = reinterpret_cast<const unsigned char *>(text);
    if (*p == '-' || *p == '/')
        p++;
    const unsigned char mode = *p;

    CommandLine result{RUN_SETTINGS, true, 0};
    if (mode != '\0' && (p[1] == ' ' || p[1] == ':')) {
        result.useActiveWindow = false;
        result.parentText = reinterpret_cast<const char *>(p + 2);
        result.parentWindow = read_window_number(result.parentText.c_str());
    }

    switch (fold_ascii(mode)) {
    case 's': result.mode = RUN_SAVER; break;
    case 'p': result.mode = RUN_PREVIEW; break;
    default: result.mode = RUN_SETTINGS; break;
    }
    return result;
}

std::string argument_text(int argc, const char *const *argv)
{
    std::string text;
    for (int i = 1; i < argc; i++) {
        if (i > 1)
            text += ' ';
        text += argv[i];
    }
    size_t start = 0;
    while (start < text.size() && static_cast<unsigned char>(text[start]) >= 1 &&
           static_cast<unsigned char>(text[start]) <= 32)
        start++;
    return text.substr(start);
}

bool read_host_window(const char *text, unsigned long &window)
{
    const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char *digits = hex ? text + 2 : text;
    // strtoul would also take blanks and a sign.
    if (!std::isxdigit(static_cast<unsigned char>(digits[0])))
        return false;
    char *end = nullptr;
    errno = 0;
    window = std::strtoul(digits, &end, hex ? 16 : 10);
    return *end == '\0' && errno == 0 && window != 0 && window <= LARGEST_X_ID;
}

namespace {

const char ADD_OPTION[] = "add-to-xscreensaver";
const std::string X_WINDOW_ID = "an X window id, decimal or hex after 0x, from 1 to 0x1fffffff";

bool read_setting_value(const char *text, int32_t &value)
{
    const unsigned char first = static_cast<unsigned char>(text[0]);
    if (!(std::isdigit(first) || ((first == '-' || first == '+') && std::isdigit(static_cast<unsigned char>(text[1])))))
        return false;
    char *end = nullptr;
    errno = 0;
    const long long number = std::strtoll(text, &end, 10);
    value = static_cast<int32_t>(number);
    return *end == '\0' && errno == 0 && number >= INT32_MIN && number <= INT32_MAX;
}

// The option named `name` (without its dashes): the settings row it sets
// and the value a switch takes, or -1.
int setting_option(const std::string &name, int32_t &switchValue)
{
    for (int i = 0; i < SETTING_COUNT; i++) {
        const SettingRow &row = SETTING_ROWS[i];
        switchValue = 1;
        if (name == row.flag)
            return i;
        switchValue = 0;
        if (row.isSwitch && name == std::string("no-") + row.flag)
            return i;
    }
    return -1;
}

}  // namespace

ProgramArguments parse_arguments(int argc, const char *const *argv, const char *screensaverWindow)
{
    ProgramArguments result;
    std::vector<const char *> rest{argc > 0 ? argv[0] : "veltrane"};
    bool root = false;
    unsigned long window = 0;
    const auto refuse = [&result](const std::string &problem) {
        result.action = ACTION_BAD_USAGE;
        result.problem = problem;
        return result;
    };
    // --help and --version end the reading; --add-to-xscreensaver lets it
    // go on, to find --message-box.
    for (int i = 1; i < argc && (result.action == ACTION_RUN || result.action == ACTION_ADD_TO_XSCREENSAVER); i++) {
        const std::string arg = argv[i];
        const bool longOption = arg.size() > 2 && arg.compare(0, 2, "--") == 0;
        const bool hostOption = arg == "-root" || arg == "-window-id" || arg.compare(0, 11, "-window-id=") == 0;
        if (!longOption && !hostOption) {
            rest.push_back(argv[i]);
            continue;
        }
        const size_t start = longOption ? 2 : 1;
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(start, equals == std::string::npos ? equals : equals - start);
        const std::string shown = arg.substr(0, equals);
        int32_t switchValue = 0;
        const int row = setting_option(name, switchValue);
        const bool takesValue = name == "window-id" || (row >= 0 && !SETTING_ROWS[row].isSwitch);
        const bool action = longOption && (name == "help" || name == "version" || name == ADD_OPTION);
        if (action || name == "root" || (longOption && name == "message-box") || (row >= 0 && !takesValue)) {
            if (equals != std::string::npos)
                return refuse("option '" + shown + "' takes no value");
            if (action)
                result.action = name == "help" ? ACTION_HELP : name == "version" ? ACTION_VERSION : ACTION_ADD_TO_XSCREENSAVER;
            root = root || name == "root";
            result.messageBox = result.messageBox || name == "message-box";
            if (row >= 0) {
                result.overrides.given[row] = true;
                result.overrides.value[row] = switchValue;
            }
            continue;
        }
        if (!takesValue)
            return refuse("unknown option '" + shown + "'");
        if (equals == std::string::npos && i + 1 >= argc)
            return refuse("option '" + shown + "' needs a value");
        const char *value = equals == std::string::npos ? argv[++i] : argv[i] + equals + 1;
        if (row < 0 && !read_host_window(value, window))
            return refuse("option '" + shown + "' takes " + X_WINDOW_ID + ", not '" + value + "'");
        if (row < 0)
            continue;
        int32_t &number = result.overrides.value[row];
        if (!read_setting_value(value, number) || number < 0 || number > SETTING_ROWS[row].largest)
            return refuse("option '" + shown + "' takes a whole number from 0 to " +
                          std::to_string(SETTING_ROWS[row].largest) + ", not '" + value + "'");
        result.overrides.given[row] = true;
    }
    if (result.messageBox && result.action == ACTION_RUN)
        return refuse("option '--message-box' goes with --" + std::string(ADD_OPTION));
    if (result.action != ACTION_RUN)
        return result;

    const std::string text = argument_text(static_cast<int>(rest.size()), rest.data());
    result.commandLine = parse_command_line(text.c_str());
    if (window == 0 && root && screensaverWindow && !read_host_window(screensaverWindow, window))
        return refuse("XSCREENSAVER_WINDOW holds no window id: '" + std::string(screensaverWindow) + "' (it takes " +
                      X_WINDOW_ID + ")");
    if (window != 0 || root) {
        result.commandLine.mode = RUN_HOST;
        result.commandLine.hostWindow = window;
    }
    return result;
}

const UsageLine USAGE_MODES[5] = {
    {"/s", "the full-screen clock"},
    {"/p N", "the preview picture inside window N (decimal)"},
    {"/c, or nothing", "the settings dialog"},
    {"-root, --root", "draw the clock into $XSCREENSAVER_WINDOW, when set, else into the root window"},
    {"-window-id N, --window-id N", "draw the clock into window N (decimal or 0x hex)"},
};

const UsageLine USAGE_ACTIONS[4] = {
    {"--add-to-xscreensaver", "add \"veltrane -root\" to XScreenSaver's list of savers in ~/.xscreensaver, keeping the "
                              "rest of the file, and say what was done"},
    {"--message-box", "with --add-to-xscreensaver: say it in a message box too"},
    {"--help", "show this text and end"},
    {"--version", "show the version and end"},
};

std::string setting_option_syntax(const SettingRow &row)
{
    return row.isSwitch ? std::string("--[no-]") + row.flag : std::string("--") + row.flag + " N";
}

std::string setting_option_help(const SettingRow &row)
{
    return row.isSwitch ? row.help : std::string(row.help) + ", 0 to " + std::to_string(row.largest);
}

namespace {

// "  syntax   help", the help in a column of its own, wrapped to 79.
std::string usage_line(const std::string &syntax, const std::string &help)
{
    constexpr size_t COLUMN = 25, WIDTH = 79;
    std::string text = "  " + syntax;
    text += text.size() < COLUMN ? std::string(COLUMN - text.size(), ' ') : "\n" + std::string(COLUMN, ' ');
    size_t column = COLUMN;
    for (size_t at = 0; at < help.size();) {
        const size_t end = std::min(help.find(' ', at), help.size());
        if (column > COLUMN && column + 1 + (end - at) > WIDTH) {
            text += "\n" + std::string(COLUMN, ' ');
            column = COLUMN;
        } else if (column > COLUMN) {
            text += ' ';
            column++;
        }
        text += help.substr(at, end - at);
        column += end - at;
        at = end + 1;
    }
    return text + "\n";
}

}  // namespace

std::string usage_text()
{
    std::string text = "Usage: veltrane /s [OPTION]...\n"
                       "       veltrane -root [OPTION]...\n"
                       "       veltrane -window-id N [OPTION]...\n"
                       "       veltrane /p N\n"
                       "       veltrane [/c]\n"
                       "       veltrane --add-to-xscreensaver [--message-box]\n"
                       "A large analogue clock as a screen saver.\n\n";
    for (const UsageLine &line : USAGE_MODES)
        text += usage_line(line.syntax, line.help);
    text += "\nOptions of a run of the clock (/s and host mode), in place of the stored settings:\n";
    for (const SettingRow &row : SETTING_ROWS)
        text += usage_line(setting_option_syntax(row), setting_option_help(row) + (row.isSwitch ? "" : " (below)"));
    text += "\n";
    for (const UsageLine &line : USAGE_ACTIONS)
        text += usage_line(line.syntax, line.help);
    text += "\nStyles:";
    for (int i = 0; i < CLOCK_STYLE_COUNT; i++)
        text += std::string(i % 3 == 0 ? "\n  " : ", ") + std::to_string(i) + " " + ClockStyleTable[i].displayName;
    text += "\nScreen sizes:\n  0 the desktop's own";
    for (int i = 1; i < SCREEN_RESOLUTION_COUNT; i++)
        text += std::string(", ") + std::to_string(i) + " " + SCREEN_RESOLUTIONS[i].caption;
    return text + "\n";
}
