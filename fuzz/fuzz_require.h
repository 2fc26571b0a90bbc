// The fuzz targets' check: stops the run with the input that broke a rule,
// whatever the build.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_REQUIRE(condition)                                                              \
    do {                                                                                     \
        if (!(condition)) {                                                                  \
            std::fprintf(stderr, "veltrane fuzz: %s:%d: broken: %s\n", __FILE__, __LINE__,   \
                         #condition);                                                        \
            std::abort();                                                                    \
        }                                                                                    \
    } while (0)
