#include "display/sound_pcm.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

SAMPLE sample_of(int bits, int stereo, int freq, unsigned long len, void *data)
{
    SAMPLE s{};
    s.bits = bits, s.stereo = stereo, s.freq = freq, s.len = len, s.data = data;
    return s;
}

std::vector<unsigned char> s16(std::initializer_list<int16_t> values)
{
    std::vector<unsigned char> bytes(values.size() * 2);
    std::memcpy(bytes.data(), values.begin(), bytes.size());
    return bytes;
}

}  // namespace

TEST(SamplePcm, KeepsFramesAndInterleavingAndSignsSixteenBitValues)
{
    // The library's 16-bit values are unsigned, offset by 0x8000.
    uint16_t mono16[3] = {0x0000, 0x8000, 0xFFFF};
    uint16_t stereo16[6] = {0x8001, 0x7FFF, 0x1234, 0xC000, 0x8000, 0x0001};
    uint8_t mono8[5] = {0, 1, 128, 200, 255};
    uint8_t stereo8[6] = {10, 250, 20, 240, 30, 230};
    const struct {
        const char *what;
        SAMPLE sample;
        PcmFormat format;
        int channels;
        std::vector<unsigned char> bytes;
    } cases[] = {
        {"16-bit mono, odd length", sample_of(16, 0, 44100, 3, mono16), PcmFormat::S16, 1, s16({-32768, 0, 32767})},
        {"16-bit stereo, left and right in turn", sample_of(16, 1, 22050, 3, stereo16), PcmFormat::S16, 2,
         s16({1, -1, 0x1234 - 0x8000, 0x4000, 0, -32767})},
        {"8-bit mono, odd length", sample_of(8, 0, 8000, 5, mono8), PcmFormat::U8, 1, {0, 1, 128, 200, 255}},
        {"8-bit stereo", sample_of(8, 1, 11025, 3, stereo8), PcmFormat::U8, 2, {10, 250, 20, 240, 30, 230}},
        {"one frame", sample_of(16, 1, 48000, 1, stereo16), PcmFormat::S16, 2, s16({1, -1})},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Pcm pcm;
        ASSERT_TRUE(sample_pcm(&c.sample, pcm));
        EXPECT_EQ(pcm.format, c.format);
        EXPECT_EQ(pcm.channels, c.channels);
        EXPECT_EQ(pcm.rate, c.sample.freq);
        EXPECT_EQ(pcm.bytes, c.bytes);
    }
}

TEST(SamplePcm, RefusesWhatCannotBePlayed)
{
    uint16_t data[4] = {};
    const SAMPLE cases[] = {
        sample_of(16, 0, 44100, 0, data),  sample_of(8, 1, 44100, 0, data),  // no frames
        sample_of(16, 0, 44100, 4, nullptr),                                 // no data
        sample_of(16, 0, 0, 4, data),      sample_of(8, 0, -8000, 4, data),  // no rate
        sample_of(24, 0, 44100, 2, data),  sample_of(12, 0, 44100, 2, data), // other depths
    };
    for (const SAMPLE &c : cases) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits, " << c.len << " frames at " << c.freq);
        Pcm pcm;
        EXPECT_FALSE(sample_pcm(&c, pcm));
    }
    Pcm pcm;
    EXPECT_FALSE(sample_pcm(nullptr, pcm));
}
