// Finds the sounds in a capture of raw 16-bit little-endian stereo at
// 44100 Hz: prints one line per sound start, "seconds duration peak", where
// duration is how long the level stays above a tenth of that sound's peak.
// Starts are found on the signal's first difference, which favours the
// tick's high, sharp sound, so that a tick still shows over a ringing chime.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: sound_events CAPTURE.raw\n");
        return 2;
    }
    FILE *f = std::fopen(argv[1], "rb");
    if (!f)
        return 1;
    const int rate = 44100, window = rate / 200;  // 5 ms
    std::vector<double> level, sharp;
    int16_t frame[2];
    double sum = 0, sharpSum = 0, previous = 0;
    int n = 0;
    while (std::fread(frame, sizeof frame, 1, f) == 1) {
        double v = (frame[0] + frame[1]) / 2.0;
        sum += v * v;
        sharpSum += (v - previous) * (v - previous);
        previous = v;
        if (++n == window) {
            level.push_back(std::sqrt(sum / n));
            sharp.push_back(std::sqrt(sharpSum / n));
            sum = sharpSum = 0;
            n = 0;
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
        size_t end = i;
        for (size_t k = i; k < std::min(level.size(), i + 10); k++)
            if (level[k] > peak) {
                peak = level[k];
                end = k;
            }
        while (end < level.size() && level[end] > peak / 10)
            end++;
        std::printf("%.3f %.3f %.0f\n", i * seconds, (end - i) * seconds, peak);
        i += 10;  // one sound, not its first few windows
    }
    return 0;
}
