// The main window's View, Delete and About commands, through the program's own windows.
#include "app/file_commands_win.h"

#include <cstring>
#include <string>

#include "app/app_globals.h"
#include "app/file_selection.h"
#include "app/program.h"
#include "res/resource.h"
#include "ui/dpi_scale.h"
#include "ui/window_dpi.h"

namespace {

constexpr char kAboutText[] =
    "Quillmar Ver 2.07\nPrints text files with margins, line numbers and page footers";
// The project's home, shown as the about box's link line.
constexpr char kHomeAddress[] = "https://quillmar.example.org/";
constexpr char kDeleteQuestion[] = "OK to delete?\n";

// The viewer's size at 96 DPI; it grows with the main window's resolution.
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
    const int dpi = WindowDpi(mainWindow);
    Viewer.Open(mainWindow, ViewedPath, ScaleToDpi(kViewerWidth, dpi),
                ScaleToDpi(kViewerHeight, dpi), -1);
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
    const int dpi = WindowDpi(mainWindow);
    Preview.Open(mainWindow, path, Settings, printer, ScaleToDpi(kPreviewWidth, dpi),
                 ScaleToDpi(kPreviewHeight, dpi), IDM_PRINT_PREVIEWED);
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
    SelectOnlyRow(list, selection < Files.Count() ? selection : Files.Count() - 1);
    InvalidateRect(list, nullptr, TRUE);
}

std::vector<int> SelectedRows(HWND list) {
    std::vector<int> rows;
    LRESULT count = SendMessageA(list, LB_GETSELCOUNT, 0, 0);
    if (count <= 0) {
        return rows;
    }
    rows.resize(static_cast<std::size_t>(count));
    LRESULT got = SendMessageA(list, LB_GETSELITEMS, static_cast<WPARAM>(count),
                               reinterpret_cast<LPARAM>(rows.data()));
    rows.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return rows;
}

void SelectOnlyRow(HWND list, int row) {
    SendMessageA(list, LB_SETSEL, FALSE, -1);
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    if (row < 0 || row >= count) {
        return;
    }
    SendMessageA(list, LB_SETSEL, TRUE, row);
    SendMessageA(list, LB_SETANCHORINDEX, static_cast<WPARAM>(row), 0);
    SendMessageA(list, LB_SETCARETINDEX, static_cast<WPARAM>(row), FALSE);
}

void DeleteSelectedFiles(HWND list, const std::vector<int>& rows) {
    // The file rows that have a path, with their paths, in list order.
    std::vector<int> fileRows;
    std::vector<std::string> paths;
    for (int row : rows) {
        char path[FileList::kPathSize];
        Files.GetFilePath(row, path, sizeof path);
        if (path[0] != '\0') {
            fileRows.push_back(row);
            paths.emplace_back(path);
        }
    }
    if (fileRows.empty()) {
        return;
    }
    if (fileRows.size() == 1) {
        DeleteSelectedFile(list, fileRows[0]);
        return;
    }
    std::vector<std::string> names;
    for (const std::string& path : paths) {
        names.push_back(LastComponent(path));
    }
    const std::string question = DeleteFilesQuestion(names);
    const int answer = Question.ShowModal(MainWindowHandle, question.c_str(), "Delete",
                                          MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, 0,
                                          RGB(255, 255, 255), RGB(255, 0, 0), RGB(128, 128, 128));
    if (answer != IDYES) {
        return;
    }
    // From the last row up, so that the rows still to go keep their places.
    bool removed = false;
    for (std::size_t i = fileRows.size(); i-- > 0;) {
        if (!DeleteFileA(paths[i].c_str())) {
            continue;  // refused by the system: the file and its row stay, silently
        }
        char rowPath[FileList::kPathSize];
        Files.GetFilePath(fileRows[i], rowPath, sizeof rowPath);
        if (paths[i] == rowPath && Files.RemoveEntry(fileRows[i])) {
            removed = true;
        }
    }
    if (!removed) {
        return;
    }
    LRESULT top = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
    SendMessageA(list, LB_SETCOUNT, static_cast<WPARAM>(Files.Count()), 0);
    SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    const int first = fileRows.front() < Files.Count() ? fileRows.front() : Files.Count() - 1;
    SelectOnlyRow(list, first);
    InvalidateRect(list, nullptr, TRUE);
}

void AboutCommand(HWND mainWindow) {
    About.ShowModal(mainWindow, kAboutText, kHomeAddress, 0, IDI_PROGRAM, RGB(0, 0, 0),
                    RGB(192, 192, 192), RGB(128, 128, 128));
}
