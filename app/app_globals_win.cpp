// Program-wide state of the application shell.
#include "app/app_globals.h"

HWND MainWindowHandle = nullptr;
int DirectoryChanged = 0;
int SettingsChanged = 0;

void ShowWarning(const char* text, const char* caption) {
    MessageBoxA(MainWindowHandle, text, caption, MB_OK | MB_ICONWARNING);
}
