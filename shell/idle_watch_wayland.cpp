// The compositor's own idle count. ext-idle-notify-v1 is the agreed
// protocol; compositors of wlroots before 0.17 (sway 1.7) and older KDE
// Plasma offer only KDE's org_kde_kwin_idle, which works alike. Both count
// from the last input and are held back by idle inhibitors.
#include <wayland-client.h>

#include <cstring>

#include "ext-idle-notify-v1-client.h"
#include "idle-client.h"
#include "shell/idle_watch.h"

namespace {

class WaylandIdleWatch : public IdleWatch {
public:
    ~WaylandIdleWatch() override
    {
        if (notifier_) ext_idle_notifier_v1_destroy(notifier_);
        if (kde_) org_kde_kwin_idle_destroy(kde_);
        if (seat_) wl_seat_destroy(seat_);
        if (registry_) wl_registry_destroy(registry_);
        if (display_) wl_display_disconnect(display_);
    }

    bool open()
    {
        display_ = wl_display_connect(nullptr);
        if (!display_) return false;
        registry_ = wl_display_get_registry(display_);
        wl_registry_add_listener(registry_, &registry_listener, this);
        return wl_display_roundtrip(display_) >= 0 && seat_ && (notifier_ || kde_);
    }

    bool wait_until_idle(unsigned seconds) override
    {
        // A fresh notification each time: its count starts now, so the
        // clock that just ended does not count as idle time.
        idle_ = false;
        unsigned ms = seconds * 1000;
        ext_idle_notification_v1 *notification = nullptr;
        org_kde_kwin_idle_timeout *timeout = nullptr;
        if (notifier_) {
            notification = ext_idle_notifier_v1_get_idle_notification(notifier_, ms, seat_);
            ext_idle_notification_v1_add_listener(notification, &notification_listener, this);
        } else {
            timeout = org_kde_kwin_idle_get_idle_timeout(kde_, seat_, ms);
            org_kde_kwin_idle_timeout_add_listener(timeout, &timeout_listener, this);
        }
        bool alive = true;
        while (!idle_ && alive) alive = wl_display_dispatch(display_) >= 0;
        if (notification) ext_idle_notification_v1_destroy(notification);
        if (timeout) org_kde_kwin_idle_timeout_release(timeout);
        return alive && wl_display_flush(display_) >= 0;
    }

private:
    static void global(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t)
    {
        auto *w = static_cast<WaylandIdleWatch *>(data);
        if (!strcmp(interface, wl_seat_interface.name) && !w->seat_)
            w->seat_ = static_cast<wl_seat *>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
        else if (!strcmp(interface, ext_idle_notifier_v1_interface.name))
            w->notifier_ = static_cast<ext_idle_notifier_v1 *>(
                wl_registry_bind(registry, name, &ext_idle_notifier_v1_interface, 1));
        else if (!strcmp(interface, org_kde_kwin_idle_interface.name))
            w->kde_ = static_cast<org_kde_kwin_idle *>(
                wl_registry_bind(registry, name, &org_kde_kwin_idle_interface, 1));
    }
    static void global_remove(void *, wl_registry *, uint32_t) {}
    static void idled(void *data, ext_idle_notification_v1 *) { static_cast<WaylandIdleWatch *>(data)->idle_ = true; }
    static void resumed(void *, ext_idle_notification_v1 *) {}
    static void kde_idle(void *data, org_kde_kwin_idle_timeout *) { static_cast<WaylandIdleWatch *>(data)->idle_ = true; }
    static void kde_resumed(void *, org_kde_kwin_idle_timeout *) {}

    static constexpr wl_registry_listener registry_listener{global, global_remove};
    static constexpr ext_idle_notification_v1_listener notification_listener{idled, resumed};
    static constexpr org_kde_kwin_idle_timeout_listener timeout_listener{kde_idle, kde_resumed};

    wl_display *display_ = nullptr;
    wl_registry *registry_ = nullptr;
    wl_seat *seat_ = nullptr;
    ext_idle_notifier_v1 *notifier_ = nullptr;
    org_kde_kwin_idle *kde_ = nullptr;
    bool idle_ = false;
};

}  // namespace

std::unique_ptr<IdleWatch> open_wayland_idle_watch()
{
    auto watch = std::make_unique<WaylandIdleWatch>();
    if (!watch->open()) return nullptr;
    return watch;
}
