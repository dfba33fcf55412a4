#pragma once
// The progress of a long operation on a design (open, save, export, reduction,
// filters, repeats): the engine reports the units done of the whole as it goes;
// the listener shows a bar once the operation looks like taking over half a
// second, and answers false when the user pressed Cancel. An engine asks only
// where stopping is safe, and then leaves the design exactly as it was.

#include <cstdint>
#include <functional>

using TProgressFn = std::function<bool(int64_t done, int64_t total)>;

// True to go on: nobody listens, or the listener did not ask to stop.
inline bool ReportProgress(const TProgressFn& progress, int64_t done, int64_t total) {
    return !progress || progress(done, total);
}

// progress passed on, noting in stopped whether the listener asked to stop, so that
// a caller can tell a stop from a failure. Empty when progress is.
inline TProgressFn NoteStop(const TProgressFn& progress, bool& stopped) {
    if (!progress) return {};
    return [&progress, &stopped](int64_t done, int64_t total) {
        stopped = !progress(done, total);
        return !stopped;
    };
}
