// SystemPrintJobHost: message boxes and the wait cursor for a print job.
#include "print/print_job_host_win.h"

#include "app/app_globals.h"

void SystemPrintJobHost::Warn(const char* text, const char* caption) {
    ShowWarning(text, caption);
}

bool SystemPrintJobHost::AskNextSheet() {
    return MessageBoxA(nullptr, "Insert next sheet", "Pause", MB_OKCANCEL | MB_ICONWARNING) !=
           IDCANCEL;
}
