#include "shell/xscreensaver_list.h"

#include <strings.h>

#include <cstddef>

namespace {

constexpr std::size_t NONE = std::string::npos;

// One "key: value" entry of the file, which may run over several lines.
struct Entry {
    std::size_t begin;     // its first line
    std::size_t lastLine;  // its last line
    std::size_t end;       // the end of its last line, before the newline
    std::string key;
    std::string value;     // escapes decoded, blanks stripped
};

bool strip_space(char c)
{
    return c == '\t' || c == ' ' || c == '\r' || c == '\n';
}

// isspace in the C locale.
bool c_space(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::string strip(const std::string &s)
{
    std::size_t a = 0, b = s.size();
    while (a < b && strip_space(s[a]))
        a++;
    while (b > a && strip_space(s[b - 1]))
        b--;
    return s.substr(a, b - a);
}

// \n, \r and \t stand for those bytes, any other escaped byte for itself; a
// backslash at the very end ends the text there.
std::string decode(const std::string &s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); i++) {
        if (s[i] != '\\') {
            out += s[i];
            continue;
        }
        if (++i == s.size())
            break;
        out += s[i] == 'n' ? '\n' : s[i] == 'r' ? '\r' : s[i] == 't' ? '\t' : s[i];
    }
    return out;
}

// The entries of the text, as XScreenSaver's reader of ~/.xscreensaver finds
// them: a backslash just before a newline joins the next line (unless that
// line is the entry's first and holds nothing else); comments start with #,
// ! or ;.
std::vector<Entry> read_entries(const std::string &text)
{
    std::vector<Entry> entries;
    std::size_t at = 0;
    while (at < text.size()) {
        Entry entry{at, at, at, "", ""};
        std::string joined;
        for (;;) {
            const std::size_t newline = text.find('\n', at);
            entry.lastLine = at;
            entry.end = newline == NONE ? text.size() : newline;
            const std::string line = text.substr(at, entry.end - at);
            at = newline == NONE ? text.size() : newline + 1;
            const bool joins = newline != NONE && !line.empty() && line.back() == '\\' &&
                               joined.size() + line.size() + 1 > 2;
            joined += joins ? line.substr(0, line.size() - 1) : line;
            if (!joins || at == text.size())
                break;
        }
        const std::string content = strip(decode(joined));
        const std::size_t colon = content.find(':');
        if (content.empty() || content[0] == '#' || content[0] == '!' || content[0] == ';' || colon == NONE)
            continue;
        entry.key = content.substr(0, colon);
        entry.value = strip(content.substr(colon + 1));
        entries.push_back(entry);
    }
    return entries;
}

// The last entry named `key` (later ones take the place of earlier ones);
// nullptr when there is none.
const Entry *find_entry(const std::vector<Entry> &entries, const std::string &key)
{
    const Entry *found = nullptr;
    for (const Entry &entry : entries)
        if (strcasecmp(entry.key.c_str(), key.c_str()) == 0)
            found = &entry;
    return found;
}

// One line of the list: "-" when switched off, "visual:", "pretty name", then
// the command, of which the first word, less its folder, names the program.
ListedSaver read_saver(const std::string &line)
{
    std::size_t i = 0;
    const auto skip_space = [&] {
        while (i < line.size() && c_space(line[i]))
            i++;
    };
    skip_space();
    std::size_t last = line.size();
    while (last > i && c_space(line[last - 1]))
        last--;
    ListedSaver saver{true, "", line.substr(i, last - i)};
    if (i < line.size() && line[i] == '-') {
        saver.enabled = false;
        i++;
        skip_space();
    }
    const std::size_t start = i;
    while (i < line.size() && line[i] != ':' && line[i] != '"' && !c_space(line[i]))
        i++;
    if (i < line.size() && line[i] == ':') {
        i++;
        skip_space();
    } else {
        i = start;
    }
    if (i < line.size() && line[i] == '"') {
        const std::size_t close = line.find('"', i + 1);
        i = close == NONE ? line.size() : close + 1;
        skip_space();
    }
    std::size_t end = i;
    while (end < line.size() && !c_space(line[end]))
        end++;
    const std::string word = line.substr(i, end - i);
    const std::size_t slash = word.rfind('/');
    saver.program = slash == NONE ? word : word.substr(slash + 1);
    return saver;
}

// The value's lines, each one saver; leading blanks and empty lines are
// passed over, but not at the very end.
std::vector<ListedSaver> read_savers(const std::string &value)
{
    std::vector<ListedSaver> list;
    std::size_t start = 0;
    while (start < value.size()) {
        while (start < value.size() && (value[start] == ' ' || value[start] == '\t' || value[start] == '\n'))
            start++;
        std::size_t end = value.find('\n', start);
        if (end == NONE)
            end = value.size();
        list.push_back(read_saver(value.substr(start, end - start)));
        start = end + 1;
    }
    return list;
}

bool same_list(const std::vector<ListedSaver> &a, const std::vector<ListedSaver> &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); i++)
        if (a[i].enabled != b[i].enabled || a[i].program != b[i].program || a[i].line != b[i].line)
            return false;
    return true;
}

// `defaults`' list entry, its lines as they are, named as ~/.xscreensaver
// names it; empty when there is none.
std::string copied_list_entry(const std::string &defaults)
{
    const std::vector<Entry> entries = read_entries(defaults);
    const Entry *entry = find_entry(entries, "*programs");
    if (!entry)
        return "";
    const std::string lines = defaults.substr(entry->begin, entry->end - entry->begin);
    const std::size_t colon = lines.find(':');
    return colon == NONE ? "" : "programs" + lines.substr(colon);
}

}  // namespace

bool read_saver_list(const std::string &text, const std::string &key, std::vector<ListedSaver> &list)
{
    const std::vector<Entry> entries = read_entries(text);
    const Entry *entry = find_entry(entries, key);
    list = entry ? read_savers(entry->value) : std::vector<ListedSaver>{};
    return entry != nullptr;
}

SaverListChange add_to_saver_list(const std::string &file, const std::string &defaults, const std::string &program,
                                  const std::string &command)
{
    SaverListChange change{SaverListChange::not_possible, file};
    std::string text = file;
    std::vector<ListedSaver> before;
    if (!read_saver_list(text, "programs", before)) {
        std::vector<ListedSaver> shown;
        read_saver_list(defaults, "*programs", shown);
        const std::string copied = copied_list_entry(defaults);
        text += text.empty() || text.back() == '\n' ? "" : "\n";
        text += (copied.empty() ? "programs:" : copied) + "\n";
        if (!read_saver_list(text, "programs", before) || !same_list(before, shown))
            return change;
        change.defaultsCopied = static_cast<int>(before.size());
    }
    for (std::size_t i = 0; i < before.size(); i++) {
        if (before[i].program == program && (change.entry == 0 || before[i].enabled)) {
            change.entry = static_cast<int>(i) + 1;
            change.outcome = before[i].enabled ? SaverListChange::listed : SaverListChange::listed_off;
        }
    }
    if (change.entry != 0)
        return change;

    // The clock goes at the end of the list, so that every saver keeps its
    // number. Where depends on how the list's last line ends: each way is
    // tried and kept only if the list then reads as before plus the clock.
    const std::vector<Entry> entries = read_entries(text);
    const Entry &list = *find_entry(entries, "programs");
    const std::string lastLine = text.substr(list.lastLine, list.end - list.lastLine);
    const std::size_t lineEnd = list.end - (!lastLine.empty() && lastLine.back() == '\r' ? 1 : 0);
    const struct {
        std::size_t at;
        std::string insert;
    } ways[] = {
        {list.lastLine, "\t\t\t\t" + command + " \\n\\\n"},  // before a blank last line, as XScreenSaver writes it
        {lineEnd, "\\\n\t\t\t\t" + command + " \\n"},       // after a last line that ends in \n
        {lineEnd, " \\n\\\n\t\t\t\t" + command},           // after any other last line
    };
    std::vector<ListedSaver> wanted = before;
    wanted.push_back({true, program, command});
    for (const auto &way : ways) {
        std::string candidate = text;
        candidate.insert(way.at, way.insert);
        std::vector<ListedSaver> after;
        if (read_saver_list(candidate, "programs", after) && same_list(after, wanted)) {
            change.outcome = SaverListChange::added;
            change.text = candidate;
            change.entry = static_cast<int>(wanted.size());
            return change;
        }
    }
    return change;
}
