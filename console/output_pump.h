// Showing what an interpreter prints in the run box, live.
//
// A pump thread drains its own pipe as fast as the interpreter writes, so the command never waits for the
// window. What it reads goes into the pump's OutputSink; the main window is told through WM_APP_OUTPUT_READY
// only when the sink turns from empty to holding text. The window, on its own thread, takes everything that
// has gathered in all sinks and appends it in few, large slices: an append to an edit box costs about as much
// for one byte as for a whole slice, so the number of appends is what decides the speed.
#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <vector>

#include "common/text.h"

namespace torvane {

// The hand-over point between one pump thread and the user-interface thread. The lock guards a text that is
// only appended to or taken whole; neither side holds it while doing anything else.
class OutputSink {
public:
    explicit OutputSink(HWND notify) : notify_(notify) {}

    // Pump thread: adds text; tells the window if it did not know of waiting text yet.
    void Push(std::string_view text);
    // Pump thread: the pipe has ended; no text follows.
    void End();
    // User-interface thread: takes the waiting text. `ended` tells whether the pump is done.
    Text Take(bool& ended);
    // User-interface thread: the window is going away; from now on the pump's text is dropped.
    void Detach();

private:
    void NotifyLocked();

    std::mutex lock_;
    HWND notify_;
    Text pending_;
    bool notified_ = false;
    bool ended_ = false;
    bool detached_ = false;
};

// Starts a pump thread reading `readEnd`, which it owns and closes at the end of the pipe.
void StartOutputPump(std::shared_ptr<OutputSink> sink, HANDLE readEnd);

// The user-interface side: the run box and the text waiting to be appended to it.
class OutputView {
public:
    explicit OutputView(HWND window) : window_(window) {}

    // A new launch writes into `box`, which the launcher has just cleared: what earlier pumps read but the
    // box did not show yet is dropped with what the box held.
    std::shared_ptr<OutputSink> AddSink(HWND box);
    void OnReady(OutputSink* sink);
    void OnFlush();
    void Detach();

private:
    void Gather();
    void AppendSlice();

    HWND window_;
    HWND box_ = nullptr;
    std::vector<std::shared_ptr<OutputSink>> sinks_;
    Text backlog_;
    bool flushPosted_ = false;
    bool detached_ = false;
};

}  // namespace torvane
