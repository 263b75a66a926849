// Tests of PrinterDevice: opening the default printer, metrics, fonts, pages and documents.
#include "print/printer_device.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "print/mul_div.h"
#include "print/page_recorder.h"
#include "print/recording_print_dialog.h"
#include "print/recording_surface.h"
#include "print/text_helpers.h"

namespace {

// A printer whose font metrics and answers the test sets, logging every call.
class FakeSurface : public PrintSurface {
public:
    int horzRes = 2400, vertRes = 3300, dpi = 300;
    FontMetrics metrics{30, 60, 10, 5};
    bool pagesStart = true;
    std::vector<std::string> log;
    FontHandle selected = 77;  // the printer's own font
    FontHandle nextFont = 100;

    int Capability(DeviceCap cap) override {
        switch (cap) {
            case DeviceCap::HorzRes:
                return horzRes;
            case DeviceCap::VertRes:
                return vertRes;
            default:
                return dpi;
        }
    }
    bool ReadMetrics(FontMetrics* out) override {
        *out = metrics;
        return true;
    }
    void ReadFaceName(char* out, std::size_t size) override { CopyBounded(out, size, "Fake Mono"); }
    FontHandle MakeFont(const LogicalFont& font) override {
        log.push_back("make " + std::string(font.faceName) + " " + std::to_string(font.height) +
                      " " + std::to_string(font.weight));
        return nextFont++;
    }
    void FreeFont(FontHandle font) override { log.push_back("free " + std::to_string(font)); }
    FontHandle UseFont(FontHandle font) override {
        log.push_back("use " + std::to_string(font));
        FontHandle previous = selected;
        selected = font;
        return previous;
    }
    bool OpenDocument(const char* name) override {
        log.push_back(std::string("doc ") + name);
        return true;
    }
    void CloseDocument() override { log.push_back("enddoc"); }
    void AbortDocument() override { log.push_back("abortdoc"); }
    bool OpenPage() override {
        log.push_back("page");
        return pagesStart;
    }
    void ClosePage() override { log.push_back("endpage"); }
    void PutChars(int x, int y, const CellRun& run, int cellWidth) override {
        log.push_back("text " + std::to_string(x) + "," + std::to_string(y) + " " +
                      std::string(run.text, run.length) + (run.ascii ? "" : " (utf-8)") + " " +
                      std::to_string(run.cells) + "x" + std::to_string(cellWidth));
    }
};

// Opens `entry` and tells which parts the opener saw ("" when it was not called).
std::string OpenedWith(PrinterDevice& device, const char* entry) {
    std::string seen;
    device.OpenDefault(entry, [&seen](const DeviceEntry& parts) {
        seen = std::string(parts.device) + "|" + parts.driver + "|" + parts.port;
        return std::make_unique<FakeSurface>();
    });
    return seen;
}

}  // namespace

TEST(ParseDeviceEntry, NameDriverAndPort) {
    DeviceEntry parts;
    ASSERT_TRUE(ParseDeviceEntry("PDF,wineps.drv,CUPS:PDF", &parts));
    EXPECT_STREQ(parts.device, "PDF");
    EXPECT_STREQ(parts.driver, "wineps.drv");
    EXPECT_STREQ(parts.port, "CUPS:PDF");
}

TEST(ParseDeviceEntry, TheDeviceNameMayHoldBlanksTheOthersMayNot) {
    DeviceEntry parts;
    ASSERT_TRUE(ParseDeviceEntry("HP LaserJet 4 Plus,winspool,Ne00:", &parts));
    EXPECT_STREQ(parts.device, "HP LaserJet 4 Plus");
    ASSERT_TRUE(ParseDeviceEntry("Office Printer, winspool, LPT1: extra", &parts));
    EXPECT_STREQ(parts.device, "Office Printer");
    EXPECT_STREQ(parts.driver, "winspool");
    EXPECT_STREQ(parts.port, "LPT1:");
}

TEST(ParseDeviceEntry, IncompleteEntriesAreRefused) {
    DeviceEntry parts;
    EXPECT_FALSE(ParseDeviceEntry(",,,", &parts));
    EXPECT_FALSE(ParseDeviceEntry("", &parts));
    EXPECT_FALSE(ParseDeviceEntry("PDF", &parts));
    EXPECT_FALSE(ParseDeviceEntry("PDF,", &parts));
    EXPECT_FALSE(ParseDeviceEntry("PDF,,", &parts)) << "empty driver and port";
    EXPECT_FALSE(ParseDeviceEntry("PDF,wineps.drv,", &parts)) << "empty port";
    EXPECT_FALSE(ParseDeviceEntry("PDF,,CUPS:PDF", &parts)) << "empty driver";
    EXPECT_FALSE(ParseDeviceEntry(",wineps.drv,CUPS:PDF", &parts)) << "empty device";
}

TEST(PrinterDeviceOpen, OpensOnlyACompleteEntry) {
    PrinterDevice device;
    EXPECT_EQ(OpenedWith(device, "My Printer,wineps.drv,CUPS:My"), "My Printer|wineps.drv|CUPS:My");
    EXPECT_TRUE(device.HasDevice());
    EXPECT_STREQ(device.DeviceName, "My Printer");
    EXPECT_EQ(device.PageWidth, 2400);
    EXPECT_EQ(device.PageHeight, 3300);
    EXPECT_EQ(device.CurrentFont, kNoFont);

    for (const char* entry : {",,,", "PDF,,CUPS:PDF", "PDF,wineps.drv,"}) {
        PrinterDevice none;
        EXPECT_EQ(OpenedWith(none, entry), "") << entry;
        EXPECT_FALSE(none.HasDevice()) << entry;
        EXPECT_EQ(none.PageWidth, 0);
        EXPECT_EQ(none.CharWidth, 0);
        EXPECT_EQ(none.LineHeight, 0);
        EXPECT_EQ(none.PointSize, 0);
        EXPECT_EQ(none.Capability(DeviceCap::LogPixelsY), 0);
        char face[32] = "x";
        none.ReadFaceName(face, sizeof face);
        EXPECT_STREQ(face, "");
    }
}

TEST(PrinterDeviceOpen, ALongNameIsCutForDisplayButOpenedWhole) {
    std::string name(60, 'N');
    PrinterDevice device;
    EXPECT_EQ(OpenedWith(device, (name + ",drv,port").c_str()), name + "|drv|port");
    EXPECT_EQ(std::string(device.DeviceName), std::string(43, 'N'));
}

TEST(PrinterDevice, MetricsOfTheSelectedFont) {
    auto surface = std::make_unique<FakeSurface>();
    surface->metrics = FontMetrics{31, 70, 20, 6};
    PrinterDevice device;
    device.Attach(std::move(surface));
    EXPECT_EQ(device.CharWidth, 31);
    EXPECT_EQ(device.LineHeight, 76) << "height plus external leading";
    EXPECT_EQ(device.PointSize, 12) << "72 * (70 - 20) / 300";
}

TEST(PrinterDevice, SelectFontRemembersTheFont) {
    auto owned = std::make_unique<FakeSurface>();
    FakeSurface* surface = owned.get();
    PrinterDevice device;
    device.Attach(std::move(owned));
    EXPECT_EQ(device.SelectFont(5), 77u);
    EXPECT_EQ(device.CurrentFont, 5u);
    EXPECT_EQ(device.SelectFont(kNoFont), kNoFont);
    EXPECT_EQ(device.CurrentFont, kNoFont);
    EXPECT_EQ(surface->selected, 5u) << "none selects nothing";
}

TEST(PrinterDevice, PagesReselectTheFontAndSkipOutputWhenDisabled) {
    auto owned = std::make_unique<FakeSurface>();
    FakeSurface* surface = owned.get();
    PrinterDevice device;
    device.Attach(std::move(owned));
    device.SelectFont(9);
    device.CurrentLine = 7;
    surface->log.clear();

    EXPECT_TRUE(device.BeginPage());
    EXPECT_EQ(device.CurrentLine, 0);
    device.CurrentLine = 2;
    device.PutText(3, "abc");
    device.PutText(1, "\xC3\xA9\xE6\x97\xA5!");  // e acute, a wide character, "!"
    device.EndPage();
    EXPECT_EQ(surface->log, (std::vector<std::string>{
                                "page", "use 9", "text 90,130 abc 3x30",
                                "text 30,130 \xC3\xA9\xE6\x97\xA5! (utf-8) 4x30", "endpage"}));

    surface->log.clear();
    device.OutputEnabled = false;
    EXPECT_TRUE(device.BeginPage());
    device.PutText(0, "hidden");
    device.EndPage();
    EXPECT_EQ(surface->log, (std::vector<std::string>{"use 9"}));

    surface->log.clear();
    device.OutputEnabled = true;
    surface->pagesStart = false;
    EXPECT_FALSE(device.BeginPage());
    EXPECT_EQ(surface->log, (std::vector<std::string>{"page"})) << "no font after a failed start";
}

TEST(PrinterDevice, BeginDocumentPreparesTheDialogAndTakesItsPrinter) {
    PageRecorder recorder;
    PrinterDevice device;
    device.Attach(std::make_unique<FakeSurface>());
    RecordingMetrics metrics;
    RecordingPrintDialog dialog(metrics, recorder);
    dialog.ChooseCopies(3);
    device.OutputEnabled = false;

    ASSERT_TRUE(device.BeginDocument("Doc", kPrintDialogNoSelection, dialog));
    const PrintDialogRecord& prepared = dialog.Prepared();
    EXPECT_EQ(prepared.Flags, kPrintDialogNoSelection | kPrintDialogReturnDc);
    EXPECT_EQ(prepared.FromPage, 1);
    EXPECT_EQ(prepared.MinPage, 1);
    EXPECT_EQ(prepared.ToPage, 65535);
    EXPECT_EQ(prepared.MaxPage, 65535);
    EXPECT_EQ(device.PrintDialog.Copies, 3);
    EXPECT_TRUE(device.OutputEnabled);
    EXPECT_EQ(device.PageWidth, 4800) << "the chosen printer's measures";
    EXPECT_EQ(device.CharWidth, 60);
    EXPECT_EQ(recorder.DocumentNames(), std::vector<std::string>{"Doc"});
}

TEST(PrinterDevice, ACancelledDialogKeepsThePrinter) {
    PageRecorder recorder;
    PrinterDevice device;
    device.Attach(std::make_unique<FakeSurface>());
    PrintSurface* before = device.Surface();
    RecordingMetrics metrics;
    RecordingPrintDialog dialog(metrics, recorder);
    dialog.ChooseCancel();
    EXPECT_FALSE(device.BeginDocument("Doc", 0, dialog));
    EXPECT_EQ(device.Surface(), before);
    EXPECT_EQ(device.PageWidth, 2400);
    EXPECT_TRUE(recorder.DocumentNames().empty());
}

TEST(PrinterDevice, PrintFontsAreSizedForThePrinter) {
    auto owned = std::make_unique<FakeSurface>();
    FakeSurface* surface = owned.get();
    PrinterDevice device;
    device.Attach(std::move(owned));
    PrintSettings settings;
    std::strcpy(settings.font, "Lucida Console");
    settings.Pitch = 10;
    CreatePrintFont(device, settings, 700);
    EXPECT_EQ(surface->log.back(), "make Lucida Console -42 700") << "-MulDiv(10, 300, 72)";
}

TEST(PrinterDevice, ApplyPrinterFontDeletesTheOldFontOnceDeselected) {
    auto owned = std::make_unique<FakeSurface>();
    FakeSurface* surface = owned.get();
    PrinterDevice device;
    device.Attach(std::move(owned));
    PrintSettings settings;
    PageGeometry geometry;
    FontHandle font = kNoFont;
    ApplyPrinterFont(device, settings, geometry, font);
    EXPECT_EQ(font, 100u);
    surface->log.clear();
    ApplyPrinterFont(device, settings, geometry, font);
    EXPECT_EQ(font, 101u);
    ASSERT_EQ(surface->log.size(), 3u);
    EXPECT_EQ(surface->log[1], "use 101");
    EXPECT_EQ(surface->log[2], "free 100");
    EXPECT_EQ(geometry.PageWidthCols, 80) << "2400 / 30";
}

TEST(MultiplyDivide, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(MultiplyDivide(72, 100, 600), 12);
    EXPECT_EQ(MultiplyDivide(7, 1, 2), 4);
    EXPECT_EQ(MultiplyDivide(-7, 1, 2), -4);
    EXPECT_EQ(MultiplyDivide(5, 1, 3), 2);
    EXPECT_EQ(MultiplyDivide(12, 300, 72), 50);
    EXPECT_EQ(MultiplyDivide(1, 1, 0), -1);
    EXPECT_EQ(MultiplyDivide(1 << 30, 1 << 30, 1), -1);
    EXPECT_EQ(MultiplyDivide(1 << 30, 1 << 30, 1 << 30), 1 << 30);
}

TEST(PrinterDevice, PositionsBeyondThirtyTwoBitsAreNotDrawn) {
    const struct {
        int column, line, charWidth, lineHeight;
        const char* logged;  // "" when nothing may be drawn
    } cases[] = {
        {0, 2, 30, 65, "text 0,130 t 1x30"},
        {0, 1, 30, 2147483647, "text 0,2147483647 t 1x30"},
        {0, 2, 30, 2000000000, ""},  // 4,000,000,000 does not fit
        {0, 1000000, 30, 2400, ""},  // the overflow of a top margin of a million lines
        {3, 0, 1500000000, 60, ""},
        {-1, 0, 2147483647, 60, "text -2147483647,0 t 1x2147483647"},
        {-2, 0, 1500000000, 60, ""},
    };
    for (const auto& c : cases) {
        auto owned = std::make_unique<FakeSurface>();
        FakeSurface* surface = owned.get();
        PrinterDevice device;
        device.Attach(std::move(owned));
        device.CharWidth = c.charWidth;
        device.LineHeight = c.lineHeight;
        device.CurrentLine = c.line;
        surface->log.clear();
        device.PutText(c.column, "t");
        std::vector<std::string> expected;
        if (c.logged[0] != '\0') {
            expected.push_back(c.logged);
        }
        EXPECT_EQ(surface->log, expected) << c.column << " " << c.line;
    }
}
