// SystemPrintJobHost: a print job's questions as the system's message boxes.
#pragma once

#include <windows.h>

#include <optional>

#include "print/print_job.h"
#include "print/wait_cursor_win.h"

class SystemPrintJobHost : public PrintJobHost {
public:
    // `owner` owns the warnings (the shell passes its main window); null: no owner.
    explicit SystemPrintJobHost(HWND owner = nullptr) : owner_(owner) {}

    // "Can't open file" and the like: warning icon, one OK button, owned by the owner.
    void Warn(const char* text, const char* caption) override;
    // "Insert next sheet", caption "Pause", OK and Cancel, no owner window.
    bool AskNextSheet() override;
    void BeginWait() override { wait_.emplace(); }
    void EndWait() override { wait_.reset(); }

private:
    HWND owner_;
    std::optional<WaitCursor> wait_;
};
