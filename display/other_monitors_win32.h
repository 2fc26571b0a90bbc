// Windows: the monitors beside the one the graphics mode took. Each is
// covered by a topmost window of ours, in the style's colour, that shows the
// clock scaled to it with plain GDI and whose input ends the run by the exit
// test. With one monitor there is no such window.
#pragma once

#include <memory>
#include <vector>

#include "display/clock_view.h"

class MonitorView;

class OtherMonitors {
public:
    // Covers the other monitors as they are once the graphics mode is set;
    // `start` is the library's mouse position at the start of the run.
    OtherMonitors(Rgb colour, Point start);
    ~OtherMonitors();

    std::vector<ClockView *> views() const;

    // Serves this thread's messages without waiting. True once input over
    // one of the windows ends the run.
    bool input_ends();

    // What the windows' messages tell; shared by all of them.
    struct Pointer {
        Point start;              // the library's mouse at the start
        Point cursorStart{0, 0};  // the system's pointer then, on the desktop
        bool cursorKnown = false;
        bool ended = false;
    };

private:
    Pointer pointer_;
    std::vector<std::unique_ptr<MonitorView>> views_;
};
