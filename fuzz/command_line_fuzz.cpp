// Any bytes as the argument text, and as the arguments of a process. The
// parser is checked by properties, not by a second parser: the mode hangs on
// the first two bytes alone and not on a letter's case, a number is read as
// the C library reads it, held at the 32-bit limits, and arguments without
// options read as the joined text always has, whatever options are added;
// no value outside its range and no window id beyond X's ever gets through.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/fuzz_require.h"
#include "shell/command_line.h"

namespace {

bool same(const CommandLine &a, const CommandLine &b)
{
    return a.mode == b.mode && a.useActiveWindow == b.useActiveWindow && a.parentWindow == b.parentWindow &&
           a.hostWindow == b.hostWindow;
}

void check_text(const std::string &text)
{
    const CommandLine line = parse_command_line(text.c_str());
    FUZZ_REQUIRE(!line.useActiveWindow || line.parentWindow == 0);
    const size_t letter = !text.empty() && (text[0] == '-' || text[0] == '/') ? 1 : 0;
    FUZZ_REQUIRE(parse_command_line(text.substr(0, letter + 1).c_str()).mode == line.mode);
    std::string upper = text;
    if (letter < text.size() && text[letter] >= 'a' && text[letter] <= 'z')
        upper[letter] = static_cast<char>(upper[letter] - 'a' + 'A');
    FUZZ_REQUIRE(same(parse_command_line(upper.c_str()), line));
    FUZZ_REQUIRE(line.useActiveWindow || line.parentWindow == read_window_number(text.c_str() + letter + 2));
}

ProgramArguments parse(const std::vector<const char *> &argv)
{
    return parse_arguments(static_cast<int>(argv.size()), argv.data(), "0x2a");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // As a C string: the text ends at the first NUL byte.
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    check_text(bytes.c_str());
    const long long number = std::strtoll(bytes.c_str(), nullptr, 10);
    FUZZ_REQUIRE(read_window_number(bytes.c_str()) == std::clamp<long long>(number, INT32_MIN, INT32_MAX));

    // As a process's arguments: NUL bytes separate them.
    std::vector<std::string> pieces{"veltrane"};
    for (size_t start = 0; start <= size; start += pieces.back().size() + 1)
        pieces.emplace_back(bytes.c_str() + start);
    const bool options = std::any_of(pieces.begin() + 1, pieces.end(), [](const std::string &p) {
        return p.starts_with("--") || p.starts_with("-root") || p.starts_with("-window-id");
    });
    std::vector<const char *> argv;
    for (const std::string &piece : pieces)
        argv.push_back(piece.c_str());
    const std::string text = argument_text(static_cast<int>(argv.size()), argv.data());
    FUZZ_REQUIRE(text.empty() || static_cast<unsigned char>(text[0]) > 32);
    check_text(text);

    const ProgramArguments parsed = parse(argv);
    FUZZ_REQUIRE((parsed.action == ACTION_BAD_USAGE) == !parsed.problem.empty());
    FUZZ_REQUIRE(options || (parsed.action == ACTION_RUN && same(parsed.commandLine, parse_command_line(text.c_str()))));
    if (parsed.action != ACTION_RUN)
        return 0;
    FUZZ_REQUIRE((parsed.commandLine.mode == RUN_HOST) == (parsed.commandLine.hostWindow != 0));
    FUZZ_REQUIRE(parsed.commandLine.hostWindow <= LARGEST_X_ID);
    for (int i = 0; i < SETTING_COUNT; i++)  // a value outside its range never gets through
        FUZZ_REQUIRE(!parsed.overrides.given[i] || (parsed.overrides.value[i] >= 0 &&
                                                    parsed.overrides.value[i] <= SETTING_ROWS[i].largest));
    // An option added at either end changes nothing else.
    argv.push_back("--tick");
    const ProgramArguments more = parse(argv);
    FUZZ_REQUIRE(more.action == ACTION_RUN && same(more.commandLine, parsed.commandLine));
    FUZZ_REQUIRE(more.overrides.given[3] && more.overrides.value[3] == 1);
    argv.pop_back();
    argv.insert(argv.begin() + 1, "--no-random");
    FUZZ_REQUIRE(same(parse(argv).commandLine, parsed.commandLine));
    return 0;
}
