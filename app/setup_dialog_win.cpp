// The setup dialog and its margin filter and font choice.
#include "app/setup_dialog_win.h"

#include <commdlg.h>

#include "app/app_globals.h"
#include "app/decimal_text.h"
#include "app/main_window_win.h"
#include "app/program.h"
#include "app/setup_rules.h"
#include "print/gdi_print_surface_win.h"
#include "print/text_helpers.h"
#include "res/resource.h"
#include "ui/window.h"
#include "ui/window_dpi.h"

namespace {

// The four margin edits share their class, so one previous procedure serves them all.
WNDPROC PreviousEditProc = nullptr;

// The dialog's own state, kept in its DWLP_USER.
struct SetupState {
    bool changed = false;
};

constexpr int kMarginEdits[] = {IDC_LEFT_MARGIN, IDC_RIGHT_MARGIN, IDC_TOP_MARGIN,
                                IDC_BOTTOM_MARGIN};
constexpr int kMarginTextSize = 30;  // 29 characters and the terminator

SetupState& StateOf(HWND dialog) {
    return *reinterpret_cast<SetupState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void ShowMargin(HWND dialog, int id, float margin) {
    char text[kFloatDecimalTextSize];
    SetDlgItemTextA(dialog, id, FormatOneDecimal(text, sizeof text, margin));
}

float ReadMargin(HWND dialog, int id) {
    char text[kMarginTextSize] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return MarginFromTyped(text);
}

BOOL OnInitDialog(HWND dialog, LPARAM state) {
    SetWindowLongPtrA(dialog, DWLP_USER, state);
    CenterWindow(dialog);
    for (int id : kMarginEdits) {
        WNDPROC previous = SubclassWindow(GetDlgItem(dialog, id), NumericEditProc);
        if (previous != nullptr) {
            PreviousEditProc = previous;
        }
    }
    ShowMargin(dialog, IDC_LEFT_MARGIN, Settings.LeftMargin);
    ShowMargin(dialog, IDC_RIGHT_MARGIN, Settings.RightMargin);
    ShowMargin(dialog, IDC_TOP_MARGIN, Settings.TopMargin);
    ShowMargin(dialog, IDC_BOTTOM_MARGIN, Settings.BottomMargin);
    CheckDlgButton(dialog, IDC_SINGLE_SHEETS, Settings.SingleSheets ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_PAGE_NUMBERS, Settings.PageNumbers ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_LINE_NUMBERS, Settings.LineNumbers ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_IGNORE_FORMFEEDS, Settings.FormFeed ? BST_UNCHECKED : BST_CHECKED);
    StateOf(dialog).changed = false;
    return TRUE;
}

BOOL Finish(HWND dialog) {
    bool changed = StateOf(dialog).changed;
    if (changed) {
        ComputePageGeometry(Printer.Measures(), Settings, Geometry);
    }
    EndDialog(dialog, changed ? 1 : 0);
    return TRUE;
}

BOOL OnOk(HWND dialog) {
    Settings.LeftMargin = ReadMargin(dialog, IDC_LEFT_MARGIN);
    Settings.RightMargin = ReadMargin(dialog, IDC_RIGHT_MARGIN);
    Settings.TopMargin = ReadMargin(dialog, IDC_TOP_MARGIN);
    Settings.BottomMargin = ReadMargin(dialog, IDC_BOTTOM_MARGIN);
    Settings.SingleSheets = IsDlgButtonChecked(dialog, IDC_SINGLE_SHEETS) == BST_CHECKED;
    Settings.PageNumbers = IsDlgButtonChecked(dialog, IDC_PAGE_NUMBERS) == BST_CHECKED;
    Settings.LineNumbers = IsDlgButtonChecked(dialog, IDC_LINE_NUMBERS) == BST_CHECKED;
    Settings.FormFeed = IsDlgButtonChecked(dialog, IDC_IGNORE_FORMFEEDS) != BST_CHECKED;
    SettingsChanged = 1;
    StateOf(dialog).changed = true;
    return Finish(dialog);
}

// Fonts: without a printer there are no printer fonts to offer, and nothing happens.
BOOL OnFonts(HWND dialog) {
    auto* printer = dynamic_cast<GdiPrintSurface*>(Printer.Surface());
    if (printer == nullptr) {
        return FALSE;
    }
    char style[64] = "";
    std::int32_t points = Settings.Pitch;
    if (!ChooseFixedFont(printer->Handle(), Settings.font, style, &points, WindowDpi(dialog))) {
        return FALSE;
    }
    Settings.Pitch = points;
    ApplyPrinterFont(Printer, Settings, Geometry, PrinterFont);
    SettingsChanged = 1;
    StateOf(dialog).changed = true;
    return FALSE;
}

}  // namespace

void SetupCommand(HWND mainWindow) {
    SetupState state;
    INT_PTR result = DialogBoxForDpi(ProgramInstance, IDD_SETUP, mainWindow, SetupDialogProc,
                                     reinterpret_cast<LPARAM>(&state), WindowDpi(mainWindow));
    if (result <= 0) {
        return;
    }
    HDC dc = GetDC(mainWindow);
    HGDIOBJ previous = SelectObject(dc, UiFont);
    DrawSettingsSummary(dc);
    SelectObject(dc, previous);
    ReleaseDC(mainWindow, dc);
}

INT_PTR CALLBACK SetupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog(dialog, lParam);
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    return OnOk(dialog);
                case IDCANCEL:
                    return Finish(dialog);
                case IDC_FONTS:
                    return OnFonts(dialog);
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}

LRESULT CALLBACK NumericEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR && !MarginBoxAccepts(wParam)) {
        MessageBeep(0xFFFFFFFF);
        return 0;
    }
    if (PreviousEditProc == nullptr) {
        return 0;
    }
    return CallWindowProcA(PreviousEditProc, edit, message, wParam, lParam);
}

bool ChooseFixedFont(HDC printer, char* face, char* style, std::int32_t* points, int dpi) {
    LOGFONTA font = {};
    CopyBounded(font.lfFaceName, sizeof font.lfFaceName, face);
    font.lfHeight = -MulDiv(*points, dpi > 0 ? dpi : SystemDpi(), 72);

    CHOOSEFONTA choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = nullptr;
    choose.hDC = printer;
    choose.lpLogFont = &font;
    choose.lpszStyle = style;
    choose.Flags = CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT | CF_USESTYLE | CF_FIXEDPITCHONLY;
    if (!ChooseFontA(&choose)) {
        return false;
    }
    CopyBounded(face, PrintSettings::kFaceSize, font.lfFaceName);
    PointSizeFromTenths(choose.iPointSize, points);
    return true;
}
