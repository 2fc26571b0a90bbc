// --add-to-xscreensaver: the user's ~/.xscreensaver read, the clock added to
// its list of savers, and the file replaced in one step, as the settings
// file is. XScreenSaver notices the changed file by itself.
#include "shell/xscreensaver_list.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "settings/file_ops.h"
#include "shell/dialog_module_linux.h"

namespace {

constexpr char CLOCK_PROGRAM[] = "veltrane";
constexpr char CLOCK_COMMAND[] = "veltrane -root";
// XScreenSaver's own settings, with the list it shows while the user's
// file has none.
constexpr char XSCREENSAVER_DEFAULTS[] = "/etc/X11/app-defaults/XScreenSaver";
constexpr std::size_t LONGEST_FILE = 1024 * 1024;

// ~/.xscreensaver as XScreenSaver names it: in $HOME, else in the user's
// home folder.
std::string init_file()
{
    std::string home;
    if (const char *variable = std::getenv("HOME"); variable && *variable)
        home = variable;
    else if (const passwd *user = getpwuid(getuid()); user && user->pw_dir)
        home = user->pw_dir;
    if (home.empty())
        return "";
    return home + (home.back() == '/' ? "" : "/") + ".xscreensaver";
}

const char AFTERWARDS[] = " Choose \"Veltrane\" in xscreensaver-settings (close and open it again if it is open); "
                          "a running XScreenSaver reads the file again by itself.";

// Does it; `message` says what was done, or why not. False when the clock is
// not in the list afterwards.
bool add(std::string &message)
{
    const std::string name = init_file();
    if (name.empty()) {
        message = "Could not add the clock to XScreenSaver's list: there is no home folder to find ~/.xscreensaver in.";
        return false;
    }
    const std::string file = file_behind_links(name.c_str());
    std::string old, defaults;
    const FileRead read = read_regular_file(file.c_str(), LONGEST_FILE, old);
    const bool existed = read != FileRead::failed || access(file.c_str(), F_OK) == 0;
    if (existed && read != FileRead::ok) {
        message = "Could not add the clock to XScreenSaver's list: " + read_refusal(read, file, LONGEST_FILE) + ".";
        return false;
    }
    read_regular_file(XSCREENSAVER_DEFAULTS, LONGEST_FILE, defaults);
    const SaverListChange change = add_to_saver_list(old, defaults, CLOCK_PROGRAM, CLOCK_COMMAND);
    const std::string entry = "entry " + std::to_string(change.entry);
    switch (change.outcome) {
    case SaverListChange::listed:
        message = "The clock is already in the list of savers in " + name + ", as " + entry + "; nothing was changed.";
        return true;
    case SaverListChange::listed_off:
        message = "The clock is already in the list of savers in " + name + ", as " + entry +
                  ", but switched off: tick it in xscreensaver-settings. Nothing was changed.";
        return true;
    case SaverListChange::not_possible:
        message = "Could not add the clock to the list of savers in " + name + ": its \"programs:\" entry is laid out "
                  "in a way that could not be added to safely, so nothing was changed. Add a line \"" +
                  CLOCK_COMMAND + "\" to it by hand.";
        return false;
    case SaverListChange::added:
        break;
    }
    if (const std::string why = replace_file_contents(file, change.text, existed); !why.empty()) {
        message = "Could not add the clock to XScreenSaver's list: " + why + ".";
        return false;
    }
    const std::string own = "XScreenSaver's own list of " + std::to_string(change.defaultsCopied) +
                            " savers and \"" + CLOCK_COMMAND + "\" after them, as " + entry;
    if (!existed && change.defaultsCopied == 0)
        message = "Created " + name + " with the list of savers \"" + CLOCK_COMMAND + "\", " + entry +
                  " (XScreenSaver's own list, not found in " + XSCREENSAVER_DEFAULTS + ", follows it).";
    else if (!existed)
        message = "Created " + name + " with " + own + ".";
    else if (change.defaultsCopied > 0)
        message = "Added " + own + ", to " + name + ", which had no list of its own.";
    else
        message = "Added \"" + std::string(CLOCK_COMMAND) + "\" to the list of savers in " + name + ", as " + entry + ".";
    message += AFTERWARDS;
    return true;
}

}  // namespace

int add_to_xscreensaver(bool messageBox)
{
    std::string message;
    const bool added = add(message);
    std::fprintf(added ? stdout : stderr, "%s%s\n", added ? "" : "veltrane: ", message.c_str());
    std::string why;
    if (messageBox && !show_message_box(message, !added, why))
        std::fprintf(stderr, "veltrane: no message box: %s\n", why.c_str());
    return added ? 0 : 1;
}
