// The full-screen clock on Wayland: a surface of our own on every output,
// filled from shared memory. Where the compositor offers the layer shell
// (wlroots compositors, KDE, Hyprland, niri, COSMIC) each surface lies on
// its overlay layer and holds the keyboard; elsewhere (GNOME) it is a
// full-screen window on its output. Nothing on an output is changed.
#include "display/full_screen_stages.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "display/frame_pixels.h"
#include "display/pixel_format.h"
#include "settings/settings.h"
#include "xdg-output-unstable-v1-client.h"
#include "xdg-shell-client.h"
// The protocol names an argument "namespace", a word C++ keeps for itself.
#define namespace layer_namespace
#include "wlr-layer-shell-unstable-v1-client.h"
#undef namespace

namespace {

// Rectangles a spare buffer may fall behind by before it is filled whole.
const size_t MAX_STALE_RECTS = 32;
// Round trips to wait for every surface's first size.
const int CONFIGURE_TRIES = 5;
// The compositor's pixels. The unused byte is set all the same: some
// compositors' screen captures take it for alpha and would lose the colours.
const PixelFormat XRGB8888 = pixel_format(32, 0xFF0000, 0xFF00, 0xFF);

template <class T>
T *self(void *data)
{
    return static_cast<T *>(data);
}

template <class T>
T *bind(wl_registry *registry, uint32_t name, const wl_interface &interface, uint32_t offered, uint32_t wanted)
{
    return static_cast<T *>(wl_registry_bind(registry, name, &interface, std::min(offered, wanted)));
}

struct Globals {
    wl_display *display = nullptr;
    wl_compositor *compositor = nullptr;
    uint32_t compositorVersion = 0;
    wl_shm *shm = nullptr;
    zwlr_layer_shell_v1 *layerShell = nullptr;
    xdg_wm_base *wmBase = nullptr;
    zxdg_output_manager_v1 *outputManager = nullptr;
};

class FullScreenWayland;

struct Output {
    FullScreenWayland *stage = nullptr;
    uint32_t name = 0;
    wl_output *output = nullptr;
    zxdg_output_v1 *xdgOutput = nullptr;
    ScreenSize mode{0, 0};      // in its own pixels, before any turn
    int32_t transform = WL_OUTPUT_TRANSFORM_NORMAL;
    int scale = 1, pendingScale = 1;
    Point position{0, 0};       // in the compositor's layout, in logical pixels
    ScreenSize logical{0, 0};   // from xdg-output; 0 x 0 when not told
    bool done = false;

    ~Output()
    {
        if (xdgOutput)
            zxdg_output_v1_destroy(xdgOutput);
        if (output)
            wl_output_destroy(output);
    }

    // The output's size in logical pixels, as surfaces measure it.
    ScreenSize logical_size() const
    {
        if (logical.width > 0 && logical.height > 0)
            return logical;
        const bool turned = transform % 2 == 1;  // 90 and 270 degrees, flipped or not
        const ScreenSize s = turned ? ScreenSize{mode.height, mode.width} : mode;
        return {s.width / scale, s.height / scale};
    }

    static void geometry(void *data, wl_output *, int32_t x, int32_t y, int32_t, int32_t, int32_t, const char *,
                         const char *, int32_t transform)
    {
        auto *o = self<Output>(data);
        if (!o->xdgOutput)
            o->position = {x, y};
        o->transform = transform;
    }
    static void mode_event(void *data, wl_output *, uint32_t flags, int32_t width, int32_t height, int32_t)
    {
        if (flags & WL_OUTPUT_MODE_CURRENT)
            self<Output>(data)->mode = {width, height};
    }
    static void done_event(void *data, wl_output *);
    static void scale_event(void *data, wl_output *, int32_t factor)
    {
        self<Output>(data)->pendingScale = std::max(1, factor);
    }
    static void logical_position(void *data, zxdg_output_v1 *, int32_t x, int32_t y)
    {
        self<Output>(data)->position = {x, y};
    }
    static void logical_size_event(void *data, zxdg_output_v1 *, int32_t width, int32_t height)
    {
        self<Output>(data)->logical = {width, height};
    }
    static void xdg_done(void *, zxdg_output_v1 *) {}
    static void xdg_name(void *, zxdg_output_v1 *, const char *) {}
    static void xdg_description(void *, zxdg_output_v1 *, const char *) {}
};

const wl_output_listener output_listener{Output::geometry, Output::mode_event, Output::done_event,
                                         Output::scale_event, nullptr, nullptr};
const zxdg_output_v1_listener xdg_output_listener{Output::logical_position, Output::logical_size_event,
                                                  Output::xdg_done, Output::xdg_name, Output::xdg_description};

// One buffer the compositor reads a surface's picture from.
struct ShmBuffer {
    wl_buffer *buffer = nullptr;
    uint32_t *pixels = nullptr;
    ScreenSize size{0, 0};
    bool busy = false;          // the compositor may still read it
    bool wholeStale = true;     // never filled, or too far behind
    std::vector<Rect> stale;    // what changed since it was last filled

    void release()
    {
        if (buffer)
            wl_buffer_destroy(buffer);
        if (pixels)
            munmap(pixels, static_cast<size_t>(size.width) * size.height * 4);
        *this = ShmBuffer();
    }

    bool create(wl_shm *shm, ScreenSize s)
    {
        const size_t bytes = static_cast<size_t>(s.width) * s.height * 4;
        if (bytes == 0 || bytes > INT32_MAX)
            return false;
        const int fd = memfd_create("veltrane-clock", MFD_CLOEXEC);
        if (fd < 0)
            return false;
        void *data = ftruncate(fd, static_cast<off_t>(bytes)) == 0
                         ? mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0)
                         : MAP_FAILED;
        if (data == MAP_FAILED) {
            close(fd);
            return false;
        }
        wl_shm_pool *pool = wl_shm_create_pool(shm, fd, static_cast<int32_t>(bytes));
        buffer = wl_shm_pool_create_buffer(pool, 0, s.width, s.height, s.width * 4, WL_SHM_FORMAT_XRGB8888);
        wl_shm_pool_destroy(pool);
        close(fd);
        pixels = static_cast<uint32_t *>(data);
        size = s;
        wl_buffer_add_listener(buffer, &listener, this);
        return true;
    }

    // Copies rectangle `area` of `picture`, which has the buffer's size.
    void fill(BITMAP *picture, const Rect &area)
    {
        const Rect r = rect_intersection(
            area, {0, 0, std::min(size.width, picture->w), std::min(size.height, picture->h)});
        if (rect_is_empty(r))
            return;
        for (int y = r.y; y < r.y + r.h; y++)
            frame_row_to(picture, r.x, y, r.w, pixels + static_cast<size_t>(y) * size.width + r.x, XRGB8888);
    }

    static void released(void *data, wl_buffer *) { self<ShmBuffer>(data)->busy = false; }
    static constexpr wl_buffer_listener listener{released};
};

// A surface on one output, showing the whole clock at the output's size.
class SurfaceView : public ClockView {
public:
    SurfaceView(const Globals &g, Output &output) : g_(g), output_(output)
    {
        surface = wl_compositor_create_surface(g.compositor);
        if (g.layerShell) {
            layer_ = zwlr_layer_shell_v1_get_layer_surface(g.layerShell, surface, output.output,
                                                           ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "veltrane");
            zwlr_layer_surface_v1_set_anchor(layer_, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP |
                                                         ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                                         ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT |
                                                         ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
            // Over panels too, and the keyboard ours alone (1 in every version).
            zwlr_layer_surface_v1_set_exclusive_zone(layer_, -1);
            zwlr_layer_surface_v1_set_keyboard_interactivity(layer_, 1);
            zwlr_layer_surface_v1_add_listener(layer_, &layer_listener, this);
        } else {
            xdgSurface_ = xdg_wm_base_get_xdg_surface(g.wmBase, surface);
            xdg_surface_add_listener(xdgSurface_, &surface_listener, this);
            toplevel_ = xdg_surface_get_toplevel(xdgSurface_);
            xdg_toplevel_add_listener(toplevel_, &toplevel_listener, this);
            xdg_toplevel_set_title(toplevel_, "Veltrane Screen Saver");
            xdg_toplevel_set_app_id(toplevel_, "veltrane");
            xdg_toplevel_set_fullscreen(toplevel_, output.output);
        }
        wl_surface_commit(surface);
    }

    ~SurfaceView() override
    {
        for (ShmBuffer &b : buffers_)
            b.release();
        if (layer_)
            zwlr_layer_surface_v1_destroy(layer_);
        if (toplevel_)
            xdg_toplevel_destroy(toplevel_);
        if (xdgSurface_)
            xdg_surface_destroy(xdgSurface_);
        wl_surface_destroy(surface);
    }

    // In buffer pixels: the surface's logical size at the output's scale.
    ScreenSize size() const override { return {logical_.width * scale(), logical_.height * scale()}; }
    int scale() const { return g_.compositorVersion >= 3 ? output_.scale : 1; }
    bool ready() const { return logical_.width > 0 && logical_.height > 0 && !closed; }
    const Output &output() const { return output_; }

    // Nothing was sent for want of a free buffer, and one is free now:
    // the next pass shows the whole picture.
    void resend_when_free()
    {
        if (resend_ && std::any_of(std::begin(buffers_), std::end(buffers_),
                                   [](const ShmBuffer &b) { return !b.buffer || !b.busy; })) {
            resend_ = false;
            damaged = true;
        }
    }

    wl_surface *surface = nullptr;
    bool closed = false;  // the compositor took the surface away

protected:
    void send(BITMAP *picture, const Rect *rects, int count) override
    {
        ShmBuffer *b = free_buffer();
        if (!b) {
            resend_ = true;
            return;
        }
        if (b->wholeStale)
            b->fill(picture, {0, 0, b->size.width, b->size.height});
        else
            for (const Rect &r : b->stale)
                b->fill(picture, r);
        b->stale.clear();
        b->wholeStale = false;
        for (int i = 0; i < count; i++)
            b->fill(picture, rects[i]);
        // The other buffer now lags behind by these rectangles.
        for (ShmBuffer &other : buffers_) {
            if (&other == b || other.wholeStale)
                continue;
            other.stale.insert(other.stale.end(), rects, rects + count);
            if (other.stale.size() > MAX_STALE_RECTS) {
                other.stale.clear();
                other.wholeStale = true;
            }
        }
        if (bufferScale_ != scale()) {
            bufferScale_ = scale();
            wl_surface_set_buffer_scale(surface, bufferScale_);
        }
        wl_surface_attach(surface, b->buffer, 0, 0);
        for (int i = 0; i < count; i++) {
            const Rect &r = rects[i];
            if (g_.compositorVersion >= 4) {
                wl_surface_damage_buffer(surface, r.x, r.y, r.w, r.h);
            } else {
                const int s = bufferScale_;
                wl_surface_damage(surface, r.x / s, r.y / s, (r.x + r.w + s - 1) / s - r.x / s,
                                  (r.y + r.h + s - 1) / s - r.y / s);
            }
        }
        wl_surface_commit(surface);
        b->busy = true;
    }

private:
    // A buffer of the view's size that the compositor has let go of; the
    // second is made only when the compositor still reads the first.
    ShmBuffer *free_buffer()
    {
        const ScreenSize s = size();
        for (ShmBuffer &b : buffers_)
            if (b.buffer && !b.busy && (b.size.width != s.width || b.size.height != s.height))
                b.release();
        for (ShmBuffer &b : buffers_)
            if (b.buffer && !b.busy)
                return &b;
        for (ShmBuffer &b : buffers_)
            if (!b.buffer)
                return b.create(g_.shm, s) ? &b : nullptr;
        return nullptr;
    }

    void take_size(int32_t width, int32_t height)
    {
        const ScreenSize whole = output_.logical_size();
        logical_ = {width > 0 ? width : whole.width, height > 0 ? height : whole.height};
    }

    static void layer_configure(void *data, zwlr_layer_surface_v1 *layer, uint32_t serial, uint32_t width,
                                uint32_t height)
    {
        zwlr_layer_surface_v1_ack_configure(layer, serial);
        self<SurfaceView>(data)->take_size(static_cast<int32_t>(width), static_cast<int32_t>(height));
    }
    static void layer_closed(void *data, zwlr_layer_surface_v1 *) { self<SurfaceView>(data)->closed = true; }
    static void toplevel_configure(void *data, xdg_toplevel *, int32_t width, int32_t height, wl_array *)
    {
        self<SurfaceView>(data)->pending_ = {width, height};
    }
    static void toplevel_close(void *data, xdg_toplevel *) { self<SurfaceView>(data)->closed = true; }
    static void xdg_configure(void *data, xdg_surface *surface, uint32_t serial)
    {
        auto *v = self<SurfaceView>(data);
        xdg_surface_ack_configure(surface, serial);
        v->take_size(v->pending_.width, v->pending_.height);
    }

    static constexpr zwlr_layer_surface_v1_listener layer_listener{layer_configure, layer_closed};
    static constexpr xdg_toplevel_listener toplevel_listener{toplevel_configure, toplevel_close, nullptr,
                                                             nullptr};
    static constexpr xdg_surface_listener surface_listener{xdg_configure};

    const Globals &g_;
    Output &output_;
    zwlr_layer_surface_v1 *layer_ = nullptr;
    xdg_surface *xdgSurface_ = nullptr;
    xdg_toplevel *toplevel_ = nullptr;
    ScreenSize logical_{0, 0}, pending_{0, 0};
    int bufferScale_ = 1;
    bool resend_ = false;
    ShmBuffer buffers_[2];
};

// A seat's keyboard, pointer and touch screen, which all end the run.
struct Seat {
    FullScreenWayland *stage = nullptr;
    uint32_t name = 0;
    wl_seat *seat = nullptr;
    wl_keyboard *keyboard = nullptr;
    wl_pointer *pointer = nullptr;
    wl_touch *touch = nullptr;
    wl_surface *pointerSurface = nullptr;
    xkb_keymap *keymap = nullptr;
    xkb_state *keys = nullptr;

    ~Seat()
    {
        forget_keymap();
        if (keyboard)
            wl_keyboard_destroy(keyboard);
        if (pointer)
            wl_pointer_destroy(pointer);
        if (touch)
            wl_touch_destroy(touch);
        wl_seat_destroy(seat);
    }

    void forget_keymap()
    {
        if (keys)
            xkb_state_unref(keys);
        if (keymap)
            xkb_keymap_unref(keymap);
        keys = nullptr;
        keymap = nullptr;
    }
};

class FullScreenWayland : public ClockStage {
public:
    ~FullScreenWayland() override
    {
        if (prepared_)
            wl_display_cancel_read(g_.display);
        views_.clear();
        seats_.clear();
        outputs_.clear();
        if (g_.outputManager)
            zxdg_output_manager_v1_destroy(g_.outputManager);
        if (g_.layerShell)
            zwlr_layer_shell_v1_destroy(g_.layerShell);
        if (g_.wmBase)
            xdg_wm_base_destroy(g_.wmBase);
        if (g_.shm)
            wl_shm_destroy(g_.shm);
        if (g_.compositor)
            wl_compositor_destroy(g_.compositor);
        if (registry_)
            wl_registry_destroy(registry_);
        if (xkb_)
            xkb_context_unref(xkb_);
        if (g_.display)
            wl_display_disconnect(g_.display);
    }

    bool open()
    {
        const char *name = std::getenv("WAYLAND_DISPLAY");
        if (!name || !*name || !(g_.display = wl_display_connect(nullptr)))
            return false;
        xkb_ = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
        registry_ = wl_display_get_registry(g_.display);
        wl_registry_add_listener(registry_, &registry_listener, this);
        if (wl_display_roundtrip(g_.display) < 0)
            return false;
        if (!g_.compositor || !g_.shm || (!g_.layerShell && !g_.wmBase)) {
            std::fprintf(stderr, "veltrane: the Wayland compositor offers no way to show a full screen "
                                 "(neither the layer shell nor xdg-shell)\n");
            return false;
        }
        for (auto &o : outputs_)
            describe(*o);
        if (wl_display_roundtrip(g_.display) < 0)
            return false;
        for (auto &o : outputs_)
            if (o->done)
                views_.push_back(std::make_unique<SurfaceView>(g_, *o));
        running_ = true;
        for (int i = 0; i < CONFIGURE_TRIES && !all_ready(); i++)
            if (wl_display_roundtrip(g_.display) < 0)
                return false;
        if (views().empty()) {
            std::fprintf(stderr, "veltrane: the Wayland compositor shows no output to cover\n");
            return false;
        }
        note_reference();
        return true;
    }

    ScreenSize frame_size(ScreenSize face) const override
    {
        return composition_size(saver_settings.resolution, reference_, referenceScale_, face);
    }

    std::vector<ClockView *> views() override
    {
        std::vector<ClockView *> list;
        for (auto &v : views_)
            if (v->ready())
                list.push_back(v.get());
        return list;
    }

    StageEvents read_events() override
    {
        if (wl_display_dispatch_pending(g_.display) < 0)
            lost_ = true;
        // An output that goes away may close its surface just before it
        // goes: only a surface closed on an output still there ends the run.
        if (!lost_ && any_closed() && wl_display_roundtrip(g_.display) < 0)
            lost_ = true;
        if (any_closed())
            ended_ = true;
        for (auto &v : views_)
            v->resend_when_free();
        StageEvents events;
        events.end = ended_ || lost_;
        events.resized = note_reference();
        return events;
    }

    WaitFor prepare_wait() override
    {
        if (prepared_)
            wl_display_cancel_read(g_.display);
        prepared_ = false;
        bool pending = false;
        while (!lost_ && wl_display_prepare_read(g_.display) != 0) {
            if (wl_display_dispatch_pending(g_.display) < 0)
                lost_ = true;
            pending = true;
        }
        if (lost_)
            return {-1, true};
        prepared_ = true;
        if (wl_display_flush(g_.display) < 0 && errno != EAGAIN)
            lost_ = true;
        if (pending || lost_ || ended_) {
            wl_display_cancel_read(g_.display);
            prepared_ = false;
            return {-1, true};
        }
        return {wl_display_get_fd(g_.display), false};
    }

    void finish_wait(bool readable) override
    {
        if (!prepared_)
            return;
        prepared_ = false;
        if (!readable)
            wl_display_cancel_read(g_.display);
        else if (wl_display_read_events(g_.display) < 0)
            lost_ = true;
    }

    // Input, by the exit test.
    void key_pressed(Seat &seat, uint32_t key)
    {
        // Without a keymap a key cannot be told apart: it ends the run.
        const xkb_keysym_t sym = seat.keys ? xkb_state_key_get_one_sym(seat.keys, key + 8) : XKB_KEY_NoSymbol;
        if (!seat.keys || key_role(sym) != KeyRole::Silent)
            ended_ = true;
    }
    void pointer_at(wl_surface *surface, wl_fixed_t sx, wl_fixed_t sy)
    {
        const SurfaceView *view = view_of(surface);
        if (!view)
            return;
        const Point at{view->output().position.x + static_cast<int>(std::lround(wl_fixed_to_double(sx))),
                       view->output().position.y + static_cast<int>(std::lround(wl_fixed_to_double(sy)))};
        // Wayland tells a client where the pointer is only once it is over
        // one of its surfaces: that place is where moves are counted from.
        if (!pointerStart_)
            pointerStart_ = at;
        const InputState input{0, at.x, at.y, false, false, false, false, false};
        if (input_ends_saver(input, *pointerStart_))
            ended_ = true;
    }
    void touched() { ended_ = true; }

    xkb_context *xkb() const { return xkb_; }

    // A new output while the clock runs gets its surface once described.
    void output_ready(Output &output)
    {
        if (!running_)
            return;
        for (auto &v : views_)
            if (&v->output() == &output)
                return;
        views_.push_back(std::make_unique<SurfaceView>(g_, output));
    }

private:
    bool all_ready() const
    {
        return std::all_of(views_.begin(), views_.end(), [](const auto &v) { return v->ready(); });
    }

    bool any_closed() const
    {
        return std::any_of(views_.begin(), views_.end(), [](const auto &v) { return v->closed; });
    }

    SurfaceView *view_of(wl_surface *surface)
    {
        for (auto &v : views_)
            if (v->surface == surface)
                return v.get();
        return nullptr;
    }

    // The frame is composed for the first output's surface. Returns true
    // when its size or scale changed since last noted.
    bool note_reference()
    {
        for (auto &v : views_) {
            if (!v->ready())
                continue;
            const ScreenSize s = v->size();
            const bool changed = s.width != reference_.width || s.height != reference_.height ||
                                 v->scale() != referenceScale_;
            reference_ = s;
            referenceScale_ = v->scale();
            return changed;
        }
        return false;  // no output for now: the last frame size stays
    }

    void describe(Output &o)
    {
        if (g_.outputManager && !o.xdgOutput) {
            o.xdgOutput = zxdg_output_manager_v1_get_xdg_output(g_.outputManager, o.output);
            zxdg_output_v1_add_listener(o.xdgOutput, &xdg_output_listener, &o);
        }
    }

    void add_seat(wl_registry *registry, uint32_t name);

    static void global(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
    {
        auto *s = self<FullScreenWayland>(data);
        Globals &g = s->g_;
        if (!std::strcmp(interface, wl_compositor_interface.name)) {
            g.compositorVersion = std::min(version, 4u);
            g.compositor = bind<wl_compositor>(registry, name, wl_compositor_interface, version, 4);
        } else if (!std::strcmp(interface, wl_shm_interface.name)) {
            g.shm = bind<wl_shm>(registry, name, wl_shm_interface, version, 1);
        } else if (!std::strcmp(interface, zwlr_layer_shell_v1_interface.name)) {
            g.layerShell = bind<zwlr_layer_shell_v1>(registry, name, zwlr_layer_shell_v1_interface, version, 4);
        } else if (!std::strcmp(interface, xdg_wm_base_interface.name)) {
            g.wmBase = bind<xdg_wm_base>(registry, name, xdg_wm_base_interface, version, 1);
            xdg_wm_base_add_listener(g.wmBase, &wm_base_listener, nullptr);
        } else if (!std::strcmp(interface, zxdg_output_manager_v1_interface.name)) {
            g.outputManager = bind<zxdg_output_manager_v1>(registry, name, zxdg_output_manager_v1_interface,
                                                           version, 2);
        } else if (!std::strcmp(interface, wl_output_interface.name) && version >= 2) {
            auto o = std::make_unique<Output>();
            o->stage = s;
            o->name = name;
            o->output = bind<wl_output>(registry, name, wl_output_interface, version, 2);
            wl_output_add_listener(o->output, &output_listener, o.get());
            if (s->running_)
                s->describe(*o);
            s->outputs_.push_back(std::move(o));
        } else if (!std::strcmp(interface, wl_seat_interface.name)) {
            s->add_seat(registry, name);
        }
    }

    static void global_remove(void *data, wl_registry *, uint32_t name)
    {
        auto *s = self<FullScreenWayland>(data);
        for (auto o = s->outputs_.begin(); o != s->outputs_.end(); ++o) {
            if ((*o)->name != name)
                continue;
            for (auto &seat : s->seats_)
                if (seat->pointerSurface && s->view_of(seat->pointerSurface) &&
                    &s->view_of(seat->pointerSurface)->output() == o->get())
                    seat->pointerSurface = nullptr;
            std::erase_if(s->views_, [&](const auto &v) { return &v->output() == o->get(); });
            s->outputs_.erase(o);
            return;
        }
        std::erase_if(s->seats_, [&](const auto &seat) { return seat->name == name; });
    }

    static void ping(void *, xdg_wm_base *base, uint32_t serial) { xdg_wm_base_pong(base, serial); }

    static constexpr wl_registry_listener registry_listener{global, global_remove};
    static constexpr xdg_wm_base_listener wm_base_listener{ping};

    Globals g_;
    wl_registry *registry_ = nullptr;
    xkb_context *xkb_ = nullptr;
    std::vector<std::unique_ptr<Output>> outputs_;
    std::vector<std::unique_ptr<SurfaceView>> views_;
    std::vector<std::unique_ptr<Seat>> seats_;
    ScreenSize reference_{0, 0};
    int referenceScale_ = 1;
    std::optional<Point> pointerStart_;
    bool running_ = false, prepared_ = false, ended_ = false, lost_ = false;
};

void Output::done_event(void *data, wl_output *)
{
    auto *o = self<Output>(data);
    o->scale = o->pendingScale;
    o->done = true;
    o->stage->output_ready(*o);
}

// --- Input -----------------------------------------------------------------

void keymap(void *data, wl_keyboard *, uint32_t format, int32_t fd, uint32_t size)
{
    auto *seat = self<Seat>(data);
    seat->forget_keymap();
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && size > 0) {
        void *text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (text != MAP_FAILED) {
            const char *chars = static_cast<const char *>(text);
            seat->keymap = xkb_keymap_new_from_buffer(seat->stage->xkb(), chars, strnlen(chars, size),
                                                      XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
            munmap(text, size);
        }
    }
    close(fd);
    if (seat->keymap)
        seat->keys = xkb_state_new(seat->keymap);
}
void keyboard_enter(void *, wl_keyboard *, uint32_t, wl_surface *, wl_array *) {}
void keyboard_leave(void *, wl_keyboard *, uint32_t, wl_surface *) {}
void key(void *data, wl_keyboard *, uint32_t, uint32_t, uint32_t key, uint32_t state)
{
    auto *seat = self<Seat>(data);
    if (state == WL_KEYBOARD_KEY_STATE_PRESSED)
        seat->stage->key_pressed(*seat, key);
}
void modifiers(void *data, wl_keyboard *, uint32_t, uint32_t depressed, uint32_t latched, uint32_t locked,
               uint32_t group)
{
    auto *seat = self<Seat>(data);
    if (seat->keys)
        xkb_state_update_mask(seat->keys, depressed, latched, locked, 0, 0, group);
}
const wl_keyboard_listener keyboard_listener{keymap, keyboard_enter, keyboard_leave, key, modifiers, nullptr};

void pointer_enter(void *data, wl_pointer *pointer, uint32_t serial, wl_surface *surface, wl_fixed_t sx,
                   wl_fixed_t sy)
{
    auto *seat = self<Seat>(data);
    wl_pointer_set_cursor(pointer, serial, nullptr, 0, 0);  // hidden over the clock
    seat->pointerSurface = surface;
    seat->stage->pointer_at(surface, sx, sy);
}
void pointer_leave(void *data, wl_pointer *, uint32_t, wl_surface *) { self<Seat>(data)->pointerSurface = nullptr; }
void motion(void *data, wl_pointer *, uint32_t, wl_fixed_t sx, wl_fixed_t sy)
{
    auto *seat = self<Seat>(data);
    seat->stage->pointer_at(seat->pointerSurface, sx, sy);
}
void button(void *data, wl_pointer *, uint32_t, uint32_t, uint32_t, uint32_t state)
{
    if (state == WL_POINTER_BUTTON_STATE_PRESSED)
        self<Seat>(data)->stage->touched();
}
// The wheel: buttons 4 and 5 on X11, which end the run there too.
void axis(void *data, wl_pointer *, uint32_t, uint32_t, wl_fixed_t) { self<Seat>(data)->stage->touched(); }
const wl_pointer_listener pointer_listener{pointer_enter, pointer_leave, motion, button, axis,
                                           nullptr, nullptr, nullptr, nullptr, nullptr};

void touch_down(void *data, wl_touch *, uint32_t, uint32_t, wl_surface *, int32_t, wl_fixed_t, wl_fixed_t)
{
    self<Seat>(data)->stage->touched();
}
void touch_up(void *, wl_touch *, uint32_t, uint32_t, int32_t) {}
void touch_motion(void *, wl_touch *, uint32_t, int32_t, wl_fixed_t, wl_fixed_t) {}
void touch_frame(void *, wl_touch *) {}
void touch_cancel(void *, wl_touch *) {}
const wl_touch_listener touch_listener{touch_down, touch_up, touch_motion, touch_frame, touch_cancel, nullptr, nullptr};

void capabilities(void *data, wl_seat *wlSeat, uint32_t caps)
{
    auto *seat = self<Seat>(data);
    const bool keyboard = caps & WL_SEAT_CAPABILITY_KEYBOARD, pointer = caps & WL_SEAT_CAPABILITY_POINTER,
               touch = caps & WL_SEAT_CAPABILITY_TOUCH;
    if (keyboard && !seat->keyboard) {
        seat->keyboard = wl_seat_get_keyboard(wlSeat);
        wl_keyboard_add_listener(seat->keyboard, &keyboard_listener, seat);
    } else if (!keyboard && seat->keyboard) {
        wl_keyboard_destroy(seat->keyboard);
        seat->keyboard = nullptr;
        seat->forget_keymap();
    }
    if (pointer && !seat->pointer) {
        seat->pointer = wl_seat_get_pointer(wlSeat);
        wl_pointer_add_listener(seat->pointer, &pointer_listener, seat);
    } else if (!pointer && seat->pointer) {
        wl_pointer_destroy(seat->pointer);
        seat->pointer = nullptr;
    }
    if (touch && !seat->touch) {
        seat->touch = wl_seat_get_touch(wlSeat);
        wl_touch_add_listener(seat->touch, &touch_listener, seat);
    } else if (!touch && seat->touch) {
        wl_touch_destroy(seat->touch);
        seat->touch = nullptr;
    }
}
const wl_seat_listener seat_listener{capabilities, nullptr};

void FullScreenWayland::add_seat(wl_registry *registry, uint32_t name)
{
    auto seat = std::make_unique<Seat>();
    seat->stage = this;
    seat->name = name;
    seat->seat = bind<wl_seat>(registry, name, wl_seat_interface, 1, 1);
    wl_seat_add_listener(seat->seat, &seat_listener, seat.get());
    seats_.push_back(std::move(seat));
}

}  // namespace

std::unique_ptr<ClockStage> open_full_screen_wayland()
{
    auto stage = std::make_unique<FullScreenWayland>();
    if (!stage->open())
        return nullptr;
    return stage;
}
