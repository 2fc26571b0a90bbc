// The clock's sounds as a sound server takes them: plain PCM frames in a
// format it names, rather than the library's own sample records.
#pragma once

#include <allegro.h>

#include <string>
#include <vector>

enum class PcmFormat {
    U8,   // unsigned 8-bit
    S16,  // signed 16-bit in the machine's byte order
};

struct Pcm {
    PcmFormat format = PcmFormat::U8;
    int channels = 1;
    int rate = 0;
    std::vector<unsigned char> bytes;  // whole frames, channels interleaved
};

// The sound of `sample` as PCM. False when there is nothing to play: no
// sample, no frames, no rate, or a depth other than 8 or 16 bits.
bool sample_pcm(const SAMPLE *sample, Pcm &out);

// The name a sound file is kept under in a sound server's cache: the same
// for every run, so that each run replaces what the last one put there.
std::string cache_name(const char *path);
