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

bool RecordingJobHost::Proceed(const JobProgress& progress) {
    if (!keepReports_) {
        return !(stop_ && stop_(progress));
    }
    reports_.push_back(std::to_string(progress.file) + "/" + std::to_string(progress.files) + ":" +
                       std::to_string(progress.page) + " " + progress.path);
    return !(stop_ && stop_(progress));
}
