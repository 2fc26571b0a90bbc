// The clock's sounds on Linux, through the session's sound server (PulseAudio
// or PipeWire's PulseAudio service). Each sound file is put once into the
// server's sample cache; a tick or a chime is then one short request, and
// the server mixes it in at once, so it is heard within a few milliseconds
// of the second.
//
// The connection runs on the frame loop's thread with the client library's
// plain main loop, which is never left to wait on its own: start-up drives
// it until the server has answered and taken the sounds (bounded by a
// timeout), and afterwards each flush only sends what is queued and reads
// what has come, without waiting. So no thread of ours or of the library
// exists and nothing wakes between seconds; the server's answers to one
// second's requests lie in the socket until the next second's are sent, and
// a server gone away is noticed then.
#include "display/clock_sound.h"

#include <pulse/context.h>
#include <pulse/mainloop.h>
#include <pulse/scache.h>
#include <pulse/stream.h>
#include <pulse/volume.h>

#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "display/sound_pcm.h"
#include "settings/settings.h"

namespace {

// How long start-up waits for the server to answer and take the sounds. The
// frame loop shows the clock before it opens the sounds, so only a server
// that does not answer makes the first second's input wait this long.
const long long OPEN_TIMEOUT_US = 1000000;

// A bound on the rounds of the main loop that send what is queued and read
// what has come; each waits for nothing, and they end at the first round
// with nothing to do (one or two in practice).
const int EXCHANGE_ROUNDS = 16;

// A sound at full volume and centred plays at half its level on each side,
// as the graphics library's mixer plays it: the tick's two voices together
// then reach the sound's own level instead of clipping.
const double CENTRED_LEVEL = 0.5;

struct CachedSound {
    const SAMPLE *sample;
    std::string name;
    int started = 0;  // since the last flush
};

struct SoundServer {
    pa_mainloop *loop = nullptr;
    pa_context *context = nullptr;
    std::vector<CachedSound> cached;
    int unanswered = 0;
};

SoundServer server;

long long now_us()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000LL + ts.tv_nsec / 1000;
}

bool context_good()
{
    return PA_CONTEXT_IS_GOOD(pa_context_get_state(server.context));
}

// Runs the main loop until `done` holds (true), or until the connection
// fails or the deadline passes (false).
template <typename Done>
bool run_until(Done done, long long deadline)
{
    while (!done()) {
        const long long left = deadline - now_us();
        if (!context_good() || left <= 0)
            return false;
        if (pa_mainloop_prepare(server.loop, static_cast<int>(left)) < 0 || pa_mainloop_poll(server.loop) < 0 ||
            pa_mainloop_dispatch(server.loop) < 0)
            return false;
    }
    return true;
}

void disconnect()
{
    if (server.context) {
        pa_context_disconnect(server.context);
        pa_context_unref(server.context);
    }
    if (server.loop)
        pa_mainloop_free(server.loop);
    server = SoundServer{};
}

bool connect(long long deadline)
{
    server.loop = pa_mainloop_new();
    if (!server.loop)
        return false;
    server.context = pa_context_new(pa_mainloop_get_api(server.loop), "Veltrane Screen Saver");
    // No server is started for us: with none running the clock stays silent.
    if (!server.context || pa_context_connect(server.context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        !run_until([] { return pa_context_get_state(server.context) == PA_CONTEXT_READY; }, deadline)) {
        disconnect();
        return false;
    }
    return true;
}

// Puts `sample` into the server's cache as `name`, replacing what a run
// before left there.
bool upload(const SAMPLE *sample, const std::string &name, long long deadline)
{
    Pcm pcm;
    if (!sample_pcm(sample, pcm))
        return false;
    const pa_sample_spec spec = {pcm.format == PcmFormat::U8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16NE,
                                 static_cast<uint32_t>(pcm.rate), static_cast<uint8_t>(pcm.channels)};
    if (!pa_sample_spec_valid(&spec))
        return false;
    pa_stream *stream = pa_stream_new(server.context, name.c_str(), &spec, nullptr);
    if (!stream)
        return false;
    auto settled = [stream] { return pa_stream_get_state(stream) != PA_STREAM_CREATING; };
    auto ended = [stream] { return !PA_STREAM_IS_GOOD(pa_stream_get_state(stream)); };
    const bool done =
        pa_stream_connect_upload(stream, pcm.bytes.size()) == 0 && run_until(settled, deadline) &&
        pa_stream_get_state(stream) == PA_STREAM_READY &&
        pa_stream_write(stream, pcm.bytes.data(), pcm.bytes.size(), nullptr, 0, PA_SEEK_RELATIVE) == 0 &&
        pa_stream_finish_upload(stream) == 0 && run_until(ended, deadline) &&
        pa_stream_get_state(stream) == PA_STREAM_TERMINATED;
    if (PA_STREAM_IS_GOOD(pa_stream_get_state(stream)))
        pa_stream_disconnect(stream);
    pa_stream_unref(stream);
    return done;
}

// Sends what is queued and reads what has come, without waiting. A server
// that went away leaves the clock silent for the rest of the run.
void exchange()
{
    for (int i = 0; server.loop && i < EXCHANGE_ROUNDS && pa_mainloop_iterate(server.loop, 0, nullptr) > 0; i++) {
    }
    if (server.context && !context_good())
        disconnect();
}

void on_answer(pa_context *, int, void *)
{
    server.unanswered--;
}

// The five sounds with their files and whether a setting asks for them.
struct ClockSound {
    SAMPLE **sample;
    const char *path;
    bool wanted;
};

void list_sounds(ClockDisplay &d, ClockSound sounds[5])
{
    const SaverSettings &s = saver_settings;
    const AssetPaths &p = asset_paths;
    sounds[0] = {&d.tickSample, p.tickPath, is_on(s.secondSound)};
    sounds[1] = {&d.hourSample, p.hourChimePath, is_on(s.hourSound)};
    sounds[2] = {&d.fifteenhourSample, p.fifteenhourChimePath, is_on(s.fifteenhourSound)};
    sounds[3] = {&d.halfhourSample, p.halfhourChimePath, is_on(s.halfhourSound)};
    sounds[4] = {&d.fortyfivehourSample, p.fortyfivehourChimePath, is_on(s.fortyfivehourSound)};
}

}  // namespace

void open_clock_sound(ClockDisplay &d)
{
    ClockSound sounds[5];
    list_sounds(d, sounds);
    bool anyWanted = false;
    for (const ClockSound &s : sounds)
        anyWanted = anyWanted || s.wanted;
    const long long deadline = now_us() + OPEN_TIMEOUT_US;
    if (!anyWanted || !connect(deadline)) {
        d.soundAvailable = 0;
        return;
    }
    // Each file a setting asks for is read once: the four chimes share one
    // sample, as the server plays each request on its own whatever it was
    // started from.
    for (int i = 0; i < 5; i++) {
        if (!sounds[i].wanted)
            continue;
        for (int j = 0; j < i && !*sounds[i].sample; j++)
            if (std::strcmp(sounds[j].path, sounds[i].path) == 0)
                *sounds[i].sample = *sounds[j].sample;
        if (!*sounds[i].sample)
            *sounds[i].sample = load_sample(sounds[i].path);
    }
    for (const ClockSound &s : sounds) {
        bool cached = false;
        for (const CachedSound &c : server.cached)
            cached = cached || c.sample == *s.sample;
        const std::string name = cache_name(s.path);
        if (s.wanted && !cached && upload(*s.sample, name, deadline))
            server.cached.push_back({*s.sample, name, 0});
    }
    if (server.cached.empty()) {
        disconnect();
        d.soundAvailable = 0;
    }
}

void play_clock_sound(SAMPLE *sample)
{
    for (CachedSound &c : server.cached)
        if (c.sample == sample)
            c.started++;
}

void flush_clock_sound()
{
    if (!server.loop)
        return;
    // While the server has not answered the last requests (it answers
    // within milliseconds), new ones are dropped: a server stopped for a
    // while would otherwise play all the ticks it missed at once when it
    // goes on. Its answers are read first.
    exchange();
    const bool answered = server.unanswered == 0;
    // A sound started twice at once (the tick's two voices) is one request
    // at twice the level: the same sound for half the server's work.
    for (CachedSound &c : server.cached) {
        if (c.started > 0 && answered) {
            pa_operation *o = pa_context_play_sample(server.context, c.name.c_str(), nullptr,
                                                     pa_sw_volume_from_linear(c.started * CENTRED_LEVEL),
                                                     on_answer, nullptr);
            if (o) {
                server.unanswered++;
                pa_operation_unref(o);
            }
        }
        c.started = 0;
    }
    exchange();
}

void close_clock_sound(ClockDisplay &d)
{
    disconnect();
    ClockSound sounds[5];
    list_sounds(d, sounds);
    for (int i = 0; i < 5; i++) {
        SAMPLE *sample = *sounds[i].sample;
        for (int j = i; j < 5; j++)
            if (*sounds[j].sample == sample)
                *sounds[j].sample = nullptr;
        if (sample)
            destroy_sample(sample);
    }
}
