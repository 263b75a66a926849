// RecordingJobHost: answers a print job's questions from a script and records them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "print/page_recorder.h"
#include "print/print_job.h"

class RecordingJobHost : public PrintJobHost {
public:
    explicit RecordingJobHost(PageRecorder& recorder) : recorder_(recorder) {}

    // The K-th single-sheet question (from 1) is answered with Cancel; 0: never.
    void CancelAtPause(int pause) { cancelAt_ = pause; }

    // Whether Reports keeps the progress reports (it does at first). A long job reports every
    // few lines: the layout tool, which never looks at them, keeps none, so that its memory
    // stays the same whatever the file's length.
    void KeepReports(bool keep) { keepReports_ = keep; }

    // The user stops the job when `stop` says so of a progress report (none: never).
    void StopWhen(std::function<bool(const JobProgress&)> stop) { stop_ = std::move(stop); }

    void Warn(const char* text, const char* caption) override;
    bool Proceed(const JobProgress& progress) override;
    bool AskNextSheet() override;
    void BeginWait() override { ++waitDepth_; }
    void EndWait() override { --waitDepth_; }

    const std::string& Warnings() const { return warnings_; }
    int WaitDepth() const { return waitDepth_; }
    // Every progress report, as "file/files:page path".
    const std::vector<std::string>& Reports() const { return reports_; }

private:
    PageRecorder& recorder_;
    int cancelAt_ = 0;
    int asked_ = 0;
    int waitDepth_ = 0;
    std::string warnings_;
    std::function<bool(const JobProgress&)> stop_;
    std::vector<std::string> reports_;
    bool keepReports_ = true;
};
