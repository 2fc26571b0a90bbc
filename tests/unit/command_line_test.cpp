#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/settings_table.h"
#include "shell/command_line.h"

namespace {

constexpr int32_t ACTIVE = -1;  // stands for "the active window"
constexpr int32_t UNUSED = -2;  // the parent is not looked at

// The host's grammar: every example of its table, then the edges.
const struct {
    const char *text;
    RunMode mode;
    int32_t parent;
} TEXTS[] = {
    {"/s", RUN_SAVER, UNUSED}, {"-S", RUN_SAVER, UNUSED}, {"s", RUN_SAVER, UNUSED},
    {"/p 123", RUN_PREVIEW, 123}, {"/P:123", RUN_PREVIEW, 123}, {"/p123", RUN_PREVIEW, ACTIVE},
    {"/p    123", RUN_PREVIEW, 123}, {"/p 123abc", RUN_PREVIEW, 123}, {"/c:456", RUN_SETTINGS, 456},
    {"/c 456", RUN_SETTINGS, 456}, {"/c", RUN_SETTINGS, ACTIVE}, {"/c:xyz", RUN_SETTINGS, 0},
    {"", RUN_SETTINGS, ACTIVE}, {"/", RUN_SETTINGS, ACTIVE}, {"//s", RUN_SETTINGS, ACTIVE},
    {"/a 789", RUN_SETTINGS, 789}, {"/s 42", RUN_SAVER, 42}, {"-C", RUN_SETTINGS, ACTIVE},
    {"--s", RUN_SETTINGS, ACTIVE}, {"-/s", RUN_SETTINGS, ACTIVE}, {"/-p 5", RUN_SETTINGS, ACTIVE},
    {"-- 12", RUN_SETTINGS, 12}, {"/p\t123", RUN_PREVIEW, ACTIVE}, {"/p=123", RUN_PREVIEW, ACTIVE},
    {"/p:\t\n\v\f\r 88", RUN_PREVIEW, 88}, {"/p ", RUN_PREVIEW, 0}, {" /s", RUN_SETTINGS, ACTIVE},
    {"/p -3", RUN_PREVIEW, -3}, {"/p +0012x", RUN_PREVIEW, 12}, {"/p:+-5", RUN_PREVIEW, 0},
    {"/p:2147483647", RUN_PREVIEW, INT32_MAX}, {"/p:2147483648", RUN_PREVIEW, INT32_MAX},
    {"/p -2147483649", RUN_PREVIEW, INT32_MIN}, {"/p:4294967297", RUN_PREVIEW, INT32_MAX},
    {"/p:99999999999999999999", RUN_PREVIEW, INT32_MAX},
};

TEST(CommandLine, ArgumentTextGivesItsModeAndParent)
{
    for (const auto &e : TEXTS) {
        SCOPED_TRACE(std::string("argument text \"") + e.text + "\"");
        const CommandLine c = parse_command_line(e.text);
        EXPECT_EQ(c.mode, e.mode);
        EXPECT_EQ(e.parent == UNUSED ? UNUSED : c.useActiveWindow ? ACTIVE : c.parentWindow, e.parent);
    }
    // No byte but s, p and their upper-case forms names a mode; no byte of
    // 128 to 255 folds onto one (as a locale-aware tolower might).
    for (int b = 1; b < 256; b++) {
        const char text[] = {'/', static_cast<char>(b), ':', '7', '\0'};
        const CommandLine c = parse_command_line(text);
        EXPECT_EQ(c.mode, (b | 0x20) == 's' ? RUN_SAVER : (b | 0x20) == 'p' ? RUN_PREVIEW : RUN_SETTINGS) << b;
        EXPECT_EQ(c.parentWindow, 7) << b;
    }
    const std::pair<std::vector<const char *>, std::string> joined[] = {
        {{"v"}, ""}, {{"v", "/p", "123"}, "/p 123"}, {{"v", " \t/c"}, "/c"}, {{"v", "", "/s"}, "/s"},
        {{"v", "\x01\x1f\x20/s"}, "/s"}, {{"v", "\xa0s"}, "\xa0s"}, {{"v", "/p  7", "x"}, "/p  7 x"},
    };
    for (const auto &[argv, text] : joined)
        EXPECT_EQ(argument_text(static_cast<int>(argv.size()), argv.data()), text);
}

ProgramArguments parse(std::vector<const char *> args, const char *screensaverWindow = nullptr)
{
    args.insert(args.begin(), "veltrane");
    return parse_arguments(static_cast<int>(args.size()), args.data(), screensaverWindow);
}

TEST(CommandLine, OptionsComeInAnyOrderBesideTheModeAndSayWhatIsWrong)
{
    const struct {
        std::vector<const char *> args;
        const char *screensaverWindow;
        RunMode mode;
        unsigned long window;  // the host's window, or the parent
        std::vector<std::pair<const char *, int32_t>> overrides;  // flag, value
    } runs[] = {
        {{"--style", "3", "/s"}, nullptr, RUN_SAVER, 0, {{"style", 3}}},
        {{"/s", "--style=9", "--resolution", "+4"}, nullptr, RUN_SAVER, 0, {{"style", 9}, {"resolution", 4}}},
        {{"--style=0", "--resolution=0"}, nullptr, RUN_SETTINGS, 0, {{"style", 0}, {"resolution", 0}}},
        {{"-root", "--tick"}, nullptr, RUN_HOST, 0, {{"tick", 1}}},
        {{"--root"}, "0x600008", RUN_HOST, 0x600008, {}},
        {{"-root", "/s"}, "6291464", RUN_HOST, 6291464, {}},
        {{"-window-id", "0x1f", "--no-chime-45"}, "0x5", RUN_HOST, 31, {{"chime-45", 0}}},
        {{"--window-id=42", "-root"}, "0x5", RUN_HOST, 42, {}},
        {{"-window-id=0X2A"}, nullptr, RUN_HOST, 42, {}},
        {{"--window-id", "536870911"}, nullptr, RUN_HOST, 0x1fffffff, {}},
        {{"--no-second-hand", "--second-hand", "--random", "--chime-hour", "--no-chime-15", "--chime-30"}, nullptr,
         RUN_SETTINGS, 0, {{"second-hand", 1}, {"random", 1}, {"chime-hour", 1}, {"chime-15", 0}, {"chime-30", 1}}},
        {{"/p", "123", "--no-random"}, nullptr, RUN_PREVIEW, 123, {{"random", 0}}},
        {{"-r"}, "0x5", RUN_SETTINGS, 0, {}}, {{"-w", "5"}, nullptr, RUN_SETTINGS, 5, {}},
        {{"--"}, nullptr, RUN_SETTINGS, 0, {}},
    };
    for (const auto &c : runs) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const ProgramArguments a = parse(c.args, c.screensaverWindow);
        EXPECT_EQ(a.action, ACTION_RUN) << a.problem;
        EXPECT_EQ(a.commandLine.mode, c.mode);
        EXPECT_EQ(c.mode == RUN_HOST ? a.commandLine.hostWindow : a.commandLine.parentWindow, c.window);
        for (int i = 0; i < SETTING_COUNT; i++) {
            int32_t expected = -9;
            for (const auto &[flag, value] : c.overrides)
                expected = flag == std::string(SETTING_ROWS[i].flag) ? value : expected;
            EXPECT_EQ(a.overrides.given[i] ? a.overrides.value[i] : -9, expected) << SETTING_ROWS[i].flag;
        }
    }
    const std::pair<std::vector<const char *>, ProgramAction> actions[] = {
        {{"--help", "--bogus"}, ACTION_HELP}, {{"/s", "--version"}, ACTION_VERSION},
        {{"--add-to-xscreensaver", "/s"}, ACTION_ADD_TO_XSCREENSAVER},
        {{"--message-box", "--add-to-xscreensaver"}, ACTION_ADD_TO_XSCREENSAVER},
        {{"--add-to-xscreensaver", "--message-box", "--help"}, ACTION_HELP},
    };
    for (const auto &[args, action] : actions) {
        const ProgramArguments a = parse(args);
        EXPECT_EQ(a.action, action) << testing::PrintToString(args);
        const bool box = std::find(args.begin(), args.end(), std::string("--message-box")) != args.end();
        EXPECT_EQ(a.messageBox, box) << testing::PrintToString(args);
    }
    // Each refusal names the option and what it takes.
    const std::pair<std::vector<const char *>, const char *> refused[] = {
        {{"--bogus", "--help"}, "'--bogus'"}, {{"--s"}, "'--s'"}, {{"--style"}, "needs a value"},
        {{"--style", "3x"}, "'--style' takes a whole number from 0 to 9, not '3x'"}, {{"--style", ""}, "0 to 9"},
        {{"--style", " 3"}, "0 to 9"}, {{"--style", "10"}, "0 to 9, not '10'"}, {{"--style=-1"}, "0 to 9, not '-1'"},
        {{"--resolution", "5"}, "'--resolution' takes a whole number from 0 to 4, not '5'"},
        {{"--resolution=2147483648"}, "0 to 4"}, {{"--tick=1"}, "takes no value"}, {{"--no-style", "1"}, "'--no-style'"},
        {{"--window-id", "0"}, "'--window-id' takes an X window id"}, {{"--window-id", "-5"}, "not '-5'"},
        {{"--window-id", "0x"}, "X window id"}, {{"--window-id", "99999999999999999999999"}, "X window id"},
        {{"--window-id", "4294967296"}, "to 0x1fffffff, not '4294967296'"},
        {{"-window-id", "0x100000000"}, "'-window-id' takes"}, {{"-window-id=536870912"}, "0x1fffffff"},
        {{"--message-box"}, "goes with --add-to-xscreensaver"}, {{"--add-to-xscreensaver", "--bogus"}, "'--bogus'"},
    };
    for (const auto &[args, says] : refused) {
        const ProgramArguments a = parse(args);
        EXPECT_EQ(a.action, ACTION_BAD_USAGE) << testing::PrintToString(args);
        EXPECT_NE(a.problem.find(says), std::string::npos) << a.problem;
    }
    for (const char *variable : {"window", "0x100000000", "0"})
        EXPECT_EQ(parse({"-root"}, variable).action, ACTION_BAD_USAGE) << variable;
}

TEST(CommandLine, EverySettingHasItsOptionsAndItsLineInTheHelp)
{
    const std::string usage = usage_text();
    for (int i = 0; i < SETTING_COUNT; i++) {
        const SettingRow &row = SETTING_ROWS[i];
        const std::string on = std::string("--") + row.flag, off = std::string("--no-") + row.flag;
        const ProgramArguments a = row.isSwitch ? parse({off.c_str(), on.c_str()}) : parse({on.c_str(), "1"});
        EXPECT_TRUE(a.overrides.given[i] && a.overrides.value[i] == 1) << on;
        EXPECT_TRUE(!row.isSwitch || parse({on.c_str(), off.c_str()}).overrides.value[i] == 0) << off;
        EXPECT_NE(usage.find(row.isSwitch ? "--[no-]" + std::string(row.flag) : on + " N"), std::string::npos) << on;
    }
}

}  // namespace
