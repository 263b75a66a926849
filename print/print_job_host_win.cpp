// SystemPrintJobHost: message boxes and the wait cursor for a print job.
#include "print/print_job_host_win.h"

void SystemPrintJobHost::Warn(const char* text, const char* caption) {
    MessageBoxA(owner_, text, caption, MB_OK | MB_ICONWARNING);
}

bool SystemPrintJobHost::AskNextSheet() {
    return MessageBoxA(nullptr, "Insert next sheet", "Pause", MB_OKCANCEL | MB_ICONWARNING) !=
           IDCANCEL;
}
