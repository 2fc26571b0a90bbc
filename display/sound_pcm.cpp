#include "display/sound_pcm.h"

#include <cstdint>
#include <cstring>

bool sample_pcm(const SAMPLE *sample, Pcm &out)
{
    if (!sample || !sample->data || sample->len == 0 || sample->freq <= 0 ||
        (sample->bits != 8 && sample->bits != 16))
        return false;
    out.format = sample->bits == 8 ? PcmFormat::U8 : PcmFormat::S16;
    out.channels = sample->stereo ? 2 : 1;
    out.rate = sample->freq;
    const size_t values = static_cast<size_t>(sample->len) * out.channels;
    if (sample->bits == 8) {
        const auto *from = static_cast<const unsigned char *>(sample->data);
        out.bytes.assign(from, from + values);
        return true;
    }
    // The library keeps 16-bit values offset by half their range, unsigned.
    out.bytes.resize(values * sizeof(uint16_t));
    const auto *from = static_cast<const uint16_t *>(sample->data);
    for (size_t i = 0; i < values; i++) {
        const uint16_t value = from[i] ^ 0x8000;
        std::memcpy(&out.bytes[i * sizeof value], &value, sizeof value);
    }
    return true;
}

std::string cache_name(const char *path)
{
    return std::string("veltrane-") + get_filename(path);
}
