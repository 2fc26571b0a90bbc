#include "shell/command_line.h"

#include <cstdint>

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
        result.parentWindow = read_window_number(reinterpret_cast<const char *>(p + 2));
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
