// The print engine's Win32 adapters on the real printer: GDI surface, print dialog, message
// boxes and the wait cursor.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "print/gdi_print_surface_win.h"
#include "print/print_dialog_win.h"
#include "print/print_job_host_win.h"
#include "print/printer_device.h"
#include "print/wait_cursor_win.h"
#include "tests/dialog_answerer_win.h"

namespace {

// Controls of the common print dialog.
constexpr int kPagesButton = 1058;
constexpr int kFromEdit = 1152;
constexpr int kToEdit = 1153;
constexpr int kCopiesEdit = 1154;

HDC DefaultPrinterContext() {
    char entry[512];
    GetProfileStringA("windows", "device", ",,,", entry, sizeof entry);
    DeviceEntry parts;
    if (!ParseDeviceEntry(entry, &parts)) {
        return nullptr;
    }
    return CreateDCA(parts.driver, parts.device, parts.port, nullptr);
}

}  // namespace

TEST(GdiPrintSurface, TheDefaultPrinterOpens) {
    PrinterDevice device;
    OpenDefaultPrinter(device);
    ASSERT_TRUE(device.HasDevice()) << "the test machine has a default printer";
    EXPECT_GT(std::strlen(device.DeviceName), 0u);
    EXPECT_GT(device.PageWidth, 1000);
    EXPECT_GT(device.PageHeight, 1000);
    EXPECT_GT(device.CharWidth, 0);
    EXPECT_GT(device.LineHeight, 0);
    EXPECT_GT(device.Capability(DeviceCap::LogPixelsY), 0);
    char face[32];
    device.ReadFaceName(face, sizeof face);
    EXPECT_GT(std::strlen(face), 0u) << "the printer reports its own font";
}

TEST(GdiPrintSurface, ATwelvePointFontIsRealisedAtTwelvePoints) {
    PrinterDevice device;
    OpenDefaultPrinter(device);
    ASSERT_TRUE(device.HasDevice());
    PrintSettings settings;
    char face[32];
    device.ReadFaceName(face, sizeof face);
    ApplyPresets(settings, face);
    settings.Pitch = 12;
    PageGeometry geometry;
    FontHandle font = kNoFont;
    ApplyPrinterFont(device, settings, geometry, font);
    EXPECT_EQ(settings.Pitch, 12);
    EXPECT_GT(geometry.PageWidthCols, 40);
    EXPECT_GT(geometry.PageLengthLines, 40);
    device.SelectFont(kNoFont);
    device.FreeFont(font);
}

TEST(GdiPrintSurface, ReleasesItsContextAndFonts) {
    HDC dc = DefaultPrinterContext();
    ASSERT_NE(dc, nullptr);
    HFONT font = nullptr;
    {
        GdiPrintSurface surface(dc);
        LogicalFont logical;
        std::strcpy(logical.faceName, "Courier New");
        logical.height = -50;
        FontHandle made = surface.MakeFont(logical);
        font = reinterpret_cast<HFONT>(made);
        EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
        FontHandle original = surface.UseFont(made);
        EXPECT_NE(original, kNoFont);
        surface.UseFont(original);
        surface.FreeFont(made);
        EXPECT_EQ(GetObjectType(font), 0u) << "the font is deleted";
        EXPECT_NE(GetObjectType(dc), 0u);
    }
    EXPECT_EQ(GetObjectType(dc), 0u) << "the context is deleted with the surface";
}

TEST(SystemPrintDialog, OkGivesThePrinterWithRangeAndCopies) {
    DialogAnswerer answerer("Print", [](HWND dialog) {
        DialogAnswerer::Press(dialog, kPagesButton);
        Sleep(100);
        DialogAnswerer::SetText(dialog, kFromEdit, "2");
        DialogAnswerer::SetText(dialog, kToEdit, "3");
        DialogAnswerer::SetText(dialog, kCopiesEdit, "2");
        DialogAnswerer::Press(dialog, IDOK);
    });
    PrintDialogRecord record;
    record.Flags = kPrintDialogNoSelection | kPrintDialogReturnDc;
    record.FromPage = 1;
    record.MinPage = 1;
    record.ToPage = 65535;
    record.MaxPage = 65535;
    SystemPrintDialog dialog;
    std::unique_ptr<PrintSurface> printer = dialog.Run(record);
    ASSERT_TRUE(answerer.Finish());
    ASSERT_NE(printer, nullptr);
    EXPECT_GT(printer->Capability(DeviceCap::HorzRes), 0);
    EXPECT_TRUE(record.Flags & kPrintDialogPageNums);
    EXPECT_EQ(record.FromPage, 2);
    EXPECT_EQ(record.ToPage, 3);
    EXPECT_EQ(record.Copies, 2);
}

TEST(SystemPrintDialog, CancelGivesNoPrinter) {
    DialogAnswerer answerer("Print", [](HWND dialog) { DialogAnswerer::Press(dialog, IDCANCEL); });
    PrintDialogRecord record;
    record.Flags = kPrintDialogReturnDc;
    record.FromPage = record.MinPage = 1;
    record.ToPage = record.MaxPage = 65535;
    SystemPrintDialog dialog;
    EXPECT_EQ(dialog.Run(record), nullptr);
    EXPECT_TRUE(answerer.Finish());
}

TEST(SystemPrintJobHost, InsertNextSheetIsAskedWithOkAndCancel) {
    SystemPrintJobHost host;
    {
        DialogAnswerer answerer("Pause", [](HWND box) { DialogAnswerer::Press(box, IDOK); });
        EXPECT_TRUE(host.AskNextSheet());
        ASSERT_TRUE(answerer.Finish());
        EXPECT_TRUE(answerer.Shows("Insert next sheet"));
        EXPECT_TRUE(answerer.Shows("OK"));
        EXPECT_TRUE(answerer.Shows("Cancel"));
    }
    DialogAnswerer answerer("Pause", [](HWND box) { DialogAnswerer::Press(box, IDCANCEL); });
    EXPECT_FALSE(host.AskNextSheet());
    EXPECT_TRUE(answerer.Finish());
}

TEST(SystemPrintJobHost, CantOpenFileIsAWarningOwnedByTheGivenWindow) {
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    SystemPrintJobHost host(owner);
    HWND seenOwner = nullptr;
    DialogAnswerer answerer("Quillmar", [&seenOwner](HWND box) {
        seenOwner = GetWindow(box, GW_OWNER);
        DialogAnswerer::Press(box, IDOK);
    });
    host.Warn("Can't open file", "Quillmar");
    ASSERT_TRUE(answerer.Finish());
    EXPECT_TRUE(answerer.Shows("Can't open file"));
    EXPECT_FALSE(answerer.Shows("Cancel"));
    EXPECT_EQ(seenOwner, owner);
    DestroyWindow(owner);
}

TEST(WaitCursor, ShowsTheWaitCursorAndRestoresTheOneItReplaced) {
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
    SetCursor(arrow);
    {
        WaitCursor cursor;
        EXPECT_EQ(GetCursor(), wait);
    }
    EXPECT_EQ(GetCursor(), arrow);

    SystemPrintJobHost host;
    host.BeginWait();
    EXPECT_EQ(GetCursor(), wait);
    host.EndWait();
    EXPECT_EQ(GetCursor(), arrow);
}
