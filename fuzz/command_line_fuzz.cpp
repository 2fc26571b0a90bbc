// Any bytes as the argument text, and as the arguments of a process. The
// parser is checked by properties, not by a second parser: the mode hangs on
// the first two bytes alone and not on a letter's case, a number is read as
// the C library reads it, held at the 32-bit limits, and arguments without
// options read as the joined text always has, whatever options are added.
#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/fuzz_require.h"
#include "shell/command_line.h"

namespace {

bool same(const CommandLine &a, const CommandLine &b)
{
    return a.mode == b.mode && a.useActiveWindow == b.useActiveWindow && a.parentWindow == b.parentWindow;
}

void check_text(const std::string &text)
{
    const CommandLine line = parse_command_line(text.c_str());
    FUZZ_REQUIRE(line.mode == RUN_SAVER || line.mode == RUN_PREVIEW || line.mode == RUN_SETTINGS);
    FUZZ_REQUIRE(!line.useActiveWindow || line.parentWindow == 0);

    const size_t letter = !text.empty() && (text[0] == '-' || text[0] == '/') ? 1 : 0;
    FUZZ_REQUIRE(parse_command_line(text.substr(0, letter + 1).c_str()).mode == line.mode);
    if (letter < text.size() && text[letter] >= 'a' && text[letter] <= 'z') {
        std::string upper = text;
        upper[letter] = static_cast<char>(upper[letter] - 'a' + 'A');
        FUZZ_REQUIRE(same(parse_command_line(upper.c_str()), line));
    }
    if (!line.useActiveWindow)
        FUZZ_REQUIRE(line.parentWindow == read_window_number(text.c_str() + letter + 2));
}

void check_number(const std::string &text)
{
    errno = 0;
    const long long expected = std::strtoll(text.c_str(), nullptr, 10);
    const int32_t held = expected > INT32_MAX ? INT32_MAX : expected < INT32_MIN ? INT32_MIN : static_cast<int32_t>(expected);
    FUZZ_REQUIRE(read_window_number(text.c_str()) == held);
}

ProgramArguments parse(std::vector<const char *> argv)
{
    return parse_arguments(static_cast<int>(argv.size()), argv.data(), "0x2a");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // As a C string: the text ends at the first NUL byte.
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    check_text(std::string(bytes.c_str()));
    check_number(bytes.c_str());

    // As a process's arguments: NUL bytes separate them.
    std::vector<std::string> pieces{"veltrane"};
    size_t start = 0;
    bool options = false;
    for (size_t i = 0; i <= size; i++)
        if (i == size || data[i] == 0) {
            pieces.emplace_back(bytes, start, i - start);
            const std::string &piece = pieces.back();
            options = options || piece.compare(0, 2, "--") == 0 || piece.compare(0, 5, "-root") == 0 ||
                      piece.compare(0, 10, "-window-id") == 0;
            start = i + 1;
        }
    std::vector<const char *> argv;
    for (const std::string &piece : pieces)
        argv.push_back(piece.c_str());
    const std::string text = argument_text(static_cast<int>(argv.size()), argv.data());
    FUZZ_REQUIRE(text.empty() || static_cast<unsigned char>(text[0]) > 32);
    check_text(text);

    const ProgramArguments parsed = parse(argv);
    FUZZ_REQUIRE((parsed.action == ACTION_BAD_USAGE) == !parsed.problem.empty());
    if (!options)
        FUZZ_REQUIRE(parsed.action == ACTION_RUN && same(parsed.commandLine, parse_command_line(text.c_str())));
    if (parsed.action == ACTION_RUN) {
        FUZZ_REQUIRE((parsed.commandLine.mode == RUN_HOST) == (parsed.commandLine.hostWindow != 0));
        // An option added at either end changes nothing else.
        argv.push_back("--tick");
        const ProgramArguments more = parse(argv);
        FUZZ_REQUIRE(more.action == ACTION_RUN && same(more.commandLine, parsed.commandLine));
        FUZZ_REQUIRE(more.commandLine.hostWindow == parsed.commandLine.hostWindow);
        FUZZ_REQUIRE(more.overrides.given[3] && more.overrides.value[3] == 1);
        argv.pop_back();
        argv.insert(argv.begin() + 1, "--no-random");
        FUZZ_REQUIRE(same(parse(argv).commandLine, parsed.commandLine));
    }
    return 0;
}
