#include "assets/art/pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

namespace {

std::vector<int16_t> to_pcm(const std::vector<double> &wave, double peak)
{
    double top = 0;
    for (double v : wave)
        top = std::max(top, std::fabs(v));
    std::vector<int16_t> pcm(wave.size());
    for (size_t i = 0; i < wave.size(); i++)
        pcm[i] = static_cast<int16_t>(std::lround(wave[i] / top * peak * 32767.0));
    return pcm;
}

}  // namespace

// A short mechanical tick: the pallet striking the escape wheel and, 7 ms
// later, the softer drop of the next tooth. Each impact is a burst of
// brightened noise exciting a few resonances of a small brass movement.
std::vector<int16_t> synth_tick()
{
    const int n = SOUND_RATE * 40 / 1000;
    std::vector<double> wave(n, 0.0);
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    struct Impact {
        double at, level;
    };
    const Impact impacts[] = {{0.0, 1.0}, {0.007, 0.45}};
    for (const Impact &impact : impacts) {
        double previous = 0;
        for (int i = static_cast<int>(impact.at * SOUND_RATE); i < n; i++) {
            double t = static_cast<double>(i) / SOUND_RATE - impact.at;
            // First difference of white noise: a click without low rumble.
            double white = noise(rng);
            double click = (white - previous) * std::exp(-t / 0.0008);
            previous = white;
            double body = 0.55 * std::sin(2 * M_PI * 3300 * t) * std::exp(-t / 0.0045) +
                          0.35 * std::sin(2 * M_PI * 5700 * t) * std::exp(-t / 0.0025) +
                          0.30 * std::sin(2 * M_PI * 1850 * t) * std::exp(-t / 0.0065);
            wave[i] += impact.level * (0.45 * click + body);
        }
    }
    // A short raised-cosine fade so the last sample is silent.
    const int fade = SOUND_RATE * 5 / 1000;
    for (int i = n - fade; i < n; i++)
        wave[i] *= 0.5 + 0.5 * std::cos(M_PI * (i - (n - fade)) / fade);
    return to_pcm(wave, 0.5);
}

// A warm bell: the partials of a cast bell (hum, prime, minor third, fifth,
// nominal and the upper ones), each a close pair that beats slowly as a real
// bell's do, the higher ones dying sooner. A brief metallic strike starts it.
std::vector<int16_t> synth_chime()
{
    const double fundamental = 330.0;  // E4
    struct Partial {
        double ratio, level, decay;
    };
    const Partial partials[] = {
        {0.500, 0.55, 1.35}, {1.000, 1.00, 1.05}, {1.195, 0.45, 0.85}, {1.500, 0.25, 0.60},
        {2.000, 0.50, 0.50}, {2.510, 0.20, 0.32}, {2.670, 0.14, 0.28}, {3.010, 0.10, 0.22},
        {4.080, 0.05, 0.15}, {5.350, 0.03, 0.10},
    };
    const double seconds = 4.5;
    const int n = static_cast<int>(SOUND_RATE * seconds);
    std::vector<double> wave(n);
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    for (int i = 0; i < n; i++) {
        double t = static_cast<double>(i) / SOUND_RATE;
        double attack = std::min(1.0, t / 0.003);
        double v = 0;
        for (const Partial &p : partials) {
            double f = fundamental * p.ratio;
            double pair = std::sin(2 * M_PI * f * t) + 0.6 * std::sin(2 * M_PI * (f + 0.9 * p.ratio) * t + 1.0);
            v += p.level * pair * std::exp(-t / p.decay);
        }
        double strike = 0.25 * noise(rng) * std::exp(-t / 0.004);
        wave[i] = v * attack + strike;
    }
    // The last quarter second fades out what little is left.
    const int fade = SOUND_RATE / 4;
    for (int i = n - fade; i < n; i++)
        wave[i] *= 0.5 + 0.5 * std::cos(M_PI * (i - (n - fade)) / fade);
    return to_pcm(wave, 0.8);
}

bool write_wav(const std::vector<int16_t> &samples, int rate, const char *path)
{
    FILE *f = std::fopen(path, "wb");
    if (!f)
        return false;
    auto put32 = [&](uint32_t v) {
        unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                              static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
        std::fwrite(b, 1, 4, f);
    };
    auto put16 = [&](uint16_t v) {
        unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
        std::fwrite(b, 1, 2, f);
    };
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::fwrite("RIFF", 1, 4, f);
    put32(36 + dataBytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    put32(16);
    put16(1);  // PCM
    put16(1);  // mono
    put32(static_cast<uint32_t>(rate));
    put32(static_cast<uint32_t>(rate * 2));
    put16(2);
    put16(16);
    std::fwrite("data", 1, 4, f);
    put32(dataBytes);
    for (int16_t s : samples)
        put16(static_cast<uint16_t>(s));
    return std::fclose(f) == 0;
}
