#include "settings/settings_text.h"

#include <strings.h>

#include <algorithm>
#include <vector>

#include "settings/settings_table.h"

namespace {

struct Line {
    size_t start;      // first byte
    size_t end;        // where the text ends: the line break, or a NUL byte before it
    size_t lineBreak;  // where the line break starts (the end of the file when there is none)
    size_t next;       // the start of the following line
};

bool is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

// Lines end at "\r", "\n", "\r\n" or "\n\r", as the library splits them; it
// reads a line no further than a NUL byte.
std::vector<Line> split_lines(const std::string &text)
{
    std::vector<Line> lines;
    size_t i = 0;
    while (i < text.size()) {
        Line line{i, i, i, i};
        while (i < text.size() && text[i] != '\r' && text[i] != '\n')
            i++;
        line.end = static_cast<size_t>(std::find(text.begin() + line.start, text.begin() + i, '\0') - text.begin());
        line.lineBreak = i;
        if (i < text.size()) {
            const char c = text[i++];
            if (i < text.size() && ((c == '\r' && text[i] == '\n') || (c == '\n' && text[i] == '\r')))
                i++;
        }
        line.next = i;
        lines.push_back(line);
    }
    return lines;
}

// A line as the library parses it: a name (a section header when it is in
// brackets) and the value after the blanks and '=' that follow the name.
struct Entry {
    std::string name;  // empty for a blank or comment line
    size_t nameEnd;
    size_t valueStart;
    size_t valueEnd;
};

Entry parse_entry(const std::string &text, const Line &line)
{
    size_t i = line.start;
    while (i < line.end && is_blank(text[i]))
        i++;
    const size_t nameStart = i;
    while (i < line.end && !is_blank(text[i]) && text[i] != '=' && text[i] != '#')
        i++;
    Entry entry{text.substr(nameStart, i - nameStart), i, i, line.end};
    while (entry.valueStart < line.end && (is_blank(text[entry.valueStart]) || text[entry.valueStart] == '='))
        entry.valueStart++;
    while (entry.valueEnd > entry.valueStart && is_blank(text[entry.valueEnd - 1]))
        entry.valueEnd--;
    return entry;
}

bool is_section_header(const std::string &name)
{
    return !name.empty() && name.front() == '[' && name.back() == ']';
}

struct Edit {
    size_t at;
    size_t erase;
    std::string insert;
};

}  // namespace

std::string library_view(const std::string &bytes)
{
    std::string view = bytes;
    for (char &c : view)
        if (static_cast<unsigned char>(c) > 127)
            c = '?';
    return view;
}

std::string with_saved_settings(const std::string &bytes, const SaverSettings &settings)
{
    const std::string view = library_view(bytes);
    const std::vector<Line> lines = split_lines(view);
    // Added lines end as the file's first line does.
    std::string lineBreak = "\n";
    if (!lines.empty() && lines[0].next > lines[0].lineBreak)
        lineBreak = view.substr(lines[0].lineBreak, lines[0].next - lines[0].lineBreak);

    std::vector<Edit> edits;
    bool found[SETTING_COUNT] = {};
    bool inSaver = false, inFirstSaver = false;
    int firstSaver = -1;        // the header line of the first "[saver]"
    int lastOfFirstSaver = -1;  // its last line with text
    for (int k = 0; k < static_cast<int>(lines.size()); k++) {
        const Line &line = lines[k];
        const Entry entry = parse_entry(view, line);
        if (is_section_header(entry.name)) {
            inSaver = strcasecmp(entry.name.c_str(), "[saver]") == 0;
            inFirstSaver = inSaver && firstSaver < 0;
            if (inFirstSaver)
                firstSaver = lastOfFirstSaver = k;
            continue;
        }
        if (!inSaver)
            continue;
        if (inFirstSaver && view.find_first_not_of(" \t\v\f", line.start) < line.end)
            lastOfFirstSaver = k;
        for (int i = 0; i < SETTING_COUNT; i++) {
            if (found[i] || strcasecmp(entry.name.c_str(), SETTING_ROWS[i].key) != 0)
                continue;
            // The library reads the first entry of a key; later ones stay as they are.
            found[i] = true;
            const std::string value = std::to_string(settings.*SETTING_ROWS[i].field);
            edits.push_back({entry.valueStart, entry.valueEnd - entry.valueStart,
                             entry.valueStart == entry.nameEnd ? " = " + value : value});
        }
    }

    std::string missing;
    for (int i = 0; i < SETTING_COUNT; i++)
        if (!found[i])
            missing += std::string(SETTING_ROWS[i].key) + " = " +
                       std::to_string(settings.*SETTING_ROWS[i].field) + lineBreak;
    if (!missing.empty()) {
        const Line *after = firstSaver >= 0 ? &lines[lastOfFirstSaver] : lines.empty() ? nullptr : &lines.back();
        const std::string header = firstSaver >= 0 ? "" : "[saver]" + lineBreak;
        const bool needsBreak = after && after->next == after->lineBreak;
        edits.push_back({after ? after->next : 0, 0, (needsBreak ? lineBreak : "") + header + missing});
    }

    std::stable_sort(edits.begin(), edits.end(), [](const Edit &a, const Edit &b) { return a.at < b.at; });
    std::string text = bytes;
    for (auto edit = edits.rbegin(); edit != edits.rend(); ++edit)
        text.replace(edit->at, edit->erase, edit->insert);
    return text;
}
