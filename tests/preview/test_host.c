/* A stand-in for a screen-saver host's preview area.
 *
 *   preview_test_host [--argb] X Y WIDTH HEIGHT [PROGRAM ARGS...]
 *
 * Maps a blue window (blue shows what the preview fails to cover; --argb: a
 * 32-bit visual with alpha, as composited desktops use), prints "window <id>",
 * runs PROGRAM with "{id}" replaced by that id and prints "pid <pid>". On
 * SIGUSR1 or SIGTERM (or after 30 s) it destroys the window, prints "destroyed",
 * then "exit <code> <ms since the destruction>", or "exit timeout" after 5 s. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

static pid_t start_program(char **argv, int argc, Window window)
{
    char **args = calloc(argc + 1, sizeof *args);
    for (int i = 0; i < argc; i++) {
        const char *mark = strstr(argv[i], "{id}");
        if (!mark || asprintf(&args[i], "%.*s%lu%s", (int)(mark - argv[i]), argv[i], window, mark + 4) < 0)
            args[i] = argv[i];
    }
    pid_t pid = fork();
    if (pid == 0) {
        execv(args[0], args);
        perror("exec");
        _exit(127);
    }
    free(args);
    return pid;
}

/* Waits up to 5 s; prints the exit code and how long after `since` it came. */
static int report_exit(pid_t pid, double since)
{
    int status = 0;
    while (now_ms() - since < 5000) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            printf(WIFEXITED(status) ? "exit %d %.2f\n" : "exit signal-%d %.2f\n",
                   WIFEXITED(status) ? WEXITSTATUS(status) : WTERMSIG(status), now_ms() - since);
            return 0;
        }
        usleep(200);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    printf("exit timeout\n");
    return 1;
}

int main(int argc, char **argv)
{
    int argb = argc > 1 && strcmp(argv[1], "--argb") == 0;
    argv += argb;
    argc -= argb;
    if (argc < 5) {
        fprintf(stderr, "usage: %s [--argb] X Y WIDTH HEIGHT [PROGRAM ARGS...]\n", argv[0]);
        return 2;
    }
    setvbuf(stdout, NULL, _IOLBF, 0);
    Display *display = XOpenDisplay(NULL);
    if (!display)
        return fprintf(stderr, "cannot open display\n"), 2;
    int screen = DefaultScreen(display);
    XSetWindowAttributes attributes = {.background_pixel = 0x0000FF, .override_redirect = True};
    unsigned long mask = CWBackPixel | CWOverrideRedirect;
    int depth = CopyFromParent;
    Visual *visual = CopyFromParent;
    XVisualInfo info;
    if (argb) {
        if (!XMatchVisualInfo(display, screen, 32, TrueColor, &info)) {
            fprintf(stderr, "no 32-bit visual\n");
            return 2;
        }
        depth = 32;
        visual = info.visual;
        attributes.background_pixel = 0xFF0000FF;
        attributes.colormap = XCreateColormap(display, RootWindow(display, screen), visual, AllocNone);
        mask |= CWBorderPixel | CWColormap;
    }
    Window window = XCreateWindow(display, RootWindow(display, screen), atoi(argv[1]), atoi(argv[2]),
                                  atoi(argv[3]), atoi(argv[4]), 0, depth, InputOutput, visual, mask,
                                  &attributes);
    XMapWindow(display, window);
    XSync(display, False);
    printf("window %lu\n", window);

    sigset_t wanted;
    sigemptyset(&wanted);
    sigaddset(&wanted, SIGUSR1);
    sigaddset(&wanted, SIGTERM);
    sigprocmask(SIG_BLOCK, &wanted, NULL);
    pid_t pid = argc > 5 ? start_program(argv + 5, argc - 5, window) : 0;
    if (pid)
        printf("pid %d\n", (int)pid);
    struct timespec limit = {30, 0};
    sigtimedwait(&wanted, NULL, &limit);

    XDestroyWindow(display, window);
    XSync(display, False);
    double destroyed = now_ms();
    printf("destroyed\n");
    int result = pid ? report_exit(pid, destroyed) : 0;
    XCloseDisplay(display);
    return result;
}
