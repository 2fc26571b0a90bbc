// Windows entry. The screen-saver host starts the program as "x.scr /s",
// "x.scr /p HWND" or "x.scr /c:HWND"; the C runtime has already cut the
// program's name and the blanks after it from the argument text.
#include "display/full_screen_clock.h"

#include <winalleg.h>

#include <cstdint>

#include "shell/command_line.h"
#include "shell/shell_win32.h"

HINSTANCE app_instance;

namespace {

HWND window_from_number(int32_t number)
{
    return reinterpret_cast<HWND>(static_cast<intptr_t>(number));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR argumentText, int)
{
    app_instance = instance;

    const CommandLine commandLine = parse_command_line(argumentText ? argumentText : "");
    const HWND parent = commandLine.useActiveWindow ? GetActiveWindow()
                                                    : window_from_number(commandLine.parentWindow);
    switch (commandLine.mode) {
    case RUN_SAVER: {
        BOOL wasRunning = FALSE;
        SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, TRUE, &wasRunning, 0);
        const int code = run_saver();
        // Leave the system as it was found: a flag left set keeps some
        // systems from locking or starting the next saver.
        SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, wasRunning, &wasRunning, 0);
        return code;
    }
    case RUN_PREVIEW:
        return run_preview(instance, previousInstance, parent);
    case RUN_SETTINGS:
    case RUN_HOST:  // the argument text never names it here
        break;
    }
    return run_settings_dialog(instance, parent);
}
