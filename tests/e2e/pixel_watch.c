/* Reads pixels of a window straight from the X server, as screenshots cannot.
 *
 *   pixel_watch get WINDOW X Y
 *       prints the pixel's raw value in hex, alpha bits included
 *   pixel_watch rgb X Y [WIDTH HEIGHT]
 *       prints the root window's pixel as R,G,B (a 24-bit true-colour screen),
 *       or the distinct colours of the rectangle, one a line
 *   pixel_watch changes X Y WIDTH HEIGHT SECONDS
 *       watches that rectangle of the root window for SECONDS and prints,
 *       for each change, how many ms into its second (wall clock) it was seen
 *   pixel_watch grabs
 *       tries to grab the keyboard and the pointer, prints the two results
 *       (0 taken, 1 another client holds it) */
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static double wall_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

int main(int argc, char **argv)
{
    Display *display = XOpenDisplay(NULL);
    if (display && argc == 2 && strcmp(argv[1], "grabs") == 0) {
        const Window root = DefaultRootWindow(display);
        printf("%d %d\n", XGrabKeyboard(display, root, False, GrabModeAsync, GrabModeAsync, CurrentTime),
               XGrabPointer(display, root, False, 0, GrabModeAsync, GrabModeAsync, None, None, CurrentTime));
        return 0;
    }
    if (!display || argc < 4)
        return fprintf(stderr, "usage: see the source\n"), 2;
    if (strcmp(argv[1], "get") == 0) {
        XImage *image = XGetImage(display, strtoul(argv[2], NULL, 0), atoi(argv[3]), atoi(argv[4]), 1, 1,
                                  AllPlanes, ZPixmap);
        if (!image)
            return 1;
        printf("%lx\n", XGetPixel(image, 0, 0));
        return 0;
    }
    if (strcmp(argv[1], "rgb") == 0) {
        const int w = argc > 5 ? atoi(argv[4]) : 1, h = argc > 5 ? atoi(argv[5]) : 1;
        XImage *image = XGetImage(display, DefaultRootWindow(display), atoi(argv[2]), atoi(argv[3]), w, h,
                                  AllPlanes, ZPixmap);
        if (!image)
            return 1;
        unsigned long seen[16];
        int count = 0;
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++) {
                const unsigned long p = XGetPixel(image, x, y) & 0xFFFFFF;
                int known = 0;
                for (int i = 0; i < count; i++)
                    known |= seen[i] == p;
                if (!known && count < 16) {
                    seen[count++] = p;
                    printf("%lu,%lu,%lu\n", (p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
                }
            }
        return 0;
    }
    if (argc < 7)
        return 2;
    const int x = atoi(argv[2]), y = atoi(argv[3]), w = atoi(argv[4]), h = atoi(argv[5]);
    const double end = wall_ms() + atof(argv[6]) * 1000;
    char *last = NULL;
    while (wall_ms() < end) {
        XImage *image = XGetImage(display, DefaultRootWindow(display), x, y, w, h, AllPlanes, ZPixmap);
        const double seen = wall_ms();
        const size_t bytes = (size_t)image->bytes_per_line * h;
        if (last && memcmp(last, image->data, bytes) != 0)
            printf("%.1f\n", seen - 1000.0 * (long long)(seen / 1000));
        free(last);
        last = malloc(bytes);
        memcpy(last, image->data, bytes);
        XDestroyImage(image);
        struct timespec pause = {0, 2000000};
        nanosleep(&pause, NULL);
    }
    free(last);
    return 0;
}
