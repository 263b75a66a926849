// ProgressJobHost: the print job as the user follows it: the main window disabled, the wait
// cursor, the progress window once the job has run a while, and Cancel.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/progress_timing.h"
#include "print/print_job_host_win.h"
#include "ui/progress_window.h"

class ProgressJobHost : public SystemPrintJobHost {
public:
    using Clock = std::uint64_t (*)();

    // `owner` is the main window; `clock` gives milliseconds (the tick count by default).
    explicit ProgressJobHost(HWND owner, Clock clock = nullptr);
    ~ProgressJobHost() override;
    ProgressJobHost(const ProgressJobHost&) = delete;
    ProgressJobHost& operator=(const ProgressJobHost&) = delete;

    // A warning during the job leaves the owner disabled, as the job needs it.
    void Warn(const char* text, const char* caption) override;
    // The job has started (the dialog is answered): the owner is disabled, the clock starts
    // and the system's abort procedure asks this host.
    void BeginWait() override;
    // The job has ended: the window goes and the owner is enabled and active again.
    void EndWait() override;
    // Lets the messages through every ProgressTiming::kPumpEveryMs, shows the window once the
    // job has run
    // ProgressTiming::kShowAfterMs, and keeps its texts current. False once the user
    // cancelled.
    bool Proceed(const JobProgress& progress) override;

    // The progress window, null while it is not shown.
    HWND Window() const { return window_.hwnd; }
    bool Cancelled() const { return cancelled_; }
    // Times the messages were let through.
    int Pumps() const { return pumps_; }

private:
    static bool AbortCheck(void* host);
    // Dispatches every waiting message; Enter and Esc on the window cancel.
    void Pump();

    HWND owner_;
    Clock clock_;
    ProgressTiming timing_;
    ProgressWindow window_;
    bool running_ = false;
    bool cancelled_ = false;
    bool ownerWasEnabled_ = false;
    int pumps_ = 0;
    JobProgress last_;
};
