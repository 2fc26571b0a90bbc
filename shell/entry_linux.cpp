// Linux entry. The host starts the program as "veltrane /s", "veltrane /p N"
// or "veltrane /c"; N is an X window id in decimal. There is no instance
// handle (the embedded pictures are reached directly), no active window to
// ask for (none is 0), and no system-wide "saver running" flag.
#include "display/full_screen_clock.h"
#include "shell/entry.h"
#include "shell/preview_window.h"
#include "shell/settings_dialog.h"

int run_mode(const CommandLine &commandLine)
{
    const int32_t parent = commandLine.useActiveWindow ? 0 : commandLine.parentWindow;
    switch (commandLine.mode) {
    case RUN_SAVER: return run_saver();
    case RUN_PREVIEW: return run_preview(parent);
    case RUN_SETTINGS: break;
    }
    return run_settings_dialog(parent);
}

int main(int argc, char **argv)
{
    const std::string text = argument_text(argc, argv);
    return run_mode(parse_command_line(text.c_str()));
}
