// The main window: initialisation, painting, list rows and commands.
#include "app/main_window_win.h"

#include <cstring>
#include <string>
#include <vector>

#include "app/app_globals.h"
#include "app/file_commands_win.h"
#include "app/file_selection.h"
#include "app/print_command.h"
#include "app/program.h"
#include "app/progress_job_host_win.h"
#include "app/settings_store.h"
#include "app/settings_summary.h"
#include "app/settings_values.h"
#include "app/setup_dialog_win.h"
#include "browser/drive_list.h"
#include "browser/file_date.h"
#include "print/gdi_print_surface_win.h"
#include "print/print_dialog_win.h"
#include "print/print_job.h"
#include "print/text_helpers.h"
#include "res/resource.h"
#include "ui/dpi_scale.h"
#include "ui/wide_text.h"
#include "ui/window.h"
#include "ui/window_dpi.h"

HFONT UiFont = nullptr;
FontHandle PrinterFont = kNoFont;
Panel PathPanel;
Panel SummaryPanel;

namespace {

constexpr int kDateIndent = 4;  // pixels at 96 DPI, as the rest below
constexpr int kUiFontHeight = 8;

int CellWidth = 0;
int CellHeight = 0;
// The resolution the window is shown at; the interface font and the rows follow it.
int WindowResolution = kDefaultDpi;
// The folder picture at the size that fits the rows.
SizedIcon FolderIcon;
HWND ListWindow = nullptr;
// Set while a print job runs. Its print dialog and its single-sheet question have no owner,
// so the main window stays enabled meanwhile; its commands must not start a second job on
// the same text or change the page under the one in progress.
bool JobRunning = false;
COLORREF HighlightColour = 0;
COLORREF WindowColour = 0;
DriveList Drives;

// Makes UiFont for the window's resolution and measures the interface cell. The caller deletes
// a font it replaces, once no control holds it.
void MakeUiFont() {
    LOGFONTA font = {};
    font.lfHeight = ScaleToDpi(kUiFontHeight, WindowResolution);
    font.lfWeight = 600;
    // The TrueType form of MS Sans Serif: the bitmap face holds only the ANSI code page's
    // characters, while the system links this one to the fonts of the other scripts, so that
    // every name shows as it is.
    CopyBounded(font.lfFaceName, sizeof font.lfFaceName, kScalableFace);
    UiFont = CreateFontIndirectA(&font);
    // A font has its height in pixels, whatever the context's resolution, so the display's
    // context measures it at any resolution.
    HDC info = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    HGDIOBJ previous = SelectObject(info, UiFont);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(info, &metrics);
    SelectObject(info, previous);
    DeleteDC(info);
    CellWidth = metrics.tmAveCharWidth;
    CellHeight = metrics.tmHeight + metrics.tmExternalLeading;
}

void InitPanel(HWND window, int frameId, COLORREF background, Panel& panel) {
    RECT frame = {};
    GetWindowRect(GetDlgItem(window, frameId), &frame);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&frame), 2);
    panel.Init(frame, CellWidth, CellHeight);
    panel.background = background;
}

// The frames carry the texts painted inside them as their window texts, for screen readers
// and outside checks. A frame control's own procedure may drop texts (Wine's does), so the
// text is stored by the default procedure; a frame draws no text either way.
void SetFrameText(int frameId, const char* text) {
    HWND frame = GetDlgItem(MainWindowHandle, frameId);
    char current[2048] = {};
    GetWindowTextA(frame, current, sizeof current);
    if (std::strcmp(current, text) != 0) {
        DefWindowProcA(frame, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
}

// The caret row: what the commands on one row act on. -1 when the list has no rows. A list
// of several selected rows answers LB_GETCURSEL with it too, but Wine's moves it only with
// the keys, not with a Shift+click: the caret index is the same row everywhere.
int Selection() {
    if (SendMessageA(ListWindow, LB_GETCOUNT, 0, 0) <= 0) {
        return -1;
    }
    return static_cast<int>(SendMessageA(ListWindow, LB_GETCARETINDEX, 0, 0));
}

// The list keeps the selected row's text as its window text, the name a screen reader gives
// the list (its rows have no texts of their own).
void NameListAfterSelection() {
    const int selection = Selection();
    char current[MAX_PATH + 16] = {};
    GetWindowTextA(ListWindow, current, sizeof current);
    const char* text = Files.EntryText(selection);
    if (std::strcmp(current, text) != 0) {
        DefWindowProcA(ListWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
}

void PaintPathLine(HDC dc) {
    PathPanel.Fill(dc);
    PathPanel.DrawText(dc, Files.Path());
    SetFrameText(IDC_PATH_FRAME, Files.Path());
}

void RepaintPathLine(HWND window) {
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, UiFont);
    PaintPathLine(dc);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
}

// Ctrl+A selects every row; every other message goes on to the list's own procedure.
WNDPROC ListProc = nullptr;
LRESULT CALLBACK ListKeyProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == 'A' && GetKeyState(VK_CONTROL) < 0 &&
        GetKeyState(VK_MENU) >= 0) {
        SendMessageA(list, LB_SETSEL, TRUE, -1);
        return 0;
    }
    if (message == WM_CHAR && wParam == 1) {
        return 0;  // the Ctrl+A character: no row starts with it
    }
    return CallWindowProcA(ListProc, list, message, wParam, lParam);
}

BOOL OnInitDialog(HWND window) {
    MainWindowHandle = window;
    SetClassLongPtrA(
        window, GCLP_HICON,
        reinterpret_cast<LONG_PTR>(LoadIconA(ProgramInstance, MAKEINTRESOURCEA(IDI_PROGRAM))));
    SetWindowTextA(window, "Quillmar");
    WindowResolution = WindowDpi(window);
    MakeUiFont();
    // Without a printer everything else still works; the printing figures stay 0.
    if (Printer.HasDevice()) {
        ApplyPrinterFont(Printer, Settings, Geometry, PrinterFont);
    }
    InitPanel(window, IDC_PATH_FRAME, RGB(255, 255, 255), PathPanel);
    InitPanel(window, IDC_SUMMARY_FRAME, GetSysColor(COLOR_BTNFACE), SummaryPanel);
    if (!Files.Init(1000, 500, 32000, 16000, Settings.Path)) {
        ShowWarning("Can't initialize", "Quillmar");
        EndDialog(window, 0);
        return TRUE;
    }
    // A saved directory that was removed since opens its nearest existing parent; the setting
    // keeps it unless the user changes directory.
    Files.MoveToExistingDirectory();
    Files.Rescan();
    ListWindow = GetDlgItem(window, IDC_FILE_LIST);
    SendMessageA(ListWindow, LB_SETCOUNT, static_cast<WPARAM>(Files.Count()), 0);
    HWND combo = GetDlgItem(window, IDC_DRIVES);
    Drives.Init(combo, Files.PathDrive(), IDI_DRIVE);
    Drives.SetDpi(WindowResolution);
    SendMessageA(combo, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont), FALSE);
    HighlightColour = GetSysColor(COLOR_HIGHLIGHT);
    WindowColour = GetSysColor(COLOR_WINDOW);
    ListProc = SubclassWindow(ListWindow, ListKeyProc);
    CenterWindow(window);
    SelectOnlyRow(ListWindow, 0);
    return TRUE;
}

void OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HGDIOBJ previous = SelectObject(dc, UiFont);
    PaintPathLine(dc);
    DrawSettingsSummary(dc);
    SelectObject(dc, previous);
    EndPaint(window, &paint);
}

// Whether the caret row carries a focus mark: with several rows selected, or with the caret
// on a row that is not selected (a Ctrl+click took it out), the highlight alone does not tell
// which row View, Preview and Enter act on. One selected row with the caret on it shows as
// ever.
bool CaretRowMarked() {
    const int caret = Selection();
    if (caret < 0) {
        return false;
    }
    return SendMessageA(ListWindow, LB_GETSELCOUNT, 0, 0) > 1 ||
           SendMessageA(ListWindow, LB_GETSEL, static_cast<WPARAM>(caret), 0) <= 0;
}

// After a change of the selection the caret row is drawn again: whether it is marked may
// have changed though the row itself did not.
void RedrawCaretRow() {
    RECT rect;
    const int caret = Selection();
    if (caret >= 0 && SendMessageA(ListWindow, LB_GETITEMRECT, static_cast<WPARAM>(caret),
                                   reinterpret_cast<LPARAM>(&rect)) != LB_ERR) {
        InvalidateRect(ListWindow, &rect, FALSE);
    }
}

void DrawListRow(const DRAWITEMSTRUCT& item) {
    // A change of focus draws the whole row again, with or without its mark.
    HDC dc = item.hDC;
    int saved = SaveDC(dc);
    SelectObject(dc, UiFont);
    COLORREF background = (item.itemState & ODS_SELECTED) ? HighlightColour : WindowColour;
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(dc, &item.rcItem, brush);
    DeleteObject(brush);
    SetBkColor(dc, background);
    RECT rect = item.rcItem;
    int row = static_cast<int>(item.itemID);
    const char* text = Files.EntryText(row);
    bool isDirectoryRow = text[0] == ' ';
    if (isDirectoryRow) {
        // The picture's size follows the row's height; kept while the rows keep theirs.
        FolderIcon.Load(ProgramInstance, IDI_FOLDER,
                        RowIconSize(rect.bottom - rect.top, WindowResolution));
        FolderIcon.Draw(dc, rect.left, rect.top);
        rect.left += RowTextIndent(WindowResolution);
    }
    // A name is shown as it is: an "&" in it marks no underlined letter.
    WideText shown(text);
    DrawTextW(dc, shown.Text(), shown.Length(), &rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (!isDirectoryRow && text[0] != '\0') {
        rect.right -= ScaleToDpi(kDateIndent, WindowResolution);
        char date[kFileDateSize];
        FormatFileDate(Files.EntryTime(row), date, sizeof date);
        DrawTextA(dc, date, -1, &rect, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    }
    RestoreDC(dc, saved);
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0 &&
        CaretRowMarked()) {
        DrawFocusRect(dc, &item.rcItem);
    }
    // Every change of the selection or of the rows draws rows.
    NameListAfterSelection();
}

// Prints `files` (one file as ever, several after one dialog) and brings the main window's
// figures up to date.
void PrintSelectedFiles(HWND window, const std::vector<JobFile>& files) {
    if (files.empty()) {
        return;
    }
    if (files.size() == 1 && files[0].path.empty()) {
        // A file whose name no path of the ANSI code page reaches can only be told about.
        ShowWarning("Can't open file", "Quillmar");
        return;
    }
    SystemPrintDialog dialog;
    ProgressJobHost host(MainWindowHandle);
    PrintJob job(Settings, Geometry, Printer, PrintText, dialog, host);
    JobRunning = true;
    PrintFilesWithPrinterFont(job, files, Printer, Settings, Geometry, PrinterFont);
    JobRunning = false;
    if (dialog.NoPrinterUntold()) {
        ShowWarning("No printer is installed", "Quillmar");
    }
    // A printer of another page size gives other figures.
    RECT summary = SummaryPanel.Rect();
    InvalidateRect(window, &summary, FALSE);
}

// Print: every selected file row, in list order.
void PrintSelection(HWND window) {
    PrintSelectedFiles(window, SelectedFiles(Files, SelectedRows(ListWindow)));
}

// Enter or a double-click on a file row: that file alone.
void PrintCaretRow(HWND window) {
    int selection = Selection();
    if (selection < 0) {
        return;
    }
    PrintSelectedFiles(window, SelectedFiles(Files, {selection}));
}

void OpenSelection(HWND window) {
    int selection = Selection();
    if (selection < 0) {
        return;
    }
    if (!Files.OpenEntry(selection)) {
        PrintCaretRow(window);
        return;
    }
    SendMessageA(ListWindow, LB_SETCOUNT, static_cast<WPARAM>(Files.Count()), 0);
    InvalidateRect(ListWindow, nullptr, TRUE);
    RepaintPathLine(window);
    SelectOnlyRow(ListWindow, 0);
    DirectoryChanged = 1;
}

void ChangeDrive(HWND window) {
    if (Files.ChangeDrive(Drives.Selected())) {
        SendMessageA(ListWindow, LB_SETCOUNT, static_cast<WPARAM>(Files.Count()), 0);
        SelectOnlyRow(ListWindow, 0);
        DirectoryChanged = 1;
    } else {
        Drives.Select(Files.PathDrive());
    }
    RepaintPathLine(window);
}

// Exit: saves the settings; false when the user chose to stay.
bool Exit(HWND window) {
    // A pattern too long for the setting is not saved, never a cut one; the stored one stays.
    bool fits = FitsPathSetting(Files.Path());
    if (fits) {
        CopyBounded(Settings.Path, sizeof Settings.Path, Files.Path());
    }
    if (SaveSettings(Settings, DirectoryChanged != 0 && fits, SettingsChanged != 0) == IDCANCEL) {
        return false;
    }
    EndDialog(window, 0);
    return true;
}

BOOL OnCommand(HWND window, int id, int notification) {
    if (JobRunning) {
        return TRUE;
    }
    switch (id) {
        case IDM_PRINT:
            PrintSelection(window);
            return TRUE;
        case IDM_PRINT_PREVIEWED:
            // The main window stayed disabled while the preview was open: the caret row is
            // still the file it showed, whatever else is selected.
            PrintCaretRow(window);
            return TRUE;
        case IDOK:
            OpenSelection(window);
            return TRUE;
        case IDC_FILE_LIST:
            if (notification == LBN_DBLCLK) {
                OpenSelection(window);
                return TRUE;
            }
            if (notification == LBN_SELCHANGE) {
                RedrawCaretRow();
            }
            return FALSE;
        case IDC_DRIVES:
            if (notification == CBN_SELCHANGE) {
                ChangeDrive(window);
                return TRUE;
            }
            return FALSE;
        case IDCANCEL:
            return Exit(window) ? TRUE : FALSE;
        case IDM_SETUP:
            SetupCommand(window);
            return TRUE;
        case IDM_VIEW:
            ViewCommand(window, Selection());
            return TRUE;
        case IDM_PREVIEW:
            PreviewCommand(window, Selection());
            return TRUE;
        case IDM_DELETE:
            DeleteSelectedFiles(ListWindow, SelectedRows(ListWindow));
            return TRUE;
        case IDM_ABOUT:
            AboutCommand(window);
            return TRUE;
        default:
            return FALSE;
    }
}

void OnDestroy() {
    if (PrinterFont != kNoFont) {
        // A font is deleted only once no context holds it.
        if (auto* printer = dynamic_cast<GdiPrintSurface*>(Printer.Surface())) {
            SelectObject(printer->Handle(), GetStockObject(DEVICE_DEFAULT_FONT));
        }
        Printer.CurrentFont = kNoFont;
        Printer.FreeFont(PrinterFont);
        PrinterFont = kNoFont;
    }
    DeleteObject(UiFont);
    UiFont = nullptr;
    FolderIcon.Release();
}

// The window moved to a screen of another resolution: the system suggests its new place and
// size (and scales the template's controls); the fonts and pictures are made again for it.
void OnDpiChanged(HWND window, int dpi, const RECT& suggested) {
    WindowResolution = dpi > 0 ? dpi : kDefaultDpi;
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    HFONT previous = UiFont;
    MakeUiFont();
    SendMessageA(GetDlgItem(window, IDC_DRIVES), WM_SETFONT, reinterpret_cast<WPARAM>(UiFont),
                 FALSE);
    if (previous != nullptr) {
        DeleteObject(previous);
    }
    Drives.SetDpi(WindowResolution);
    const COLORREF pathBackground = PathPanel.background;
    const COLORREF summaryBackground = SummaryPanel.background;
    InitPanel(window, IDC_PATH_FRAME, pathBackground, PathPanel);
    InitPanel(window, IDC_SUMMARY_FRAME, summaryBackground, SummaryPanel);
    InvalidateRect(window, nullptr, TRUE);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace

void Panel::Init(const RECT& frame, int cellWidthPixels, int cellHeightPixels) {
    left = frame.left + 2;
    top = frame.top + 2;
    right = frame.right - 2;
    bottom = frame.bottom - 2;
    cellWidth = cellWidthPixels;
    cellHeight = cellHeightPixels;
    format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;  // a directory's "&" underlines nothing
}

void Panel::Fill(HDC dc) const {
    HBRUSH brush = CreateSolidBrush(background);
    RECT rect = Rect();
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void Panel::TextAt(HDC dc, int column, int row, const char* text) const {
    SetBkColor(dc, background);
    WideText shown(text);
    TextOutW(dc, left + column * cellWidth, top + row * cellHeight, shown.Text(), shown.Length());
}

void Panel::DrawText(HDC dc, const char* text) const {
    SetBkColor(dc, background);
    RECT rect = Rect();
    WideText shown(text);
    ::DrawTextW(dc, shown.Text(), shown.Length(), &rect, format);
}

void DrawSettingsSummary(HDC dc) {
    std::vector<SummaryItem> items =
        SettingsSummaryItems(Printer.HasDevice(), Printer.DeviceName, Settings, Geometry);
    SummaryPanel.Fill(dc);
    UINT alignment = GetTextAlign(dc);
    for (const SummaryItem& item : items) {
        SetTextAlign(dc, item.align == SummaryAlign::Right ? TA_RIGHT : TA_LEFT);
        SummaryPanel.TextAt(dc, item.column, item.row, item.text.c_str());
    }
    SetTextAlign(dc, alignment);
    SetFrameText(IDC_SUMMARY_FRAME, SummaryAsText(items).c_str());
}

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog(window);
        case WM_PAINT:
            OnPaint(window);
            return TRUE;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlID == IDC_FILE_LIST) {
                DrawListRow(item);
            } else if (item.CtlID == IDC_DRIVES) {
                Drives.DrawItem(item);
            }
            return TRUE;
        }
        case WM_COMMAND:
            return OnCommand(window, LOWORD(wParam), HIWORD(wParam));
        case WM_DESTROY:
            OnDestroy();
            return TRUE;
        case WM_DPICHANGED:
            OnDpiChanged(window, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return TRUE;
        default:
            return FALSE;
    }
}
