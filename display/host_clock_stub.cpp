// Stands in for host mode until the clock can draw into another program's
// window: says so and ends as a clock that could not start.
#include <cstdio>

#include "display/full_screen_clock.h"

int run_host(unsigned long)
{
    std::fputs("host mode not built\n", stderr);
    return 1;
}
