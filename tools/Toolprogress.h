#pragma once
// TToolProgress: the share done of a long tool operation, for the status bar.
// It says nothing until the operation looks like lasting over half a second:
// from a tenth of a second on, the time so far divided by the share done
// estimates the whole. Then it reports percents (0 .. 100) as they change, and
// -1 when it goes, so the bar hides again.

#include "platform/Progress.h"

#include <QElapsedTimer>
#include <cstdint>
#include <functional>

// Runs a long job that reports to the listener it is given (a window's progress
// window with Cancel, or nothing); returns the job's code.
using TLongRun = std::function<uint32_t(const std::function<uint32_t(const TProgressFn&)>& job)>;

class TToolProgress {
  public:
    // total: the units of work (rows, pixels) Step counts against; sink may be empty.
    TToolProgress(std::function<void(int)> sink, int64_t total) : Sink(std::move(sink)), Total(total) {
        Clock.start();
    }
    ~TToolProgress() {
        if (Shown) Sink(-1);
    }
    TToolProgress(const TToolProgress&) = delete;
    TToolProgress& operator=(const TToolProgress&) = delete;

    // done units of total are finished.
    void Step(int64_t done) {
        if (!Sink || Total <= 0 || done <= 0) return;
        if (!Shown) {
            const int64_t ms = Clock.elapsed();
            if (ms < 100 || ms * Total < 500 * done) return; // short: no bar
            Shown = true;
        }
        const int percent = int(done * 100 / Total);
        if (percent == Last) return;
        Last = percent;
        Sink(percent);
    }

  private:
    std::function<void(int)> Sink;
    int64_t Total;
    QElapsedTimer Clock;
    bool Shown = false;
    int Last = -1;
};
