// The main window's View, Delete and About commands.
#include "app/file_commands_win.h"

void ViewCommand(HWND, int) {}

void DeleteCommand(HWND, HWND, int) {}

void AboutCommand(HWND) {}
