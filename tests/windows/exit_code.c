/* Runs a program and prints its whole exit code, which a Unix parent of
 * Wine only sees cut to its low 8 bits (40011 would read as 75).
 *
 *   exit_code.exe COMMAND-LINE...
 *
 * Prints "exit CODE" when the program ends and returns 0; returns 1 when it
 * cannot be started. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

int main(int argc, char **argv)
{
    char command[2048] = "";
    for (int i = 1; i < argc; i++) {
        if (strlen(command) + strlen(argv[i]) + 4 >= sizeof command)
            return 1;
        if (i > 1)
            strcat(command, " ");
        strcat(command, argv[i]);
    }
    STARTUPINFOA si;
    PROCESS_INFORMATION pi;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
        printf("cannot start %s\n", command);
        return 1;
    }
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    printf("exit %lu\n", code);
    fflush(stdout);
    return 0;
}
