#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "shell/command_line.h"

namespace {

constexpr int32_t ACTIVE = -1;  // stands for "the active window" in the table
constexpr int32_t UNUSED = -2;  // saver mode: the parent is not looked at

struct Example {
    const char *text;
    RunMode mode;
    int32_t parent;
};

// Every example of the host's command-line grammar.
const Example EXAMPLES[] = {
    {"/s", RUN_SAVER, UNUSED},
    {"-S", RUN_SAVER, UNUSED},
    {"s", RUN_SAVER, UNUSED},
    {"/p 123", RUN_PREVIEW, 123},
    {"/P:123", RUN_PREVIEW, 123},
    {"/p123", RUN_PREVIEW, ACTIVE},
    {"/p    123", RUN_PREVIEW, 123},
    {"/p 123abc", RUN_PREVIEW, 123},
    {"/c:456", RUN_SETTINGS, 456},
    {"/c 456", RUN_SETTINGS, 456},
    {"/c", RUN_SETTINGS, ACTIVE},
    {"/c:xyz", RUN_SETTINGS, 0},
    {"", RUN_SETTINGS, ACTIVE},
    {"/", RUN_SETTINGS, ACTIVE},
    {"//s", RUN_SETTINGS, ACTIVE},
    {"/a 789", RUN_SETTINGS, 789},
};

TEST(CommandLine, EveryExampleGivesItsModeAndParent)
{
    for (const Example &e : EXAMPLES) {
        SCOPED_TRACE(std::string("argument text \"") + e.text + "\"");
        const CommandLine c = parse_command_line(e.text);
        EXPECT_EQ(c.mode, e.mode);
        if (e.parent == UNUSED)
            continue;
        EXPECT_EQ(c.useActiveWindow, e.parent == ACTIVE);
        if (e.parent != ACTIVE) {
            EXPECT_EQ(c.parentWindow, e.parent);
        }
    }
}

TEST(CommandLine, SaverModeStillReadsANumberGivenWithIt)
{
    const CommandLine c = parse_command_line("/s 42");
    EXPECT_EQ(c.mode, RUN_SAVER);
    EXPECT_FALSE(c.useActiveWindow);
    EXPECT_EQ(c.parentWindow, 42);
    EXPECT_TRUE(parse_command_line("/s").useActiveWindow);
}

TEST(CommandLine, OnlyTheUpperCaseModeLettersFoldOntoModes)
{
    EXPECT_EQ(parse_command_line("S").mode, RUN_SAVER);
    EXPECT_EQ(parse_command_line("/P 1").mode, RUN_PREVIEW);
    EXPECT_EQ(parse_command_line("-C").mode, RUN_SETTINGS);
    // Every byte other than s, p and their upper-case forms opens the
    // settings dialog; in particular no byte of 128 to 255 folds onto a
    // mode letter (as a locale-aware tolower might for some code pages).
    for (int b = 1; b < 256; b++) {
        const char text[] = {'/', static_cast<char>(b), ' ', '7', '\0'};
        const CommandLine c = parse_command_line(text);
        RunMode expected = RUN_SETTINGS;
        if (b == 's' || b == 'S')
            expected = RUN_SAVER;
        if (b == 'p' || b == 'P')
            expected = RUN_PREVIEW;
        EXPECT_EQ(c.mode, expected) << "mode byte " << b;
        EXPECT_EQ(c.parentWindow, 7) << "mode byte " << b;
    }
}

TEST(CommandLine, OnlyOneSwitchByteIsSteppedOver)
{
    for (const char *text : {"--s", "//s", "-/s", "/-p 5", "--p 5"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(parse_command_line(text).mode, RUN_SETTINGS);
    }
    // The second switch byte is the mode character, so a separator straight
    // after it still gives a number.
    const CommandLine c = parse_command_line("-- 12");
    EXPECT_EQ(c.mode, RUN_SETTINGS);
    EXPECT_FALSE(c.useActiveWindow);
    EXPECT_EQ(c.parentWindow, 12);
}

TEST(CommandLine, OnlyABlankOrAColonSeparatesTheNumber)
{
    EXPECT_TRUE(parse_command_line("/p\t123").useActiveWindow);
    EXPECT_TRUE(parse_command_line("/p=123").useActiveWindow);
    EXPECT_TRUE(parse_command_line("/p,123").useActiveWindow);
    // Blanks after the separator are white space as atoi sees it.
    EXPECT_EQ(parse_command_line("/p:\t\n\v\f\r 88").parentWindow, 88);
    // A separator with nothing after it is the number 0, not the active window.
    const CommandLine empty = parse_command_line("/p ");
    EXPECT_FALSE(empty.useActiveWindow);
    EXPECT_EQ(empty.parentWindow, 0);
    // Blanks before the mode letter are not the front of the text.
    EXPECT_EQ(parse_command_line(" /s").mode, RUN_SETTINGS);
}

TEST(CommandLine, NumbersAreReadAsAtoiReadsThem)
{
    EXPECT_EQ(read_window_number("  +17x"), 17);
    EXPECT_EQ(read_window_number("-17"), -17);
    EXPECT_EQ(read_window_number("0012"), 12);
    EXPECT_EQ(read_window_number("+"), 0);
    EXPECT_EQ(read_window_number("- 5"), 0);
    EXPECT_EQ(read_window_number("+-5"), 0);
    EXPECT_EQ(read_window_number("5 6"), 5);
    EXPECT_EQ(read_window_number(""), 0);
    EXPECT_EQ(parse_command_line("/p -3").parentWindow, -3);
}

TEST(CommandLine, NumbersBeyondThirtyTwoBitsAreHeldAtTheLimits)
{
    EXPECT_EQ(read_window_number("2147483647"), INT32_MAX);
    EXPECT_EQ(read_window_number("2147483648"), INT32_MAX);
    EXPECT_EQ(read_window_number("-2147483648"), INT32_MIN);
    EXPECT_EQ(read_window_number("-2147483649"), INT32_MIN);
    EXPECT_EQ(read_window_number("99999999999999999999"), INT32_MAX);
    EXPECT_EQ(read_window_number("-99999999999999999999"), INT32_MIN);
    // Far longer than any 64-bit intermediate could hold.
    EXPECT_EQ(read_window_number(std::string(400, '9').c_str()), INT32_MAX);
    EXPECT_EQ(read_window_number(("-" + std::string(400, '9')).c_str()), INT32_MIN);
    EXPECT_EQ(read_window_number("4294967297"), INT32_MAX);  // 2^32 + 1 does not wrap to 1
    EXPECT_EQ(parse_command_line("/p:99999999999999999999").parentWindow, INT32_MAX);
}

TEST(CommandLine, ArgumentTextJoinsTheArgumentsWithSingleBlanks)
{
    const auto text_of = [](std::vector<const char *> argv) {
        return argument_text(static_cast<int>(argv.size()), argv.data());
    };
    EXPECT_EQ(text_of({"veltrane"}), "");
    EXPECT_EQ(text_of({"veltrane", "/s"}), "/s");
    EXPECT_EQ(text_of({"veltrane", "/p", "123"}), "/p 123");
    EXPECT_EQ(text_of({"veltrane", "/p:123"}), "/p:123");
    // Leading blanks and control bytes are skipped, as the platform's
    // start-up code skips them after the program name.
    EXPECT_EQ(text_of({"veltrane", " \t/c"}), "/c");
    EXPECT_EQ(text_of({"veltrane", "", "/s"}), "/s");
    EXPECT_EQ(text_of({"veltrane", "\x01\x1f\x20/s"}), "/s");
    // Bytes above the blank, 128 to 255 included, are kept.
    EXPECT_EQ(text_of({"veltrane", "\xa0s"}), "\xa0s");
    // Inner blanks are the argument's own.
    EXPECT_EQ(text_of({"veltrane", "/p  7", "x"}), "/p  7 x");
    EXPECT_EQ(parse_command_line(text_of({"veltrane", "/p", "123"}).c_str()).parentWindow, 123);
}

}  // namespace
