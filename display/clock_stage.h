// What a run of the clock is shown on: the monitors of a full screen, or a
// host's window. A stage owns its views and its connection to the display
// system; the frame loop asks it for events and waits on its connection.
#pragma once

#include <vector>

#include "display/clock_logic.h"
#include "display/clock_view.h"

// What the loop waits on after a pass: the stage's descriptor (-1: none),
// unless events were read already and wait to be handled.
struct WaitFor {
    int fd = -1;
    bool pending = false;
};

struct StageEvents {
    bool end = false;      // input ended the run, or what it showed on went away
    bool resized = false;  // the area the frame is composed for changed size
};

class ClockStage {
public:
    virtual ~ClockStage() = default;

    // The frame to compose for a face of `face` size: on Linux as
    // composition_size gives it for the primary monitor or the host's
    // window; where a screen mode was switched, the screen's size.
    virtual ScreenSize frame_size(ScreenSize face) const = 0;

    // The views as they are now; outputs may come and go.
    virtual std::vector<ClockView *> views() = 0;

    // Handles what the display system sent, without waiting: input, views
    // gone, sizes changed, exposure (which marks a view damaged).
    virtual StageEvents read_events() = 0;

    // Sends what the views were given and says what to wait on for the next
    // events.
    virtual WaitFor prepare_wait() = 0;

    // After the wait: whether that descriptor had something to read. Every
    // prepare_wait is followed by one finish_wait.
    virtual void finish_wait(bool readable) { (void)readable; }
};

// How a run starts: the full screen shows "Loading..." while the face
// loads, then the face without hands until the second changes; a host's
// window shows the whole clock at once.
enum class StartScreen { Loading, WholeClock };

// Runs the clock on `stage` until the stage ends it or a signal asks the
// program to end; the settings are loaded. Returns 0 after such a run, 1
// when no frame could be had.
int run_clock_on(ClockStage &stage, StartScreen start);
