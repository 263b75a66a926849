// ProgressTiming: the progress window's delay and the job's message looks.
#include "app/progress_timing.h"

void ProgressTiming::Start(std::uint64_t now) {
    start_ = now;
    lastPump_ = now;
    file_ = 0;
    page_ = 0;
}

bool ProgressTiming::PumpDue(std::uint64_t now, int file, std::int64_t page) {
    bool turned = file != file_ || page != page_;
    // A clock that went back counts as time passed: the messages are looked at.
    bool waited = now < lastPump_ || now - lastPump_ >= kPumpEveryMs;
    if (!turned && !waited) {
        return false;
    }
    file_ = file;
    page_ = page;
    lastPump_ = now;
    return true;
}
