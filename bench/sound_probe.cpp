// Plays the clock's sounds the way the frame loop does, with nothing else
// of the clock around them, for measuring the sound on its own: opens the
// sounds of an asset folder, then at each new second starts the tick (two
// voices) and, when due, the chime, sends them, and sleeps in poll() until
// just after the next second. Prints the wall-clock time of each send.
//   sound_probe ASSET_FOLDER SECONDS [tick] [chime=N]
// "chime=N" chimes at every second whose count since the epoch divides by
// N. With neither sound the sounds are not opened at all.
#include <allegro.h>
#include <poll.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "display/clock_frame.h"
#include "display/clock_logic.h"
#include "display/clock_sound.h"
#include "settings/settings.h"

namespace {

double wall_seconds()
{
    timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

void sleep_past_second()
{
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count() % 1000;
    poll(nullptr, 0, ms_until_next_second(static_cast<int>(ms)));
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: sound_probe ASSET_FOLDER SECONDS [tick] [chime=N]\n");
        return 2;
    }
    int chimeEvery = 0;
    for (int i = 3; i < argc; i++) {
        if (std::strcmp(argv[i], "tick") == 0)
            saver_settings.secondSound = 1;
        else if (std::sscanf(argv[i], "chime=%d", &chimeEvery) == 1 && chimeEvery > 0)
            saver_settings.hourSound = 1;
    }
    install_allegro(SYSTEM_NONE, &errno, atexit);
    for (char *path : {asset_paths.tickPath, asset_paths.hourChimePath, asset_paths.fifteenhourChimePath,
                       asset_paths.halfhourChimePath, asset_paths.fortyfivehourChimePath})
        append_filename(path, argv[1], path == asset_paths.tickPath ? "tick.wav" : "chime.wav", ASSET_PATH_SIZE);

    ClockDisplay d;
    const double opening = wall_seconds();
    open_clock_sound(d);
    std::printf("opened %.3f s, sound %s\n", wall_seconds() - opening, d.soundAvailable ? "on" : "off");
    std::fflush(stdout);
    for (int n = std::atoi(argv[2]); n > 0; n--) {
        sleep_past_second();
        const std::time_t now = std::time(nullptr);
        if (d.soundAvailable && saver_settings.secondSound) {
            play_clock_sound(d.tickSample);
            play_clock_sound(d.tickSample);
        }
        if (d.soundAvailable && chimeEvery > 0 && now % chimeEvery == 0)
            play_clock_sound(d.hourSample);
        flush_clock_sound();
        std::printf("sent %.3f\n", wall_seconds());
        std::fflush(stdout);
    }
    close_clock_sound(d);
    return 0;
}
