// The main window's View, Delete and About commands, through the program's own windows.
#include "app/file_commands_win.h"

#include <cstring>

#include "app/app_globals.h"
#include "app/program.h"
#include "res/resource.h"

namespace {

constexpr char kAboutText[] =
    "Quillmar Ver 2.07\nPrints text files with margins, line numbers and page footers";
// The project's home, shown as the about box's link line.
constexpr char kHomeAddress[] = "https://quillmar.example.org/";
constexpr char kDeleteQuestion[] = "OK to delete?\n";

constexpr int kViewerWidth = 622;
constexpr int kViewerHeight = 402;
// A page stands upright: the preview is taller than wide.
constexpr int kPreviewWidth = 520;
constexpr int kPreviewHeight = 660;

// The viewed file's path: the viewer keeps the address, not a copy, while it is open.
char ViewedPath[FileList::kPathSize];

}  // namespace

void ViewCommand(HWND mainWindow, int selection) {
    if (selection < 0 || Viewer.hwnd != nullptr) {
        return;
    }
    Files.GetFilePath(selection, ViewedPath, sizeof ViewedPath);
    if (ViewedPath[0] == '\0') {
        return;
    }
    Viewer.Open(mainWindow, ViewedPath, kViewerWidth, kViewerHeight, -1);
}

void PreviewCommand(HWND mainWindow, int selection) {
    if (selection < 0 || Preview.hwnd != nullptr) {
        return;
    }
    char path[FileList::kPathSize];
    Files.GetFilePath(selection, path, sizeof path);
    if (path[0] == '\0') {
        return;
    }
    // The printer in force, with the settings in force; without one, the virtual page.
    PrintSurface* printer = Printer.HasDevice() ? Printer.Surface() : nullptr;
    Preview.Open(mainWindow, path, Settings, printer, kPreviewWidth, kPreviewHeight, IDM_PRINT);
}

void DeleteSelectedFile(HWND list, int selection) {
    if (selection < 0) {
        return;
    }
    char path[FileList::kPathSize];
    Files.GetFilePath(selection, path, sizeof path);
    if (path[0] == '\0') {
        return;  // a directory or the parent row: nothing is asked
    }
    // The question shows the whole path that DeleteFileA gets: GetFilePath never cuts one.
    char question[sizeof kDeleteQuestion + FileList::kPathSize];
    std::strcpy(question, kDeleteQuestion);
    std::strcat(question, path);
    const int answer = Question.ShowModal(MainWindowHandle, question, "Delete",
                                          MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, 0,
                                          RGB(255, 255, 255), RGB(255, 0, 0), RGB(128, 128, 128));
    if (answer != IDYES) {
        return;
    }
    if (!DeleteFileA(path)) {
        return;  // refused by the system: no message, the list stays
    }
    // Only the row of the deleted file leaves the list.
    char rowPath[FileList::kPathSize];
    Files.GetFilePath(selection, rowPath, sizeof rowPath);
    if (std::strcmp(rowPath, path) != 0 || !Files.RemoveEntry(selection)) {
        return;
    }
    LRESULT top = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
    SendMessageA(list, LB_SETCOUNT, static_cast<WPARAM>(Files.Count()), 0);
    SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    InvalidateRect(list, nullptr, TRUE);
}

void AboutCommand(HWND mainWindow) {
    About.ShowModal(mainWindow, kAboutText, kHomeAddress, 0, IDI_PROGRAM, RGB(0, 0, 0),
                    RGB(192, 192, 192), RGB(128, 128, 128));
}
