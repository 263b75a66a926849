// RecordingJobHost: scripted answers for a print job.
#include "print/recording_job_host.h"

void RecordingJobHost::Warn(const char* text, const char* caption) {
    warnings_ += std::string(caption) + ": " + text + "\n";
}

bool RecordingJobHost::AskNextSheet() {
    ++asked_;
    bool answer = asked_ != cancelAt_;
    recorder_.Pause(!answer);
    return answer;
}
