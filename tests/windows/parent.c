/* A Windows parent for the program under Wine. It sees the whole exit code,
 * which a Unix parent of Wine only sees cut to its low 8 bits (40011 would
 * read as 75), and it can stand in for a host's preview area.
 *
 *   parent.exe PROGRAM ARGS...       runs the program
 *   parent.exe -at X Y PROGRAM ARGS  the same with the pointer put at X, Y first
 *   parent.exe -area W H PROGRAM     runs "PROGRAM /p HWND" inside a W x H
 *                                    window, checks the child that appears
 *                                    there, then destroys the window
 *   parent.exe -move DX DY           tells the clock's window on another
 *                                    monitor that the pointer moved DX, DY
 *                                    from where it stands, in the message the
 *                                    system would send it
 *
 * Prints "child CLASS WxH" (with -area, once the child has stayed a second),
 * "moved to X,Y of the window at L,T" (with -move, once the window has
 * handled it) and "exit CODE"; returns 1 when something failed on the way. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* Serves this thread's messages for `ms` milliseconds. */
static void pump(DWORD ms)
{
    DWORD end = GetTickCount() + ms;
    MSG msg;
    while ((LONG)(end - GetTickCount()) > 0) {
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(10);
    }
}

static HWND make_area(int width, int height)
{
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    wc.lpszClassName = "veltrane_test_host";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "preview area", WS_POPUP | WS_VISIBLE, 10, 10, width,
                           height, NULL, NULL, wc.hInstance, NULL);
}

/* The child the program put in the area, once it has stayed a second: a
 * preview waits for its host. */
static void report_child(HWND area, HANDLE process)
{
    HWND child = NULL;
    for (int i = 0; i < 300 && !child; i++) {
        pump(50);
        child = FindWindowExA(area, NULL, NULL, NULL);
    }
    if (child)
        pump(1000);
    if (!child || !IsWindow(child) || WaitForSingleObject(process, 0) == WAIT_OBJECT_0) {
        printf("no child window, or it ended before its area\n");
        return;
    }
    char cls[64] = "";
    RECT r;
    GetClassNameA(child, cls, sizeof cls);
    GetWindowRect(child, &r);
    printf("child %s %ldx%ld\n", cls, r.right - r.left, r.bottom - r.top);
}

/* The graphics mode keeps the pointer on its own monitor, so the move is
 * told to the window in a message (the position in its client area, which
 * may lie outside it, as for a window that has the mouse captured). */
static int send_move(int dx, int dy)
{
    HWND window = FindWindowA("VeltraneMonitor", NULL);
    POINT at;
    RECT r;
    if (!window || !GetCursorPos(&at) || !GetWindowRect(window, &r)) {
        printf("no window of the clock on another monitor\n");
        return 1;
    }
    const int x = at.x + dx - r.left, y = at.y + dy - r.top;
    DWORD_PTR result;
    if (!SendMessageTimeoutA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 5000, &result)) {
        printf("the window did not answer\n");
        return 1;
    }
    printf("moved to %d,%d of the window at %ld,%ld\n", x, y, r.left, r.top);
    return 0;
}

int main(int argc, char **argv)
{
    if (argc == 4 && strcmp(argv[1], "-move") == 0)
        return send_move(atoi(argv[2]), atoi(argv[3]));
    const int at = argc > 4 && strcmp(argv[1], "-at") == 0;
    if (at)
        SetCursorPos(atoi(argv[2]), atoi(argv[3]));
    const int in_area = argc == 5 && strcmp(argv[1], "-area") == 0;
    const int first = in_area || at ? 4 : 1;
    char command[2048] = "";
    HWND area = NULL;
    if (in_area) {
        if (!(area = make_area(atoi(argv[2]), atoi(argv[3]))))
            return 1;
        snprintf(command, sizeof command, "\"%s\" /p %lld", argv[first], (long long)(INT_PTR)area);
    }
    for (int i = first; !in_area && i < argc; i++) {
        if (strlen(command) + strlen(argv[i]) + 2 >= sizeof command)
            return 1;
        strcat(strcat(command, i > first ? " " : ""), argv[i]);
    }
    STARTUPINFOA si;
    PROCESS_INFORMATION pi;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
        printf("cannot start %s\n", command);
        return 1;
    }
    if (area) {
        report_child(area, pi.hProcess);
        DestroyWindow(area);
    }
    if (WaitForSingleObject(pi.hProcess, area ? 10000 : INFINITE) != WAIT_OBJECT_0) {
        printf("exit timeout\n");
        TerminateProcess(pi.hProcess, 99);
        return 1;
    }
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    printf("exit %lu\n", code);
    fflush(stdout);
    return 0;
}
