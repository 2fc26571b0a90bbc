#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "settings/settings_table.h"
#include "shell/command_line.h"

namespace {

constexpr int32_t ACTIVE = -1;  // stands for "the active window" in the tables
constexpr int32_t UNUSED = -2;  // the parent is not looked at

struct TextCase {
    const char *text;
    RunMode mode;
    int32_t parent;
};

void expect_mode(const CommandLine &c, const TextCase &e)
{
    EXPECT_EQ(c.mode, e.mode);
    if (e.parent != UNUSED) {
        EXPECT_EQ(c.useActiveWindow, e.parent == ACTIVE);
        EXPECT_EQ(c.parentWindow, e.parent == ACTIVE ? 0 : e.parent);
    }
}

// The host's grammar: every example of its table, then the edges.
const TextCase TEXTS[] = {
    {"/s", RUN_SAVER, UNUSED}, {"-S", RUN_SAVER, UNUSED}, {"s", RUN_SAVER, UNUSED},
    {"/p 123", RUN_PREVIEW, 123}, {"/P:123", RUN_PREVIEW, 123}, {"/p123", RUN_PREVIEW, ACTIVE},
    {"/p    123", RUN_PREVIEW, 123}, {"/p 123abc", RUN_PREVIEW, 123}, {"/c:456", RUN_SETTINGS, 456},
    {"/c 456", RUN_SETTINGS, 456}, {"/c", RUN_SETTINGS, ACTIVE}, {"/c:xyz", RUN_SETTINGS, 0},
    {"", RUN_SETTINGS, ACTIVE}, {"/", RUN_SETTINGS, ACTIVE}, {"//s", RUN_SETTINGS, ACTIVE},
    {"/a 789", RUN_SETTINGS, 789},
    {"/s 42", RUN_SAVER, 42}, {"-C", RUN_SETTINGS, ACTIVE}, {"--s", RUN_SETTINGS, ACTIVE},
    {"-/s", RUN_SETTINGS, ACTIVE}, {"/-p 5", RUN_SETTINGS, ACTIVE}, {"-- 12", RUN_SETTINGS, 12},
    {"/p\t123", RUN_PREVIEW, ACTIVE}, {"/p=123", RUN_PREVIEW, ACTIVE}, {"/p:\t\n\v\f\r 88", RUN_PREVIEW, 88},
    {"/p ", RUN_PREVIEW, 0}, {" /s", RUN_SETTINGS, ACTIVE}, {"/p -3", RUN_PREVIEW, -3}, {"/p +0012x", RUN_PREVIEW, 12},
    {"/p:+-5", RUN_PREVIEW, 0}, {"/p:2147483647", RUN_PREVIEW, INT32_MAX}, {"/p:2147483648", RUN_PREVIEW, INT32_MAX},
    {"/p -2147483649", RUN_PREVIEW, INT32_MIN}, {"/p:4294967297", RUN_PREVIEW, INT32_MAX},
    {"/p:99999999999999999999", RUN_PREVIEW, INT32_MAX},
};

TEST(CommandLine, ArgumentTextGivesItsModeAndParent)
{
    for (const TextCase &e : TEXTS) {
        SCOPED_TRACE(std::string("argument text \"") + e.text + "\"");
        expect_mode(parse_command_line(e.text), e);
    }
    // No byte but s, p and their upper-case forms names a mode; no byte of
    // 128 to 255 folds onto one (as a locale-aware tolower might).
    for (int b = 1; b < 256; b++) {
        const char text[] = {'/', static_cast<char>(b), ':', '7', '\0'};
        const RunMode expected = (b | 0x20) == 's' ? RUN_SAVER : (b | 0x20) == 'p' ? RUN_PREVIEW : RUN_SETTINGS;
        expect_mode(parse_command_line(text), {text, expected, 7});
    }
}

TEST(CommandLine, ArgumentTextJoinsTheArgumentsWithSingleBlanks)
{
    const std::pair<std::vector<const char *>, std::string> cases[] = {
        {{"veltrane"}, ""}, {{"veltrane", "/p", "123"}, "/p 123"}, {{"veltrane", " \t/c"}, "/c"},
        {{"veltrane", "", "/s"}, "/s"}, {{"veltrane", "\x01\x1f\x20/s"}, "/s"}, {{"veltrane", "\xa0s"}, "\xa0s"},
        {{"veltrane", "/p  7", "x"}, "/p  7 x"},
    };
    for (const auto &[argv, text] : cases)
        EXPECT_EQ(argument_text(static_cast<int>(argv.size()), argv.data()), text);
}

struct ArgumentsCase {
    std::vector<const char *> args;
    const char *screensaverWindow;
    ProgramAction action;
    RunMode mode;
    unsigned long hostWindow;
    std::vector<std::pair<const char *, int32_t>> overrides;  // flag, value
};

const ArgumentsCase ARGUMENTS[] = {
    {{"--style", "3", "/s"}, nullptr, ACTION_RUN, RUN_SAVER, 0, {{"style", 3}}},
    {{"/s", "--style=-3", "--resolution", "+7"}, nullptr, ACTION_RUN, RUN_SAVER, 0, {{"style", -3}, {"resolution", 7}}},
    {{"-root", "--tick"}, nullptr, ACTION_RUN, RUN_HOST, 0, {{"tick", 1}}},
    {{"--root"}, "0x600008", ACTION_RUN, RUN_HOST, 0x600008, {}},
    {{"-root", "/s"}, "6291464", ACTION_RUN, RUN_HOST, 6291464, {}},
    {{"-window-id", "0x1f", "--no-chime-45"}, "0x5", ACTION_RUN, RUN_HOST, 31, {{"chime-45", 0}}},
    {{"--window-id=42", "-root"}, "0x5", ACTION_RUN, RUN_HOST, 42, {}},
    {{"-window-id=0X2A"}, nullptr, ACTION_RUN, RUN_HOST, 42, {}},
    {{"--no-second-hand", "--second-hand", "--random", "--chime-hour", "--no-chime-15", "--chime-30"}, nullptr,
     ACTION_RUN, RUN_SETTINGS, 0,
     {{"second-hand", 1}, {"random", 1}, {"chime-hour", 1}, {"chime-15", 0}, {"chime-30", 1}}},
    {{"/p", "123", "--no-random"}, nullptr, ACTION_RUN, RUN_PREVIEW, 0, {{"random", 0}}},
    {{"-r"}, "0x5", ACTION_RUN, RUN_SETTINGS, 0, {}},
    {{"-w", "5"}, nullptr, ACTION_RUN, RUN_SETTINGS, 0, {}},
    {{"--"}, nullptr, ACTION_RUN, RUN_SETTINGS, 0, {}},
    {{"--help", "--bogus"}, nullptr, ACTION_HELP, RUN_SETTINGS, 0, {}},
    {{"/s", "--version"}, nullptr, ACTION_VERSION, RUN_SETTINGS, 0, {}},
    {{"--bogus", "--help"}, nullptr, ACTION_BAD_USAGE, RUN_SETTINGS, 0, {}},
    {{"--s"}, nullptr, ACTION_BAD_USAGE, RUN_SETTINGS, 0, {}},
    {{"--style"}, nullptr, ACTION_BAD_USAGE, RUN_SETTINGS, 0, {}},
    {{"--style", "3x"}, nullptr, ACTION_BAD_USAGE, RUN_SETTINGS, 0, {}},
    {{"--style", ""}, nullptr, ACTION_BAD_USAGE, RUN_SETTINGS, 0, {}},
    {{"--style", " 3"}, nullptr, ACTION_BAD_USAGE, RUN_SETTINGS, 0, {}},
    {{"--resolution=2147483648"}, nullptr, ACTION_BAD_USAGE, RUN_SETTINGS, 0, {}},
    {{"--tick=1"}, nullptr, ACTION_BAD_USAGE, RUN_SETTINGS, 0, {}},
    {{"--no-style", "1"}, nullptr, ACTION_BAD_USAGE, RUN_SETTINGS, 0, {}},
    {{"--window-id", "0"}, nullptr, ACTION_BAD_USAGE, RUN_SETTINGS, 0, {}},
    {{"--window-id", "-5"}, nullptr, ACTION_BAD_USAGE, RUN_SETTINGS, 0, {}},
    {{"--window-id", "0x"}, nullptr, ACTION_BAD_USAGE, RUN_SETTINGS, 0, {}},
    {{"--window-id", "99999999999999999999999"}, nullptr, ACTION_BAD_USAGE, RUN_SETTINGS, 0, {}},
    {{"-root"}, "window", ACTION_BAD_USAGE, RUN_SETTINGS, 0, {}},
};

TEST(CommandLine, OptionsComeInAnyOrderBesideTheModeAndSayWhatIsWrong)
{
    for (const ArgumentsCase &c : ARGUMENTS) {
        std::vector<const char *> argv{"veltrane"};
        std::string shown;
        for (const char *arg : c.args) {
            argv.push_back(arg);
            shown += std::string(" ") + arg;
        }
        SCOPED_TRACE("veltrane" + shown);
        const ProgramArguments a = parse_arguments(static_cast<int>(argv.size()), argv.data(), c.screensaverWindow);
        EXPECT_EQ(a.action, c.action);
        EXPECT_EQ(a.problem.empty(), c.action != ACTION_BAD_USAGE) << a.problem;
        if (c.action != ACTION_RUN)
            continue;
        EXPECT_EQ(a.commandLine.mode, c.mode);
        EXPECT_EQ(a.commandLine.hostWindow, c.hostWindow);
        for (int i = 0; i < SETTING_COUNT; i++) {
            bool given = false;
            for (const auto &[flag, value] : c.overrides)
                if (flag == std::string(SETTING_ROWS[i].flag)) {
                    given = true;
                    EXPECT_EQ(a.overrides.value[i], value) << flag;
                }
            EXPECT_EQ(a.overrides.given[i], given) << SETTING_ROWS[i].flag;
        }
    }
    EXPECT_EQ(parse_arguments(4, std::vector<const char *>{"v", "/p", "9", "--tick"}.data(), nullptr).commandLine.parentWindow, 9);
}

TEST(CommandLine, EverySettingHasItsOptionsAndItsLineInTheHelp)
{
    const std::string usage = usage_text();
    for (int i = 0; i < SETTING_COUNT; i++) {
        const SettingRow &row = SETTING_ROWS[i];
        const std::string on = std::string("--") + row.flag, off = std::string("--no-") + row.flag;
        const std::vector<const char *> argv = row.isSwitch ? std::vector<const char *>{"v", off.c_str(), on.c_str()}
                                                            : std::vector<const char *>{"v", on.c_str(), "1"};
        const ProgramArguments a = parse_arguments(static_cast<int>(argv.size()), argv.data(), nullptr);
        EXPECT_TRUE(a.overrides.given[i] && a.overrides.value[i] == 1) << on;
        EXPECT_NE(usage.find(row.isSwitch ? "--[no-]" + std::string(row.flag) : on + " N"), std::string::npos) << on;
    }
}

}  // namespace
