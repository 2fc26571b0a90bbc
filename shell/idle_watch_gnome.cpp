// GNOME's compositor offers no idle protocol to its clients; its idle
// monitor on the session bus does the same work. Its watches live as long
// as the connection that asked for them, so the host keeps one connection.
// The monitor counts raw input only: applications that hold the screen
// saver back (a film playing) ask the session manager, which is asked here.
#include <gio/gio.h>

#include "shell/idle_watch.h"

namespace {

constexpr const char *MONITOR = "org.gnome.Mutter.IdleMonitor";
constexpr const char *MONITOR_PATH = "/org/gnome/Mutter/IdleMonitor/Core";
constexpr guint32 INHIBIT_IDLE = 8;  // the session manager's "idle" inhibit flag

class GnomeIdleWatch : public IdleWatch {
public:
    ~GnomeIdleWatch() override
    {
        if (!bus_) return;
        if (subscription_) g_dbus_connection_signal_unsubscribe(bus_, subscription_);
        g_object_unref(bus_);
    }

    bool open()
    {
        bus_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
        if (!bus_) return false;
        g_dbus_connection_set_exit_on_close(bus_, FALSE);
        g_signal_connect(bus_, "closed", G_CALLBACK(+[](GDBusConnection *, gboolean, GError *, gpointer data) {
                             static_cast<GnomeIdleWatch *>(data)->closed_ = true;
                         }),
                         this);
        subscription_ = g_dbus_connection_signal_subscribe(bus_, MONITOR, MONITOR, "WatchFired", MONITOR_PATH,
                                                           nullptr, G_DBUS_SIGNAL_FLAGS_NONE, fired, this, nullptr);
        GVariant *idleTime = call(MONITOR, MONITOR_PATH, MONITOR, "GetIdletime", nullptr);
        if (!idleTime) return false;
        g_variant_unref(idleTime);
        return true;
    }

    bool wait_until_idle(unsigned seconds) override
    {
        for (;;) {
            if (!await("AddIdleWatch", g_variant_new("(t)", guint64(seconds) * 1000))) return false;
            if (!inhibited()) return true;
            // Held back: wait for someone to come back, then count again.
            if (!await("AddUserActiveWatch", nullptr)) return false;
        }
    }

private:
    GVariant *call(const char *name, const char *path, const char *interface, const char *method, GVariant *args)
    {
        return g_dbus_connection_call_sync(bus_, name, path, interface, method, args, nullptr,
                                           G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr);
    }

    // Adds a watch with `method` and waits for it to fire; false when the
    // bus went away or the monitor refused.
    bool await(const char *method, GVariant *args)
    {
        GVariant *reply = call(MONITOR, MONITOR_PATH, MONITOR, method, args);
        if (!reply) return false;
        g_variant_get(reply, "(u)", &awaited_);
        g_variant_unref(reply);
        fired_ = false;
        while (!fired_ && !closed_) g_main_context_iteration(nullptr, TRUE);
        // An idle watch fires again at every idle period until removed.
        GVariant *removed = call(MONITOR, MONITOR_PATH, MONITOR, "RemoveWatch", g_variant_new("(u)", awaited_));
        if (removed) g_variant_unref(removed);
        return fired_;
    }

    bool inhibited()
    {
        GVariant *reply = call("org.gnome.SessionManager", "/org/gnome/SessionManager", "org.gnome.SessionManager",
                               "IsInhibited", g_variant_new("(u)", INHIBIT_IDLE));
        gboolean held = FALSE;
        if (reply) {
            g_variant_get(reply, "(b)", &held);
            g_variant_unref(reply);
        }
        return held;
    }

    static void fired(GDBusConnection *, const char *, const char *, const char *, const char *, GVariant *args,
                      gpointer data)
    {
        auto *w = static_cast<GnomeIdleWatch *>(data);
        guint32 id = 0;
        g_variant_get(args, "(u)", &id);
        if (id == w->awaited_) w->fired_ = true;
    }

    GDBusConnection *bus_ = nullptr;
    guint subscription_ = 0;
    guint32 awaited_ = 0;
    bool fired_ = false;
    bool closed_ = false;
};

}  // namespace

std::unique_ptr<IdleWatch> open_gnome_idle_watch()
{
    auto watch = std::make_unique<GnomeIdleWatch>();
    if (!watch->open()) return nullptr;
    return watch;
}
