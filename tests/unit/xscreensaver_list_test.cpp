// The clock added to XScreenSaver's list in ~/.xscreensaver texts as
// XScreenSaver writes them and as people write them by hand: every other
// byte kept, every saver keeping its number, nothing done twice.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/xscreensaver_list.h"

namespace {

// As XScreenSaver writes the file: the list's lines end in \n and a
// backslash, and a blank line ends it.
const std::string WRITTEN =
    "# XScreenSaver Preferences File\n# Written by xscreensaver-settings 6.06 for me.\n\n"
    "timeout:\t0:10:00\nmode:\t\tone\nselected:\t2\n\n"
    "programs:\t\t\t\t\t\t\t\t      \\\n"
    "\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
    "- GL: \t\t\t\tsuperquadrics --root\t\t\t    \\n\\\n"
    "  \"My pick\"  \t\t\t/opt/bin/qix --root -size 3\t    \\n\\\n"
    "\n\npointerHysteresis:\t10\n";
const std::string ADDED_LINE = "\t\t\t\tveltrane -root \\n\\\n";
// XScreenSaver's own list, in its app-defaults file.
const std::string DEFAULTS = "! comment\n*programs:\t\t\t\t      \\\n\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
                             "- GL: \t\t\t\tsuperquadrics --root\t\t\t    \\n\n\n*hacks.maze.name: Maze\n";

std::vector<std::string> programs(const std::string &text)
{
    std::vector<ListedSaver> list;
    std::vector<std::string> names;
    if (read_saver_list(text, "programs", list))
        for (const ListedSaver &saver : list)
            names.push_back((saver.enabled ? "" : "-") + saver.program);
    return names;
}

TEST(XScreenSaverList, TheClockGoesLastAndEveryOtherByteStays)
{
    const struct {
        const char *what;
        std::string file, defaults;
        SaverListChange::Outcome outcome;
        int entry, copied;
        std::vector<std::string> list;  // afterwards
    } cases[] = {
        {"as XScreenSaver writes it", WRITTEN, DEFAULTS, SaverListChange::added, 4, 0,
         {"maze", "-superquadrics", "qix", "veltrane"}},
        {"already there", WRITTEN + "programs: maze -root \\n veltrane -root\n", "", SaverListChange::listed, 2, 0,
         {"maze", "veltrane"}},
        {"there, with a name, a visual and a folder", "programs: maze\\n GL: \"Clock\" /usr/bin/veltrane --root --style 3\n",
         "", SaverListChange::listed, 2, 0, {"maze", "veltrane"}},
        {"there but switched off", "programs: -\tveltrane -root\\n  \\n-veltrane-x\n", "", SaverListChange::listed_off,
         1, 0, {"-veltrane", "-veltrane-x"}},
        {"no file: XScreenSaver's own list first", "", DEFAULTS, SaverListChange::added, 3, 2,
         {"maze", "-superquadrics", "veltrane"}},
        {"a file without a list, cut short", "mode: one\nselected: 1", DEFAULTS, SaverListChange::added, 3, 2,
         {"maze", "-superquadrics", "veltrane"}},
        {"no list anywhere", "", "*timeout: 1\n", SaverListChange::added, 1, 0, {"veltrane"}},
        {"one line by hand", "programs: maze -root", "", SaverListChange::added, 2, 0, {"maze", "veltrane"}},
        {"a last command that runs over two lines", "programs: maze \\n foo --a \\\n   --b\n", "",
         SaverListChange::added, 3, 0, {"maze", "foo", "veltrane"}},
        {"Windows line ends", "Programs: maze -root\r\nlock: False\r\n", "", SaverListChange::added, 2, 0,
         {"maze", "veltrane"}},
        {"the later of two lists counts", "programs: veltrane\nprograms: maze\n", "", SaverListChange::added, 2, 0,
         {"maze", "veltrane"}},
        {"a comment that runs on over the list", "# note \\\nprograms: veltrane -root\n", DEFAULTS,
         SaverListChange::added, 3, 2, {"maze", "-superquadrics", "veltrane"}},
        {"an empty list", "programs:\nlock: False\n", DEFAULTS, SaverListChange::added, 1, 0, {"veltrane"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const SaverListChange change = add_to_saver_list(c.file, c.defaults, "veltrane", "veltrane -root");
        EXPECT_EQ(change.outcome, c.outcome);
        EXPECT_EQ(change.entry, c.entry);
        EXPECT_EQ(change.defaultsCopied, c.copied);
        EXPECT_EQ(programs(change.outcome == SaverListChange::added ? change.text : c.file), c.list) << change.text;
        if (change.outcome != SaverListChange::added) {
            EXPECT_EQ(change.text, c.file);
            continue;
        }
        // The old text is all there, in one piece before and one after what was added.
        size_t head = 0, tail = 0;
        while (head < c.file.size() && change.text[head] == c.file[head])
            head++;
        while (tail < c.file.size() - head && change.text[change.text.size() - 1 - tail] == c.file[c.file.size() - 1 - tail])
            tail++;
        EXPECT_EQ(head + tail, c.file.size()) << change.text;
        // Adding again changes nothing.
        const SaverListChange again = add_to_saver_list(change.text, c.defaults, "veltrane", "veltrane -root");
        EXPECT_EQ(again.outcome, SaverListChange::listed);
        EXPECT_EQ(again.entry, c.entry);
    }
    // XScreenSaver's own layout, the blank line that ends the list kept.
    const size_t blank = WRITTEN.find("\n\npointerHysteresis") + 1;
    EXPECT_EQ(add_to_saver_list(WRITTEN, "", "veltrane", "veltrane -root").text,
              WRITTEN.substr(0, blank - 1) + ADDED_LINE + WRITTEN.substr(blank - 1));
}

}  // namespace
