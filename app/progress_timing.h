// ProgressTiming: when a print job's progress window appears, and when the job lets the
// thread's messages through, from a clock in milliseconds.
#pragma once

#include <cstdint>

class ProgressTiming {
public:
    // A job shows its window once it has run this long, so short jobs show nothing new.
    static constexpr std::uint64_t kShowAfterMs = 300;
    // The job looks at the messages when it is between pages or lines and this long has
    // passed since the last look: well inside the 50 ms that keep a window answering, yet
    // rare enough that a fast printer's thousands of pages a second pay nothing for it.
    static constexpr std::uint64_t kPumpEveryMs = 20;

    // The job starts at `now`.
    void Start(std::uint64_t now);
    // Whether the job should let messages through at `now`: once kPumpEveryMs have passed
    // since the start or the last time (a clock that went back counts as passed). A yes
    // counts as done at `now`.
    bool PumpDue(std::uint64_t now);
    // Whether the window should be shown at `now`. A clock that goes back shows nothing new.
    bool ShowDue(std::uint64_t now) const { return now >= start_ && now - start_ >= kShowAfterMs; }

private:
    std::uint64_t start_ = 0;
    std::uint64_t lastPump_ = 0;
};
