// Captures and finds sounds in raw 16-bit little-endian stereo at 44100 Hz.
//   sound_events --record CAPTURE.raw < live-capture
// copies a capture to the file as it comes and keeps in CAPTURE.raw.t0 the
// wall-clock time of its first frame: the earliest that the frames read so
// far can have been made (each read's time less the frames before its end).
// The file appears with the first frames.
//   sound_events CAPTURE.raw [T0]
// prints one line per sound start, "seconds duration peak max", where
// seconds count from the capture's start, or are wall-clock times given its
// T0, duration is how long the level stays above a tenth of that sound's
// peak (RMS over 5 ms), and max is the largest sample value of its start.
// Starts are found on the signal's first difference, which favours the
// tick's high, sharp sound, so that a tick still shows over a ringing chime.
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

const int RATE = 44100, FRAME_BYTES = 4;

int record(const char *path)
{
    FILE *out = std::fopen(path, "wb");
    if (!out)
        return 1;
    const std::string t0Path = std::string(path) + ".t0";
    double t0 = 1e18;
    long long bytes = 0;
    static char buffer[65536];
    for (ssize_t n; (n = read(0, buffer, sizeof buffer)) > 0;) {
        timespec now;
        clock_gettime(CLOCK_REALTIME, &now);
        std::fwrite(buffer, 1, n, out);
        std::fflush(out);
        bytes += n;
        const double first = now.tv_sec + now.tv_nsec / 1e9 - static_cast<double>(bytes / FRAME_BYTES) / RATE;
        if (first < t0 - 1e-4) {
            t0 = first;
            FILE *f = std::fopen((t0Path + ".new").c_str(), "w");
            if (f) {
                std::fprintf(f, "%.6f\n", t0);
                std::fclose(f);
                std::rename((t0Path + ".new").c_str(), t0Path.c_str());
            }
        }
    }
    std::fclose(out);
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--record") == 0)
        return record(argv[2]);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: sound_events --record CAPTURE.raw | sound_events CAPTURE.raw [T0]\n");
        return 2;
    }
    FILE *f = std::fopen(argv[1], "rb");
    if (!f)
        return 1;
    const double t0 = argc == 3 ? std::atof(argv[2]) : 0;
    const int rate = RATE, window = rate / 200;  // 5 ms
    std::vector<double> level, sharp;
    std::vector<int> largest;
    int16_t frame[2];
    double sum = 0, sharpSum = 0, previous = 0;
    int n = 0, windowLargest = 0;
    while (std::fread(frame, sizeof frame, 1, f) == 1) {
        windowLargest = std::max({windowLargest, std::abs(frame[0]), std::abs(frame[1])});
        double v = (frame[0] + frame[1]) / 2.0;
        sum += v * v;
        sharpSum += (v - previous) * (v - previous);
        previous = v;
        if (++n == window) {
            level.push_back(std::sqrt(sum / n));
            sharp.push_back(std::sqrt(sharpSum / n));
            largest.push_back(windowLargest);
            sum = sharpSum = 0;
            n = windowLargest = 0;
        }
    }
    std::fclose(f);

    const double floor = 200;  // well above silence, far below any sound
    const double seconds = window / static_cast<double>(rate);
    for (size_t i = 10; i < level.size(); i++) {
        double before = 0;
        for (size_t k = i - 10; k < i; k++)
            before = std::max(before, sharp[k]);
        if (level[i] < floor || sharp[i] < 3 * before)
            continue;
        double peak = 0;
        int max = 0;
        size_t end = i;
        for (size_t k = i; k < std::min(level.size(), i + 10); k++) {
            max = std::max(max, largest[k]);
            if (level[k] > peak) {
                peak = level[k];
                end = k;
            }
        }
        while (end < level.size() && level[end] > peak / 10)
            end++;
        std::printf("%.3f %.3f %.0f %d\n", t0 + i * seconds, (end - i) * seconds, peak, max);
        i += 10;  // one sound, not its first few windows
    }
    return 0;
}
