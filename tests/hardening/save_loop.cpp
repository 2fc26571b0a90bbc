// save_loop PROGRAM_PATH COUNT: saves the settings COUNT times (0: until
// killed) through the real settings store, alternating between two sets of
// values, as a dialog whose OK is pressed over and over would. The tests
// kill it at random moments and look at what the file holds.
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "settings/settings.h"
#include "tests/unit/fake_program_path.h"

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: save_loop PROGRAM_PATH COUNT\n");
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        return 2;
    fake_program_path = argv[1];
    const long count = std::atol(argv[2]);
    load_settings(0);
    for (long i = 0; count == 0 || i < count; i++) {
        const int odd = static_cast<int>(i % 2);
        saver_settings = SaverSettings{};
        saver_settings.clockType = odd ? 7 : 2;
        saver_settings.resolution = odd ? 3 : 1;
        saver_settings.secondHand = odd;
        saver_settings.hourSound = 1 - odd;
        saver_settings.random = odd;
        if (!save_settings()) {
            std::fprintf(stderr, "save %ld failed\n", i);
            return 1;
        }
    }
    return 0;
}
