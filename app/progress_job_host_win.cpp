// ProgressJobHost: the progress window and the messages of the thread while a job prints.
#include "app/progress_job_host_win.h"

#include "print/gdi_print_surface_win.h"

namespace {

// Milliseconds of the tick count. The job asks at every page and every 64 lines, so the
// reading must cost next to nothing: the tick count is read from memory the system keeps
// current (about 2 ns), where the performance counter costs some 75 ns under Wine. Its steps
// of 15 or 16 ms on Windows stretch the 20 ms between two looks at the messages to at most
// 36, still inside the 50 ms that keep the windows answering.
std::uint64_t SystemClock() {
    return GetTickCount64();
}

}  // namespace

ProgressJobHost::ProgressJobHost(HWND owner, Clock clock)
    : SystemPrintJobHost(owner), owner_(owner), clock_(clock != nullptr ? clock : SystemClock) {}

ProgressJobHost::~ProgressJobHost() {
    if (running_) {
        EndWait();
    }
}

void ProgressJobHost::Warn(const char* text, const char* caption) {
    SystemPrintJobHost::Warn(text, caption);
    // The message box enables its owner when it ends.
    if (running_ && owner_ != nullptr) {
        EnableWindow(owner_, FALSE);
    }
}

void ProgressJobHost::BeginWait() {
    SystemPrintJobHost::BeginWait();
    running_ = true;
    cancelled_ = false;
    timing_.Start(clock_());
    if (owner_ != nullptr) {
        ownerWasEnabled_ = !EnableWindow(owner_, FALSE);
    }
    SetPrintAbortCheck(AbortCheck, this);
}

void ProgressJobHost::EndWait() {
    SetPrintAbortCheck(nullptr, nullptr);
    running_ = false;
    // The owner is enabled before its owned window goes, so that the system gives it the
    // activation rather than another program's window.
    if (owner_ != nullptr && ownerWasEnabled_) {
        EnableWindow(owner_, TRUE);
    }
    const bool shown = window_.hwnd != nullptr;
    window_.Close();
    if (shown && owner_ != nullptr) {
        SetActiveWindow(owner_);
    }
    SystemPrintJobHost::EndWait();
}

bool ProgressJobHost::Proceed(const JobProgress& progress) {
    if (cancelled_) {
        return false;
    }
    last_ = progress;
    const std::uint64_t now = clock_();
    if (!timing_.PumpDue(now)) {
        return true;
    }
    if (window_.hwnd == nullptr && running_ && timing_.ShowDue(now)) {
        window_.Show(owner_, progress.path, progress.file, progress.files, progress.page);
        // The wait cursor stays over the main window; over this one the arrow serves Cancel.
    }
    window_.SetProgress(progress.path, progress.file, progress.files, progress.page);
    Pump();
    return !cancelled_;
}

bool ProgressJobHost::AbortCheck(void* host) {
    auto* self = static_cast<ProgressJobHost*>(host);
    if (!self->cancelled_) {
        self->Proceed(self->last_);
    }
    return !self->cancelled_;
}

void ProgressJobHost::Pump() {
    ++pumps_;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // For the main loop: the job ends as cancelled, and the quit goes on.
            PostQuitMessage(static_cast<int>(message.wParam));
            cancelled_ = true;
            break;
        }
        if (window_.TakeKey(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (window_.Cancelled()) {
        cancelled_ = true;
    }
    // Dispatched mouse moves set the class cursors again; the main window keeps the wait
    // cursor while the job runs.
    POINT at;
    if (owner_ != nullptr && GetCursorPos(&at)) {
        HWND under = WindowFromPoint(at);
        if (under == owner_ || IsChild(owner_, under)) {
            SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        }
    }
}
