// SystemPrintJobHost: a print job's questions as the system's message boxes.
#pragma once

#include <optional>

#include "print/print_job.h"
#include "print/wait_cursor_win.h"

class SystemPrintJobHost : public PrintJobHost {
public:
    // "Can't open file" and the like: ShowWarning, owned by the main window.
    void Warn(const char* text, const char* caption) override;
    // "Insert next sheet", caption "Pause", OK and Cancel, no owner window.
    bool AskNextSheet() override;
    void BeginWait() override { wait_.emplace(); }
    void EndWait() override { wait_.reset(); }

private:
    std::optional<WaitCursor> wait_;
};
