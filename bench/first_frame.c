/* How long a program takes from exec to its first picture on the screen.
 *
 *   first_frame X Y COMMAND [ARGS...]
 *
 * Reads pixel (X, Y) of the root window, starts COMMAND, and reads the pixel
 * again every half millisecond until it changes; prints the milliseconds
 * from the fork to the change, then ends COMMAND with SIGTERM. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

static unsigned long pixel(Display *display, int x, int y)
{
    XImage *image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
    const unsigned long p = image ? XGetPixel(image, 0, 0) : 0;
    if (image)
        XDestroyImage(image);
    return p;
}

int main(int argc, char **argv)
{
    Display *display = XOpenDisplay(NULL);
    if (!display || argc < 4)
        return fprintf(stderr, "usage: first_frame X Y COMMAND [ARGS...]\n"), 2;
    const int x = atoi(argv[1]), y = atoi(argv[2]);
    const unsigned long before = pixel(display, x, y);
    const double start = now_ms();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    double seen = -1;
    while (now_ms() - start < 10000) {
        if (pixel(display, x, y) != before) {
            seen = now_ms() - start;
            break;
        }
        struct timespec pause = {0, 500000};
        nanosleep(&pause, NULL);
    }
    kill(pid, SIGTERM);
    waitpid(pid, NULL, 0);
    if (seen < 0)
        return fprintf(stderr, "no change within 10 s\n"), 1;
    printf("%.1f\n", seen);
    return 0;
}
