// WinMain: loads the settings and runs the main window; the program's objects exist already.
#include <windows.h>

#include <commctrl.h>

#include "app/main_window_win.h"
#include "app/program.h"
#include "app/settings_store.h"
#include "res/resource.h"
#include "ui/window_dpi.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    ProgramInstance = instance;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // Nothing is selected into the printer yet: this is the face of its own default font.
    char face[PrintSettings::kFaceSize];
    Printer.ReadFaceName(face, sizeof face);
    LoadSettings(Settings, face);
    // The window is not there yet: the resolution of the screen it opens on.
    INT_PTR result =
        DialogBoxForDpi(instance, IDD_MAIN, nullptr, MainDialogProc, 0, WindowDpi(nullptr));
    // A main window that could not be made is a failure, not the normal exit code 0.
    return result == -1 ? 1 : static_cast<int>(result);
}
