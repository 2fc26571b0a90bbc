// How the idle host learns that nobody has touched the session for a while,
// where the X server's idle counter is not there to ask: a Wayland
// compositor's idle protocol, or GNOME's idle monitor on the session bus.
#pragma once

#include <memory>

class IdleWatch {
public:
    virtual ~IdleWatch() = default;

    // Waits until the session has had no input for `seconds`, counted from
    // the last input or from this call, whichever came later; an application
    // that holds idleness back (a film playing) holds the wait back too.
    // False when the watch was lost: the compositor or the bus went away.
    virtual bool wait_until_idle(unsigned seconds) = 0;
};

// The compositor's ext-idle-notify-v1, else its org_kde_kwin_idle; nullptr
// when $WAYLAND_DISPLAY names no compositor that answers or it has neither.
std::unique_ptr<IdleWatch> open_wayland_idle_watch();

// GNOME's idle monitor (org.gnome.Mutter.IdleMonitor); nullptr when the
// session bus has none.
std::unique_ptr<IdleWatch> open_gnome_idle_watch();
