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

// A short mechanical tick: a sharp noise transient through two resonances of
// a small metal escapement, gone within about 40 ms.
std::vector<int16_t> synth_tick()
{
    const int n = SOUND_RATE * 45 / 1000;
    std::vector<double> wave(n);
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    for (int i = 0; i < n; i++) {
        double t = static_cast<double>(i) / SOUND_RATE;
        double click = noise(rng) * std::exp(-t / 0.0015);
        double body = 0.6 * std::sin(2 * M_PI * 3100 * t) * std::exp(-t / 0.006) +
                      0.35 * std::sin(2 * M_PI * 5200 * t) * std::exp(-t / 0.003) +
                      0.25 * std::sin(2 * M_PI * 1400 * t) * std::exp(-t / 0.009);
        double fade = i > n - 200 ? (n - i) / 200.0 : 1.0;
        wave[i] = (0.5 * click + body) * fade;
    }
    return to_pcm(wave, 0.7);
}

// A warm bell: inharmonic partials of a struck bell, each dying away at its
// own rate, the higher ones sooner.
std::vector<int16_t> synth_chime()
{
    const double fundamental = 392.0;  // G4
    struct Partial {
        double ratio, level, decay;
    };
    const Partial partials[] = {
        {0.50, 0.45, 2.6}, {1.00, 1.00, 1.9}, {1.19, 0.55, 1.4}, {1.50, 0.30, 1.1},
        {2.00, 0.40, 0.9}, {2.51, 0.22, 0.6}, {2.66, 0.15, 0.5}, {3.01, 0.12, 0.4},
        {4.10, 0.06, 0.25},
    };
    const int n = SOUND_RATE * 4;
    std::vector<double> wave(n);
    for (int i = 0; i < n; i++) {
        double t = static_cast<double>(i) / SOUND_RATE;
        double attack = std::min(1.0, t / 0.004);
        double v = 0;
        for (const Partial &p : partials)
            v += p.level * std::sin(2 * M_PI * fundamental * p.ratio * t) * std::exp(-t / p.decay);
        double tail = i > n - 2000 ? (n - i) / 2000.0 : 1.0;
        wave[i] = v * attack * tail;
    }
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
