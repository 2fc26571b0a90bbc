// XScreenSaver's list of savers: the "programs:" entry of ~/.xscreensaver,
// read as XScreenSaver itself reads that file, and the clock added to it
// with every other byte of the file kept. Pure text; no file is touched.
#pragma once

#include <string>
#include <vector>

// One saver of the list.
struct ListedSaver {
    bool enabled;          // false when the entry starts with "-"
    std::string program;   // the command's first word, without its folder
    std::string line;      // the whole entry, without blanks at either end
};

// The list a text of ~/.xscreensaver's format holds, in XScreenSaver's order
// (the one `xscreensaver-command -select N` counts, from 1). `key` is
// "programs" for ~/.xscreensaver, "*programs" for the app-defaults file.
// False when the text has no such entry.
bool read_saver_list(const std::string &text, const std::string &key, std::vector<ListedSaver> &list);

struct SaverListChange {
    enum Outcome {
        added,         // `text` holds the file with the clock added
        listed,        // the clock is already in the list, switched on: nothing to do
        listed_off,    // it is in the list, switched off: nothing done, the user's choice
        not_possible,  // the file's list is laid out so that adding could not be checked
    } outcome;
    std::string text;       // the file's new text when added, else the old one
    int entry = 0;          // the clock's place in the list, 1 first
    int defaultsCopied = 0; // added with XScreenSaver's own list of this many savers first
};

// Adds the entry `command` (whose first word is `program`) at the end of the
// list in `file` (~/.xscreensaver's text, empty when there is none), unless a
// saver of that program is listed already. A file without a list has none of
// its own: XScreenSaver shows its own list, the "*programs:" entry of
// `defaults` (its app-defaults file's text), which is copied in first, so
// that every saver keeps its number (as "selected:" counts them).
SaverListChange add_to_saver_list(const std::string &file, const std::string &defaults, const std::string &program,
                                  const std::string &command);

// The program's --add-to-xscreensaver (Linux): adds "veltrane -root" to the
// list in the user's ~/.xscreensaver (the file a link there leads to),
// creating the file when there is none, and says on stdout what it did, or
// on stderr why it could not; with `messageBox` in a message box too.
// Returns the exit code: 0 when the clock is in the list, 1 when not.
int add_to_xscreensaver(bool messageBox);
