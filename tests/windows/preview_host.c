/* A stand-in for the screen-saver host's preview area: opens a window,
 * starts "PROGRAM /p HWND" inside it, checks the child that appears there,
 * then destroys the window and reports how the program ended.
 *
 *   preview_host.exe PROGRAM WIDTH HEIGHT
 *
 * Prints "child CLASS WxH", "exit CODE" (or "exit timeout") and returns 0
 * only when a child of class "sspreview" covered the whole area and the
 * program ended with 0 once the area was gone. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static LRESULT CALLBACK host_proc(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    return DefWindowProcA(w, m, wp, lp);
}

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

int main(int argc, char **argv)
{
    if (argc != 4) {
        fprintf(stderr, "usage: %s PROGRAM WIDTH HEIGHT\n", argv[0]);
        return 2;
    }
    int width = atoi(argv[2]), height = atoi(argv[3]);

    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = host_proc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    wc.lpszClassName = "veltrane_test_host";
    RegisterClassA(&wc);
    HWND area = CreateWindowExA(0, "veltrane_test_host", "preview area", WS_POPUP | WS_VISIBLE,
                                10, 10, width, height, NULL, NULL, wc.hInstance, NULL);
    if (!area) {
        printf("no host window\n");
        return 1;
    }

    char command[1024];
    snprintf(command, sizeof command, "\"%s\" /p %lld", argv[1], (long long)(INT_PTR)area);
    STARTUPINFOA si;
    PROCESS_INFORMATION pi;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
        printf("cannot start %s\n", command);
        return 1;
    }

    /* Wait for the child window, serving our messages meanwhile. */
    HWND child = NULL;
    for (int i = 0; i < 300 && !child; i++) {
        pump(50);
        child = FindWindowExA(area, NULL, NULL, NULL);
    }
    int ok = 1;
    if (child) {
        char cls[64] = "";
        RECT r;
        GetClassNameA(child, cls, sizeof cls);
        GetWindowRect(child, &r);
        printf("child %s %ldx%ld\n", cls, r.right - r.left, r.bottom - r.top);
        ok = strcmp(cls, "sspreview") == 0 && r.right - r.left == width && r.bottom - r.top == height;
        /* Still there a little later: it waits for the host. */
        pump(1000);
        if (!IsWindow(child) || WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) {
            printf("the preview ended before its area\n");
            ok = 0;
        }
    } else {
        printf("no child window\n");
        ok = 0;
    }

    DestroyWindow(area);
    DWORD code = 0;
    if (WaitForSingleObject(pi.hProcess, 10000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(pi.hProcess, &code);
        printf("exit %lu\n", code);
        ok = ok && code == 0;
    } else {
        printf("exit timeout\n");
        TerminateProcess(pi.hProcess, 99);
        ok = 0;
    }
    fflush(stdout);
    return ok ? 0 : 1;
}
