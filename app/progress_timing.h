// ProgressTiming: when a print job's progress window appears, and when the job lets the
// thread's messages through, from a clock in milliseconds.
#pragma once

#include <cstdint>

class ProgressTiming {
public:
    // A job shows its window once it has run this long, so short jobs show nothing new.
    static constexpr std::uint64_t kShowAfterMs = 300;
    // The longest stretch without a look at the messages, well inside the 50 ms that keep a
    // window answering.
    static constexpr std::uint64_t kPumpEveryMs = 25;

    // The job starts at `now`.
    void Start(std::uint64_t now);
    // Whether the job should let messages through at `now`, on page `page` of file `file`:
    // at every new page or file, and otherwise once kPumpEveryMs have passed since the last
    // time. A yes counts as done at `now`.
    bool PumpDue(std::uint64_t now, int file, std::int64_t page);
    // Whether the window should be shown at `now`. A clock that goes back shows nothing new.
    bool ShowDue(std::uint64_t now) const { return now >= start_ && now - start_ >= kShowAfterMs; }

private:
    std::uint64_t start_ = 0;
    std::uint64_t lastPump_ = 0;
    int file_ = 0;
    std::int64_t page_ = 0;
};
