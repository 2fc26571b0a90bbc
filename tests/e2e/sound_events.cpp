// Sounds in raw 16-bit little-endian stereo at 44100 Hz.
//   sound_events --record CAPTURE.raw < live-capture: copies the capture as it
// comes; CAPTURE.raw.t0 (there a quarter second on) holds its first frame's
// wall-clock time: the median of each read's time less the frames before it.
//   sound_events CAPTURE.raw [T0]: a line per sound, "start length peak max":
// start in seconds from T0; length while the 5 ms RMS stays over a tenth of
// its peak; max the largest sample of its start. Starts are found on the first
// difference, which favours the tick's sharp sound, so it shows over a chime.
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
    std::vector<double> firsts;
    long long bytes = 0;
    static char buffer[65536];
    for (ssize_t n; (n = read(0, buffer, sizeof buffer)) > 0;) {
        timespec now;
        clock_gettime(CLOCK_REALTIME, &now);
        std::fwrite(buffer, 1, n, out);
        std::fflush(out);
        bytes += n;
        firsts.push_back(now.tv_sec + now.tv_nsec / 1e9 - static_cast<double>(bytes / FRAME_BYTES) / RATE);
        if (firsts.size() % 25 == 0) {
            std::nth_element(firsts.begin(), firsts.begin() + firsts.size() / 2, firsts.end());
            if (FILE *f = std::fopen((t0Path + ".new").c_str(), "w")) {
                std::fprintf(f, "%.6f\n", firsts[firsts.size() / 2]);
                std::fclose(f);
                std::rename((t0Path + ".new").c_str(), t0Path.c_str());  // never seen half written
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
