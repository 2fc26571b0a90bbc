// Linux entry. A host starts the program as "veltrane /s", "veltrane /p N"
// or "veltrane /c" (N an X window id in decimal), or, as the X screen-saver
// hosts do, with -root or -window-id N; options may override the settings
// for the run; --add-to-xscreensaver puts the clock in XScreenSaver's list.
// There is no instance handle (the embedded pictures are reached directly),
// no active window to ask for (none is 0), and no system-wide "saver
// running" flag.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "display/full_screen_clock.h"
#include "display/host_clock.h"
#include "display/saver_platform.h"
#include "shell/entry.h"
#include "shell/preview_logic.h"
#include "shell/preview_window.h"
#include "shell/settings_dialog.h"
#include "shell/xscreensaver_list.h"

namespace {

// A program started with its standard streams closed would hand their
// numbers to the first files it opens, and a message meant for stderr would
// land in one of them.
void open_missing_standard_streams()
{
    for (int fd = 0; fd <= 2; fd++)
        if (fcntl(fd, F_GETFD) == -1) {
            const int opened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
            if (opened >= 0 && opened != fd) {
                dup2(opened, fd);
                close(opened);
            }
        }
}

}  // namespace

int run_mode(const CommandLine &commandLine)
{
    const int32_t parent = commandLine.useActiveWindow ? 0 : commandLine.parentWindow;
    switch (commandLine.mode) {
    case RUN_SAVER: return run_saver();
    case RUN_HOST: return run_host(commandLine.hostWindow);
    case RUN_PREVIEW:
        // A number that could not be read is told as such; the runner would
        // only see its 0.
        if (const std::string problem = preview_parent_problem(parent, commandLine.parentText); !problem.empty()) {
            std::fprintf(stderr, "veltrane: %s\n", problem.c_str());
            return PREVIEW_NO_PARENT;
        }
        break;
    case RUN_SETTINGS: break;
    }
    // The preview and the dialog end on these signals as any program does.
    saver_release_signals();
    return commandLine.mode == RUN_PREVIEW ? run_preview(parent) : run_settings_dialog(parent);
}

int main(int argc, char **argv)
{
    // Held back until a run of the clock has its handler in place: a host
    // may signal the moment it has started us, and the clock then ends
    // cleanly, never halfway through setting itself up.
    saver_hold_signals();
    open_missing_standard_streams();
    const ProgramArguments arguments = parse_arguments(argc, argv, std::getenv("XSCREENSAVER_WINDOW"));
    switch (arguments.action) {
    case ACTION_HELP:
        std::fputs(usage_text().c_str(), stdout);
        return 0;
    case ACTION_VERSION:
        std::printf("veltrane %s\n", VELTRANE_VERSION);
        return 0;
    case ACTION_ADD_TO_XSCREENSAVER:
        return add_to_xscreensaver(arguments.messageBox);
    case ACTION_BAD_USAGE:
        std::fprintf(stderr, "veltrane: %s\n\n%s", arguments.problem.c_str(), usage_text().c_str());
        return 2;
    case ACTION_RUN:
        break;
    }
    // Only a run of the clock takes the overrides: the dialog shows and
    // saves what is stored.
    const RunMode mode = arguments.commandLine.mode;
    if (mode == RUN_SAVER || mode == RUN_HOST)
        settings_overrides = arguments.overrides;
    return run_mode(arguments.commandLine);
}
