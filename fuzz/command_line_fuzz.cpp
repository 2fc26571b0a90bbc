// Any bytes as the argument text, and as the arguments of a process: the
// parser must pick one of the three modes, read the window number as a
// saturating atoi would, and never step outside the text.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/fuzz_require.h"
#include "shell/command_line.h"

namespace {

// A second, plainly written reading of a window number: blanks, a sign,
// digits, the value held at the int32_t limits.
int32_t reference_number(const char *p)
{
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        p++;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    long long value = 0;
    bool huge = false;
    for (; *p >= '0' && *p <= '9'; p++) {
        if (value > 1000000000000LL)
            huge = true;
        else
            value = value * 10 + (*p - '0');
    }
    if (negative)
        return huge || -value < INT32_MIN ? INT32_MIN : static_cast<int32_t>(-value);
    return huge || value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
}

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

void check_text(const std::string &text)
{
    const CommandLine line = parse_command_line(text.c_str());
    FUZZ_REQUIRE(line.mode == RUN_SAVER || line.mode == RUN_PREVIEW || line.mode == RUN_SETTINGS);

    size_t at = 0;
    if (!text.empty() && (text[0] == '-' || text[0] == '/'))
        at = 1;
    const char letter = at < text.size() ? lower(text[at]) : '\0';
    const RunMode expected = letter == 's' ? RUN_SAVER : letter == 'p' ? RUN_PREVIEW : RUN_SETTINGS;
    FUZZ_REQUIRE(line.mode == expected);

    const bool numbered = at < text.size() && at + 1 < text.size() &&
                          (text[at + 1] == ' ' || text[at + 1] == ':');
    FUZZ_REQUIRE(line.useActiveWindow == !numbered);
    if (numbered)
        FUZZ_REQUIRE(line.parentWindow == reference_number(text.c_str() + at + 2));
    else
        FUZZ_REQUIRE(line.parentWindow == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // As a C string: the text ends at the first NUL byte.
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    check_text(std::string(bytes.c_str()));
    FUZZ_REQUIRE(read_window_number(bytes.c_str()) == reference_number(bytes.c_str()));

    // As a process's arguments: NUL bytes separate them.
    std::vector<std::string> pieces{"veltrane"};
    size_t start = 0;
    for (size_t i = 0; i <= size; i++)
        if (i == size || data[i] == 0) {
            pieces.emplace_back(bytes, start, i - start);
            start = i + 1;
        }
    std::vector<const char *> argv;
    for (const std::string &piece : pieces)
        argv.push_back(piece.c_str());
    argv.push_back(nullptr);
    const std::string text = argument_text(static_cast<int>(pieces.size()), argv.data());
    FUZZ_REQUIRE(text.empty() || static_cast<unsigned char>(text[0]) > 32 || text[0] == '\0');
    check_text(text);
    return 0;
}
