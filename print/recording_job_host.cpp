// RecordingJobHost: scripted answers for a print job.
#include "print/recording_job_host.h"

void RecordingJobHost::Warn(const char* text, const char* caption) {
    warnings_ += std::string(caption) + ": " + text + "\n";
}

bool RecordingJobHost::AskNextSheet() {
    ++asked_;
    recorder_.Pause();
    return asked_ != cancelAt_;
}
