// ProgressTiming: the progress window's delay and the job's message looks.
#include "app/progress_timing.h"

void ProgressTiming::Start(std::uint64_t now) {
    start_ = now;
    lastPump_ = now;
}

bool ProgressTiming::PumpDue(std::uint64_t now) {
    if (now >= lastPump_ && now - lastPump_ < kPumpEveryMs) {
        return false;
    }
    lastPump_ = now;
    return true;
}
