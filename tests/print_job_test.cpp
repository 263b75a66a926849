// Tests of the print job: documents, copies, page ranges, footers, single sheets and fonts.
#include "print/print_job.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/print_rig.h"

using Rows = std::vector<std::string>;

namespace {

// `count` numbered lines: "line 1" to "line count".
std::string NumberedLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += "line " + std::to_string(i) + "\n";
    }
    return text;
}

// The footer row of each kept page, with the blanks before and between its parts dropped:
// "file.txt 1".
Rows Footers(const PrintRig& rig) {
    Rows footers;
    for (std::size_t page = 0; page < rig.recorder.Pages().size(); ++page) {
        std::string row = RowText(rig.recorder, page, rig.geometry.LastLine + 1);
        std::size_t start = row.find_first_not_of(' ');
        std::string text = start == std::string::npos ? "" : row.substr(start);
        std::size_t gap = text.find(' ');
        std::size_t number = text.find_first_not_of(' ', gap);
        if (gap != std::string::npos && number != std::string::npos) {
            text = text.substr(0, gap) + " " + text.substr(number);
        }
        footers.push_back(text);
    }
    return footers;
}

}  // namespace

TEST(PrintJob, OneDocumentNamedForTheProgram) {
    PrintRig rig;
    ASSERT_EQ(rig.Print("hello\n"), 1);
    EXPECT_EQ(rig.recorder.DocumentNames(), Rows{"Quillmar output"});
    EXPECT_EQ(rig.recorder.DocumentsEnded(), 1);
    EXPECT_EQ(rig.recorder.PagesStarted(), 1);
    EXPECT_EQ(rig.recorder.PagesEnded(), 1);
    EXPECT_EQ(rig.recorder.StrayTexts(), 0);
    EXPECT_EQ(rig.dialog.Prepared().Flags, kPrintDialogNoSelection | kPrintDialogReturnDc);
}

TEST(PrintJob, AnEmptyFileIsOnePageWithItsFooter) {
    PrintRig rig;
    rig.NoMargins();
    ASSERT_EQ(rig.Print("", "empty.txt"), 1);
    ASSERT_EQ(rig.recorder.Pages().size(), 1u);
    EXPECT_EQ(DrawnRows(rig.recorder, 0),
              Rows{"11: " + std::string(15, ' ') + "empty.txt" + std::string(14, ' ') + "1"});

    PrintRig plain;
    plain.settings.PageNumbers = false;
    ASSERT_EQ(plain.Print(""), 1);
    ASSERT_EQ(plain.recorder.Pages().size(), 1u);
    EXPECT_TRUE(DrawnRows(plain.recorder, 0).empty());
}

TEST(PrintJob, ThePageNumberAdvancesAndTheFooterNamesTheFile) {
    PrintRig rig;
    rig.NoMargins();
    ASSERT_EQ(rig.Print(NumberedLines(25), "notes.txt"), 1);
    // Ten text lines a page: rows 0 to 9, the blank row 10, the footer on row 11.
    EXPECT_EQ(Footers(rig), (Rows{"notes.txt 1", "notes.txt 2", "notes.txt 3"}));
    EXPECT_EQ(RowText(rig.recorder, 1, 0), "line 11");
    EXPECT_EQ(RowText(rig.recorder, 0, 10), "");
}

TEST(PrintJob, APageStartsOnlyForALineThatGoesOnIt) {
    // 40 by 12 cells: ten text lines a page with page numbers, twelve without; five with
    // single sheets (the bottom margin then holds the sheet's unprintable edge).
    const struct {
        const char* name;
        std::string text;
        bool pageNumbers, singleSheets, formFeeds;
        int cancelAt;  // the pause answered with Cancel; 0: none
        int copies;
        int pages, pauses;  // pages printed, questions asked
        const char* lastFooter;
    } cases[] = {
        {"fills its last page", NumberedLines(10), true, false, false, 0, 1, 1, 0, "file.txt 1"},
        {"fills it, no footers", NumberedLines(12), false, false, false, 0, 1, 1, 0, ""},
        {"one line more", NumberedLines(11), true, false, false, 0, 1, 2, 0, "file.txt 2"},
        {"ends with a form feed", "a\nb\f\n", true, false, true, 0, 1, 1, 0, "file.txt 1"},
        {"a form feed, then lines", "a\f\nb\n", true, false, true, 0, 1, 2, 0, "file.txt 2"},
        {"single sheets, full", NumberedLines(10), true, true, false, 0, 1, 2, 1, "file.txt 2"},
        {"cancelled pause", NumberedLines(12), true, true, false, 1, 1, 1, 1, "file.txt 1"},
        {"cancel, then a copy", NumberedLines(12), true, true, false, 1, 2, 4, 3, "file.txt 3"},
        {"empty file", "", true, true, false, 0, 2, 2, 0, "file.txt 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PrintRig rig;
        rig.NoMargins();
        rig.settings.PageNumbers = c.pageNumbers;
        rig.settings.SingleSheets = c.singleSheets;
        rig.settings.FormFeed = c.formFeeds;
        rig.host.CancelAtPause(c.cancelAt);
        rig.dialog.ChooseCopies(static_cast<std::uint16_t>(c.copies));
        ASSERT_EQ(rig.Print(c.text), 1);
        EXPECT_EQ(rig.recorder.PagesStarted(), c.pages);
        EXPECT_EQ(rig.recorder.PagesEnded(), c.pages);
        EXPECT_EQ(rig.recorder.Pauses(), c.pauses);
        EXPECT_EQ(rig.recorder.StrayTexts(), 0);
        EXPECT_EQ(Footers(rig).back(), c.lastFooter);
        for (std::size_t page = 1; !c.text.empty() && page < rig.recorder.Pages().size(); ++page) {
            EXPECT_NE(RowText(rig.recorder, page, 0), "") << "page " << page + 1 << " is empty";
        }
    }
}

TEST(PrintJob, TheSheetIsAskedForBeforeItsPageStarts) {
    PrintRig rig;
    rig.NoMargins();
    rig.settings.SingleSheets = true;  // 5 text lines a page
    rig.host.CancelAtPause(2);
    ASSERT_EQ(rig.Print(NumberedLines(15)), 1);
    // Page 2 was asked for and printed; at the question for page 3 no page had started.
    ASSERT_EQ(rig.recorder.Pages().size(), 2u);
    EXPECT_TRUE(rig.recorder.Pages()[1].pausedBefore);
    EXPECT_EQ(RowText(rig.recorder, 1, 4), "line 10");
    EXPECT_EQ(rig.recorder.Pauses(), 2);
    EXPECT_EQ(Footers(rig), (Rows{"file.txt 1", "file.txt 2"}));
}

TEST(PrintJob, APageRangeAcrossCopies) {
    PrintRig rig;
    rig.NoMargins();
    rig.dialog.ChoosePages(1, 2);
    rig.dialog.ChooseCopies(2);
    ASSERT_EQ(rig.Print(NumberedLines(25)), 1);
    EXPECT_EQ(Footers(rig), (Rows{"file.txt 1", "file.txt 2", "file.txt 1", "file.txt 2"}));
    EXPECT_EQ(RowText(rig.recorder, 2, 0), "line 1");
    EXPECT_EQ(rig.recorder.DocumentNames().size(), 1u);
}

TEST(PrintJob, PagesOutsideTheRangeAreFormattedButNotPrinted) {
    PrintRig rig;
    rig.NoMargins();
    rig.settings.LineNumbers = true;
    rig.dialog.ChoosePages(2, 3);
    ASSERT_EQ(rig.Print(NumberedLines(35)), 1);
    EXPECT_EQ(Footers(rig), (Rows{"file.txt 2", "file.txt 3"}));
    EXPECT_EQ(RowText(rig.recorder, 0, 0), "0011 line 11") << "numbers count on unprinted pages";
    EXPECT_EQ(rig.recorder.PagesStarted(), 2);
    EXPECT_EQ(rig.recorder.StrayTexts(), 0);
}

TEST(PrintJob, FromPageAfterToPagePrintsEverything) {
    PrintRig rig;
    rig.NoMargins();
    rig.dialog.ChoosePages(3, 1);
    ASSERT_EQ(rig.Print(NumberedLines(25)), 1);
    EXPECT_EQ(Footers(rig), (Rows{"file.txt 1", "file.txt 2", "file.txt 3"}));
}

TEST(PrintJob, NoCopiesPrintNoPages) {
    PrintRig rig;
    rig.dialog.ChooseCopies(0);
    ASSERT_EQ(rig.Print("text\n"), 1);
    EXPECT_EQ(rig.recorder.DocumentsEnded(), 1);
    EXPECT_EQ(rig.recorder.PagesStarted(), 0);
}

TEST(PrintJob, AnUnreadableFileIsReportedAndNothingElseHappens) {
    PrintRig rig;
    rig.Apply();
    EXPECT_EQ(rig.job.PrintFile(rig.dir.File("missing.txt").c_str()), 0);
    EXPECT_EQ(rig.host.Warnings(), "Quillmar: Can't open file\n");
    EXPECT_EQ(rig.dialog.Runs(), 0);
    EXPECT_TRUE(rig.recorder.DocumentNames().empty());
}

TEST(PrintJob, ACancelledDialogPrintsNothingAndKeepsTheText) {
    PrintRig rig;
    rig.dialog.ChooseCancel();
    ASSERT_EQ(rig.Print("kept\n"), 1);
    EXPECT_EQ(rig.dialog.Runs(), 1);
    EXPECT_TRUE(rig.recorder.DocumentNames().empty());
    EXPECT_TRUE(rig.host.Warnings().empty());
    ASSERT_NE(rig.text.Text(), nullptr);
    EXPECT_EQ(std::string(rig.text.Text()), "kept\n");
}

TEST(PrintJob, SingleSheetsPauseBetweenPagesOfACopyOnly) {
    PrintRig rig;
    rig.NoMargins();
    rig.settings.SingleSheets = true;  // 5 lines below the text: 5 text lines a page
    rig.dialog.ChooseCopies(2);
    ASSERT_EQ(rig.Print(NumberedLines(12)), 1);
    ASSERT_EQ(rig.recorder.Pages().size(), 6u);
    Rows paused;
    for (const RecordedPage& page : rig.recorder.Pages()) {
        paused.push_back(page.pausedBefore ? "pause" : "-");
    }
    EXPECT_EQ(paused, (Rows{"-", "pause", "pause", "-", "pause", "pause"}));
    EXPECT_EQ(rig.recorder.Pauses(), 4);
    EXPECT_EQ(DrawnRows(rig.recorder, 0).front(), "0: line 1");
    EXPECT_EQ(RowText(rig.recorder, 1, 0), "line 6");
}

TEST(PrintJob, SingleSheetsPauseOnlyBeforePrintedPages) {
    PrintRig rig;
    rig.NoMargins();
    rig.settings.SingleSheets = true;
    rig.dialog.ChoosePages(2, 3);
    ASSERT_EQ(rig.Print(NumberedLines(24)), 1);
    ASSERT_EQ(rig.recorder.Pages().size(), 2u);
    EXPECT_TRUE(rig.recorder.Pages()[0].pausedBefore) << "page 2 follows page 1";
    EXPECT_TRUE(rig.recorder.Pages()[1].pausedBefore);
    EXPECT_EQ(rig.recorder.Pauses(), 2);
}

TEST(PrintJob, CancelAtThePauseEndsTheCopy) {
    PrintRig rig;
    rig.NoMargins();
    rig.settings.SingleSheets = true;
    rig.dialog.ChooseCopies(2);
    rig.host.CancelAtPause(1);
    ASSERT_EQ(rig.Print(NumberedLines(12)), 1);
    // Copy 1: page 1, then the question for page 2 is cancelled and no page starts. Copy 2
    // prints in full, its first page without a question.
    ASSERT_EQ(rig.recorder.Pages().size(), 4u);
    EXPECT_EQ(Footers(rig), (Rows{"file.txt 1", "file.txt 1", "file.txt 2", "file.txt 3"}));
    EXPECT_FALSE(rig.recorder.Pages()[1].pausedBefore);
    EXPECT_EQ(RowText(rig.recorder, 1, 0), "line 1");
    EXPECT_EQ(rig.recorder.PagesStarted(), rig.recorder.PagesEnded());
}

TEST(PrintJob, TwoCopiesOfACSourceHaveTheSameBoldLines) {
    PrintRig rig;
    rig.NoMargins();
    rig.dialog.ChooseCopies(2);
    ASSERT_EQ(rig.Print("/* head */\nint x;\nint f(void)\n{\n}\n", "a.c"), 1);
    ASSERT_EQ(rig.recorder.Pages().size(), 2u);
    for (std::size_t page = 0; page < 2; ++page) {
        EXPECT_TRUE(RowBold(rig.recorder, page, 0));
        EXPECT_FALSE(RowBold(rig.recorder, page, 1));
        EXPECT_TRUE(RowBold(rig.recorder, page, 2));
        EXPECT_FALSE(RowBold(rig.recorder, page, 3));
        EXPECT_FALSE(RowBold(rig.recorder, page, 11)) << "footer";
    }
}

TEST(PrintJob, TheFooterIsBoldWhenADeclarationRunsAcrossThePageEnd) {
    PrintRig rig;
    rig.NoMargins();
    std::string text = "/* c */\n" + std::string(8, '\n') + "int f(int a,\n  int b)\n";
    ASSERT_EQ(rig.Print(text, "b.c"), 1);
    EXPECT_TRUE(RowBold(rig.recorder, 0, 9));
    EXPECT_TRUE(RowBold(rig.recorder, 0, 11)) << "the footer in the font selected then";
    EXPECT_TRUE(RowBold(rig.recorder, 1, 0)) << "the new page selects the font again";
    EXPECT_FALSE(RowBold(rig.recorder, 1, 11));
}

TEST(PrintJob, TheFontsAreReleasedAndTheShellFontSelectedAgain) {
    PrintRig rig;
    ASSERT_EQ(rig.Print("/* c */\nint f(void)\n"), 1);
    EXPECT_EQ(rig.recorder.LiveFonts(), 1) << "only the shell's printing font is left";
    EXPECT_EQ(rig.device.CurrentFont, rig.printerFont);
    auto* surface = static_cast<RecordingSurface*>(rig.device.Surface());
    EXPECT_EQ(surface->SelectedFont(), rig.printerFont);
    EXPECT_EQ(rig.job.NormalFont, kNoFont);
    EXPECT_EQ(rig.job.BoldFont, kNoFont);
    EXPECT_EQ(rig.text.Text(), nullptr) << "the text is released";
    EXPECT_EQ(rig.host.WaitDepth(), 0);
}

TEST(PrintJob, TheGeometryFollowsTheChosenPrinter) {
    PrintRig rig;
    rig.NoMargins();
    rig.Apply();
    EXPECT_EQ(rig.geometry.PageWidthCols, 40);
    RecordingMetrics wide = SmallPage();
    wide.charWidth = 30;  // 80 columns
    RecordingPrintDialog dialog(wide, rig.recorder);
    PrintJob job(rig.settings, rig.geometry, rig.device, rig.text, dialog, rig.host);
    std::string path = rig.dir.Write("w.txt", std::string(60, 'w') + "\n");
    ASSERT_EQ(job.PrintFile(path.c_str()), 1);
    EXPECT_EQ(rig.geometry.PageWidthCols, 80);
    EXPECT_EQ(RowText(rig.recorder, 0, 0), std::string(60, 'w')) << "one piece on the wider page";
}

TEST(PrintJob, TabsFollowTheTabSizeFromOneToSixteen) {
    PrintRig rig;
    rig.NoMargins();
    rig.settings.TabSize = 4;
    ASSERT_EQ(rig.Print("a\tb\n"), 1);
    EXPECT_EQ(RowText(rig.recorder, 0, 0), "a   b");

    PrintRig odd;
    odd.NoMargins();
    odd.settings.TabSize = 0;
    ASSERT_EQ(odd.Print("a\tb\n"), 1);
    EXPECT_EQ(RowText(odd.recorder, 0, 0), "a       b");
}

TEST(PrintJob, WildSettingsNeitherOverflowNorHang) {
    PrintRig rig;
    rig.settings.LeftMargin = 1e9f;
    rig.settings.RightMargin = 1e9f;
    rig.settings.TopMargin = 3.5f;
    rig.settings.BottomMargin = 1e9f;
    rig.settings.LineNumbers = true;
    ASSERT_EQ(rig.Print("abc\n" + std::string(254, 'z') + "\n",
                        "a-rather-long-file-name-for-a-footer.txt"),
              1);
    EXPECT_EQ(rig.geometry.UsableWidthCols, 1);
    EXPECT_EQ(rig.geometry.LeftMarginCols, 39) << "the page is 40 columns wide";
    EXPECT_EQ(rig.geometry.TopMarginLines, 9) << "a text line and the footer stay below it";
    // One character a page line, one page line a page; the last piece fills the last page.
    EXPECT_EQ(rig.recorder.PagesStarted(), 3 + 254);
    EXPECT_EQ(RowText(rig.recorder, 0, 9), std::string(34, ' ') + "0001 a");
}

TEST(PrintJob, HugeMarginsKeepTheTextAndTheFooterOnThePage) {
    // The small page is 40 columns by 12 lines: every row drawn lies in rows 0 to 11 and
    // starts in columns 0 to 39, however large the margins.
    const struct {
        float left, right, top, bottom;
        bool pageNumbers;
        const char* firstRow;  // the first source line as drawn, margin included
        int row;               // where it lies
    } cases[] = {
        {0, 0, 4, 0, true, "one", 9},           // 12 lines of top margin on a 12-line page
        {0, 0, 4, 0, false, "one", 11},         // no footer: the last row holds the text
        {100, 0, 0, 0, true, "o", 0},           // 39 columns of margin, one of text
        {0.5f, 1e30f, 0, 1e30f, true, "o", 0},  // 2 columns of margin, one of text
    };
    for (const auto& c : cases) {
        PrintRig rig;
        rig.settings.LeftMargin = c.left;
        rig.settings.RightMargin = c.right;
        rig.settings.TopMargin = c.top;
        rig.settings.BottomMargin = c.bottom;
        rig.settings.PageNumbers = c.pageNumbers;
        ASSERT_EQ(rig.Print("one\ntwo\n"), 1);
        int margin = rig.geometry.LeftMarginCols;
        EXPECT_EQ(RowText(rig.recorder, 0, c.row), std::string(margin, ' ') + c.firstRow)
            << c.left << " " << c.top;
        for (const RecordedPage& page : rig.recorder.Pages()) {
            ASSERT_LE(page.rows.size(), 12u) << "a row below the page";
            for (const RecordedRow& row : page.rows) {
                std::string text = row.Text();
                std::size_t start = text.find_first_not_of(' ');
                EXPECT_TRUE(!row.drawn || start == std::string::npos || start < 40)
                    << "text right of the page: " << text;
            }
        }
    }
}

TEST(PrintJob, APrinterWithoutRoomForACellPrintsNoPageAndSaysSo) {
    const struct {
        int horzRes, vertRes, charWidth, lineHeight;
    } printers[] = {{30, 1200, 60, 100}, {2400, 50, 60, 100}, {30, 50, 60, 100}};
    for (const auto& p : printers) {
        RecordingMetrics metrics = SmallPage();
        metrics.horzRes = p.horzRes;
        metrics.vertRes = p.vertRes;
        PrintRig rig(metrics);
        rig.dialog.ChooseCopies(2);
        ASSERT_EQ(rig.Print(std::string(1000, 'x') + "\n"), 1);
        EXPECT_EQ(rig.recorder.PagesStarted(), 0) << p.horzRes << "x" << p.vertRes;
        EXPECT_EQ(rig.recorder.DocumentsEnded(), 1);
        EXPECT_EQ(rig.host.Warnings(), "Quillmar: Can't print on this printer\n");
        EXPECT_EQ(rig.recorder.LiveFonts(), 1) << "the job's fonts are released";
        EXPECT_EQ(rig.host.WaitDepth(), 0);
    }

    PrintRig fine;
    ASSERT_EQ(fine.Print("x\n"), 1);
    EXPECT_TRUE(fine.host.Warnings().empty());
}

// Checkpoints: each page laid out again from its own checkpoint is the page of the whole job.
namespace {

// A small deterministic generator of texts, so that a failure names its seed.
class TextMaker {
public:
    explicit TextMaker(unsigned seed) : state_(seed * 2654435761u + 1) {}
    unsigned Next(unsigned bound) {
        state_ = state_ * 1103515245u + 12345u;
        return (state_ >> 16) % bound;
    }
    // Lines of every sort the engine treats apart: keywords, comments, wide characters,
    // tabs, form feeds, long lines, empty lines and carriage returns.
    std::string Text(const char* head, int lines) {
        static const char* const kPieces[] = {
            "int main(void",
            ") {",
            "static struct s {",
            "};",
            "/* note */",
            "*/",
            "x = 1;",
            "PROCEDURE Run(a: Integer",
            "BEGIN",
            "END;",
            "; asm comment",
            "mov ax, PROC",
            "\t\tindented",
            "a\tb\tc",
            "\f",
            "before\fafter",
            "\xE4\xB8\xAD\xE6\x96\x87 wide",
            "e\xCC\x81 mark",
            "",
            "(* pascal *)",
            "{ brace }",
            "void f(int a,",
            "  int b)",
        };
        std::string text = head;
        for (int i = 0; i < lines; ++i) {
            unsigned kind = Next(10);
            if (kind == 0) {
                text += std::string(20 + Next(120), static_cast<char>('a' + Next(26)));
            } else {
                text += kPieces[Next(sizeof kPieces / sizeof kPieces[0])];
            }
            text += Next(7) == 0 ? "\r\n" : "\n";
        }
        return text;
    }

private:
    unsigned state_;
};

struct LayoutCase {
    bool lineNumbers;
    bool formFeeds;
    bool pageNumbers;
    bool singleSheets;
    float left, right, top, bottom;
    std::uint32_t chunk;
};

void Configure(PrintRig& rig, const LayoutCase& c) {
    rig.settings.LineNumbers = c.lineNumbers;
    rig.settings.FormFeed = c.formFeeds;
    rig.settings.PageNumbers = c.pageNumbers;
    rig.settings.SingleSheets = c.singleSheets;
    rig.settings.LeftMargin = c.left;
    rig.settings.RightMargin = c.right;
    rig.settings.TopMargin = c.top;
    rig.settings.BottomMargin = c.bottom;
    rig.settings.TabSize = 4;
    rig.text.SetReadChunk(c.chunk);
}

// Prints `text` whole with its checkpoints, then every page again from its checkpoint alone,
// and in runs of three pages from the last checkpoint of the run before.
void ExpectEveryPageFromItsCheckpoint(const std::string& text, const LayoutCase& c,
                                      const std::string& label) {
    PrintRig rig;
    Configure(rig, c);
    std::string path = rig.dir.Write("file.c", text);
    rig.Apply();
    std::vector<PageCheckpoint> index;
    rig.job.Checkpoints = &index;
    ASSERT_EQ(rig.job.PrintFile(path.c_str()), 1) << label;
    EXPECT_FALSE(rig.job.StoppedAtLimit) << label;
    const std::size_t pages = rig.recorder.Pages().size();
    ASSERT_EQ(index.size(), pages) << label;
    ASSERT_EQ(rig.recorder.PagesStarted(), static_cast<int>(pages)) << label;

    rig.job.Checkpoints = nullptr;
    rig.job.PageLimit = 1;
    for (std::size_t k = 0; k < pages; ++k) {
        EXPECT_EQ(index[k].pageNumber, static_cast<std::int64_t>(k + 1)) << label;
        rig.job.ResumeFrom = &index[k];
        ASSERT_EQ(rig.job.PrintFile(path.c_str()), 1) << label;
        EXPECT_EQ(rig.job.StoppedAtLimit, k + 1 < pages) << label << " page " << k + 1;
        ASSERT_EQ(rig.recorder.Pages().size(), pages + k + 1) << label << " page " << k + 1;
        EXPECT_TRUE(SamePage(rig.recorder.Pages()[k], rig.recorder.Pages().back()))
            << label << " page " << k + 1 << " of " << pages << "\nwhole:\n"
            << [&] {
                   std::string out;
                   RenderPage(rig.recorder.Pages()[k], out);
                   RenderPage(rig.recorder.Pages().back(), out);
                   return out;
               }();
    }

    // The index built in runs of three pages is the same index.
    std::vector<PageCheckpoint> slices;
    rig.job.ResumeFrom = nullptr;
    rig.job.PageLimit = 3;
    rig.job.Checkpoints = &slices;
    PageCheckpoint from;
    for (int run = 0; run < 10000; ++run) {
        ASSERT_EQ(rig.job.PrintFile(path.c_str()), 1) << label;
        if (!rig.job.StoppedAtLimit) {
            break;
        }
        from = slices.back();
        rig.job.ResumeFrom = &from;
    }
    EXPECT_EQ(slices.size(), pages) << label;
    rig.job.Checkpoints = nullptr;
    rig.job.ResumeFrom = nullptr;
    rig.job.PageLimit = 0;
    EXPECT_EQ(rig.recorder.LiveFonts(), 1) << label;  // the shell's font alone
}

}  // namespace

TEST(PrintJobCheckpoints, EveryPageFromItsCheckpointIsThePageOfTheWholeJob) {
    const LayoutCase layouts[] = {
        {false, false, true, false, 0, 0, 0, 0, TextBuffer::kDefaultReadChunk},
        {true, true, true, false, 0.5f, 0, 0, 0, 16},
        {true, false, false, false, 1.0f, 2.0f, 0.4f, 0.4f, 7},
        {false, true, true, true, 0, 7.5f, 0, 0, 32},          // a text width of a few cells
        {true, true, true, false, 4.0f, 3.9f, 1.2f, 1.5f, 5},  // wild margins
        {false, false, true, false, -3.0f, 40.0f, -1.0f, 9.0f, 64},
    };
    const char* const heads[] = {
        "/* a header comment\n   over lines */\n",
        "; assembler header\n; more\n",
        "PROGRAM demo;\n(* header *)\n",
        "plain text\n",
        "",
    };
    for (unsigned seed = 0; seed < 10; ++seed) {
        TextMaker maker(seed);
        const char* head = heads[seed % (sizeof heads / sizeof heads[0])];
        std::string text = maker.Text(head, 20 + static_cast<int>(maker.Next(80)));
        for (std::size_t l = 0; l < sizeof layouts / sizeof layouts[0]; ++l) {
            ExpectEveryPageFromItsCheckpoint(
                text, layouts[l], "seed " + std::to_string(seed) + " layout " + std::to_string(l));
        }
    }
}

TEST(PrintJobCheckpoints, ACheckpointHoldsTheBoldOfADeclarationAcrossThePageEnd) {
    PrintRig rig;
    rig.NoMargins();
    // 10 text lines a page: the declaration runs from line 9 to line 12.
    std::string text = "/* head */\n";
    for (int i = 2; i <= 8; ++i) {
        text += "x;\n";
    }
    text += "int f(a,\nb,\nc,\nd)\ny;\n";
    std::string path = rig.dir.Write("file.c", text);
    rig.Apply();
    std::vector<PageCheckpoint> index;
    rig.job.Checkpoints = &index;
    ASSERT_EQ(rig.job.PrintFile(path.c_str()), 1);
    ASSERT_EQ(index.size(), 2u);
    EXPECT_FALSE(index[0].lineBegun);
    EXPECT_FALSE(index[0].emphasis.bold);
    EXPECT_TRUE(index[1].lineBegun);
    EXPECT_TRUE(index[1].emphasis.bold);
    EXPECT_FALSE(index[1].emphasis.headerZone);
    EXPECT_EQ(index[1].lineNumber, 11);
    EXPECT_EQ(index[1].pageNumber, 2);
    EXPECT_EQ(index[1].piecesDone, 0u);
}

TEST(PrintJobCheckpoints, APageThatStartsInsideAWrappedLineCountsItsEarlierPieces) {
    PrintRig rig;
    rig.NoMargins();
    // 40 cells a line, 10 lines a page: 9 short lines, then one of 100 cells in 3 pieces.
    std::string text;
    for (int i = 1; i <= 9; ++i) {
        text += "line\n";
    }
    text += std::string(100, 'w') + "\nlast\n";
    std::string path = rig.dir.Write("file.txt", text);
    rig.Apply();
    std::vector<PageCheckpoint> index;
    rig.job.Checkpoints = &index;
    ASSERT_EQ(rig.job.PrintFile(path.c_str()), 1);
    ASSERT_EQ(index.size(), 2u);
    EXPECT_EQ(index[1].lineNumber, 10);
    EXPECT_EQ(index[1].piecesDone, 1u);
    rig.job.Checkpoints = nullptr;
    rig.job.ResumeFrom = &index[1];
    rig.job.PageLimit = 1;
    ASSERT_EQ(rig.job.PrintFile(path.c_str()), 1);
    EXPECT_FALSE(rig.job.StoppedAtLimit);
    std::size_t last = rig.recorder.Pages().size() - 1;
    EXPECT_EQ(RowText(rig.recorder, last, 0), std::string(40, 'w'));
    EXPECT_EQ(RowText(rig.recorder, last, 1), std::string(20, 'w'));
    EXPECT_EQ(RowText(rig.recorder, last, 2), "last");
}

namespace {

// The last component of a report's path: "1/3:2 a.txt".
std::string ShortReport(const std::string& report) {
    std::size_t space = report.find(' ');
    std::size_t slash = report.find_last_of("/\\");
    if (space == std::string::npos || slash == std::string::npos || slash < space) {
        return report;
    }
    return report.substr(0, space + 1) + report.substr(slash + 1);
}

// Writes the files and prints them as one job of several.
int PrintSeveral(PrintRig& rig, const std::vector<std::pair<std::string, std::string>>& files,
                 const std::vector<std::string>& missing = {}) {
    std::vector<JobFile> job;
    for (const auto& [name, content] : files) {
        std::string path = rig.dir.Write(name, content);
        job.push_back(JobFile{path, path});
    }
    for (const std::string& name : missing) {
        job.push_back(JobFile{rig.dir.File(name), name});
    }
    rig.Apply();
    return rig.job.PrintFiles(job);
}

// The footers of the kept pages by document: "doc name page".
Rows FootersByDocument(const PrintRig& rig) {
    Rows footers = Footers(rig);
    Rows out;
    for (std::size_t i = 0; i < footers.size(); ++i) {
        out.push_back(std::to_string(rig.recorder.Pages()[i].document) + " " + footers[i]);
    }
    return out;
}

}  // namespace

TEST(PrintJobFiles, OneDialogAndADocumentPerFileInTheOrderGiven) {
    PrintRig rig;
    rig.NoMargins();
    ASSERT_EQ(PrintSeveral(
                  rig, {{"b.txt", NumberedLines(12)}, {"a.txt", "alpha\n"}, {"c.txt", "gamma\n"}}),
              1);
    EXPECT_EQ(rig.dialog.Runs(), 1);
    EXPECT_EQ(rig.recorder.DocumentNames(),
              (Rows{"Quillmar output", "Quillmar output", "Quillmar output"}));
    EXPECT_EQ(rig.recorder.DocumentsEnded(), 3);
    // Each file its own footer and page numbers from 1.
    EXPECT_EQ(FootersByDocument(rig), (Rows{"0 b.txt 1", "0 b.txt 2", "1 a.txt 1", "2 c.txt 1"}));
    EXPECT_EQ(RowText(rig.recorder, 2, 0), "alpha");
    EXPECT_EQ(rig.recorder.DocumentsAborted(), 0);
    EXPECT_EQ(rig.host.WaitDepth(), 0);
    EXPECT_EQ(rig.recorder.LiveFonts(), 1) << "only the shell's printing font is left";
}

TEST(PrintJobFiles, CopiesAndRangeOfTheDialogApplyToEveryFile) {
    PrintRig rig;
    rig.NoMargins();
    rig.dialog.ChooseCopies(2);
    rig.dialog.ChoosePages(2, 2);
    ASSERT_EQ(PrintSeveral(rig, {{"a.txt", NumberedLines(20)}, {"b.txt", NumberedLines(20)}}), 1);
    EXPECT_EQ(FootersByDocument(rig), (Rows{"0 a.txt 2", "0 a.txt 2", "1 b.txt 2", "1 b.txt 2"}));
}

TEST(PrintJobFiles, AnUnreadableFileIsNamedAndTheOthersGoOn) {
    PrintRig rig;
    rig.NoMargins();
    std::vector<JobFile> files;
    std::string first = rig.dir.Write("first.txt", "one\n");
    files.push_back(JobFile{first, first});
    files.push_back(JobFile{rig.dir.File("gone.txt"), "C:\\gone.txt"});
    files.push_back(JobFile{"", "unreachable name"});
    std::string last = rig.dir.Write("last.txt", "two\n");
    files.push_back(JobFile{last, last});
    rig.Apply();
    ASSERT_EQ(rig.job.PrintFiles(files), 1);
    EXPECT_EQ(rig.host.Warnings(),
              "Quillmar: Can't open file\nC:\\gone.txt\n"
              "Quillmar: Can't open file\nunreachable name\n");
    EXPECT_EQ(FootersByDocument(rig), (Rows{"0 first.txt 1", "1 last.txt 1"}));
}

TEST(PrintJobFiles, NoFileReadableGivesZeroAfterTheDialog) {
    PrintRig rig;
    EXPECT_EQ(PrintSeveral(rig, {}, {"x.txt", "y.txt"}), 0);
    EXPECT_EQ(rig.dialog.Runs(), 1);
    EXPECT_TRUE(rig.recorder.DocumentNames().empty());
}

TEST(PrintJobFiles, ACancelledDialogPrintsNoneAndReadsNone) {
    PrintRig rig;
    rig.dialog.ChooseCancel();
    EXPECT_EQ(PrintSeveral(rig, {{"a.txt", "a\n"}}, {"missing.txt"}), 1);
    EXPECT_TRUE(rig.host.Warnings().empty()) << "nothing is read after a cancelled dialog";
    EXPECT_TRUE(rig.recorder.DocumentNames().empty());
}

TEST(PrintJobFiles, OneFileIsTheSingleJobWithTheFileReadFirst) {
    PrintRig rig;
    EXPECT_EQ(PrintSeveral(rig, {}, {"missing.txt"}), 0);
    EXPECT_EQ(rig.host.Warnings(), "Quillmar: Can't open file\n");
    EXPECT_EQ(rig.dialog.Runs(), 0);
}

TEST(PrintJobFiles, NoFilesAskNothing) {
    PrintRig rig;
    rig.Apply();
    EXPECT_EQ(rig.job.PrintFiles({}), 1);
    EXPECT_EQ(rig.dialog.Runs(), 0);
}

TEST(PrintJobProgress, ReportsEachPageAndFileAndEveryFewLines) {
    PrintRig rig;
    rig.NoMargins();  // 11 text lines a page with the footer
    ASSERT_EQ(PrintSeveral(rig, {{"a.txt", NumberedLines(12)}, {"b.txt", "b\n"}}), 1);
    Rows reports;
    for (const std::string& report : rig.host.Reports()) {
        reports.push_back(ShortReport(report));
    }
    // Before the file, before its copy, at its second page; then the same for the next.
    EXPECT_EQ(reports,
              (Rows{"1/2:1 a.txt", "1/2:1 a.txt", "1/2:2 a.txt", "2/2:1 b.txt", "2/2:1 b.txt"}));

    PrintRig many;
    many.NoMargins();
    many.settings.PageNumbers = false;
    many.geometry = PageGeometry{};
    ASSERT_EQ(many.Print(NumberedLines(1000)), 1);
    // Pages of 12 lines: a report before the file and at each of the 83 page starts after
    // the first; the lines add none, since no kLinesBetweenProgress of them pass without a
    // page start.
    EXPECT_EQ(many.host.Reports().size(), 1u + 83u);

    // Pages of 100 lines: after each 64 lines in which no page started, the lines report
    // too: after lines 64, 192, 384, 576, 768 and 896.
    static_assert(kLinesBetweenProgress == 64, "the lines below count on it");
    RecordingMetrics tall = SmallPage();
    tall.vertRes = 100 * tall.lineHeight;
    PrintRig longPages(tall);
    longPages.NoMargins();
    longPages.settings.PageNumbers = false;
    longPages.geometry = PageGeometry{};
    ASSERT_EQ(longPages.Print(NumberedLines(1000)), 1);
    ASSERT_EQ(longPages.recorder.PagesEnded(), 10);
    EXPECT_EQ(longPages.host.Reports().size(), 1u + 9u + 6u);
}

TEST(PrintJobProgress, AStopAbandonsTheDocumentAndTheFilesAfterIt) {
    struct Case {
        const char* name;
        std::function<bool(const JobProgress&)> stop;
        Rows footers;  // of the documents ended
        int ended;
        int aborted;
    };
    auto inFile = [](int file, std::int64_t page) {
        return [file, page](const JobProgress& p) { return p.file == file && p.page == page; };
    };
    const Case cases[] = {
        {"on the second page of the first file", inFile(1, 2), {}, 0, 1},
        {"on the second file", inFile(2, 2), {"0 a.txt 1", "0 a.txt 2"}, 1, 1},
        {"before the third file starts",
         inFile(3, 1),
         {"0 a.txt 1", "0 a.txt 2", "1 b.txt 1", "1 b.txt 2"},
         2,
         0},
    };
    for (const Case& c : cases) {
        PrintRig rig;
        rig.NoMargins();
        rig.host.StopWhen(c.stop);
        ASSERT_EQ(PrintSeveral(rig, {{"a.txt", NumberedLines(15)},
                                     {"b.txt", NumberedLines(15)},
                                     {"c.txt", NumberedLines(15)}}),
                  1)
            << c.name;
        EXPECT_TRUE(rig.job.Stopped()) << c.name;
        EXPECT_EQ(FootersByDocument(rig), c.footers) << c.name;
        EXPECT_EQ(rig.recorder.DocumentsEnded(), c.ended) << c.name;
        EXPECT_EQ(rig.recorder.DocumentsAborted(), c.aborted) << c.name;
        EXPECT_EQ(static_cast<int>(rig.recorder.DocumentNames().size()), c.ended + c.aborted)
            << c.name;
        EXPECT_EQ(rig.host.WaitDepth(), 0) << c.name;
        EXPECT_EQ(rig.recorder.LiveFonts(), 1) << c.name;
        EXPECT_EQ(rig.text.Text(), nullptr) << c.name << ": the text is released";
    }
}

TEST(PrintJobProgress, AHostKeepingNoReportsStillStopsTheJob) {
    // As the layout tool runs a job of any length.
    PrintRig rig;
    rig.NoMargins();
    rig.host.KeepReports(false);
    int reports = 0;
    rig.host.StopWhen([&reports](const JobProgress&) { return ++reports == 3; });
    ASSERT_EQ(rig.Print(NumberedLines(30)), 1);
    EXPECT_TRUE(rig.job.Stopped()) << "the third report stops it";
    EXPECT_EQ(reports, 3);
    EXPECT_TRUE(rig.host.Reports().empty());
}

TEST(PrintJobProgress, AStopEndsEveryCopyOfASingleFile) {
    PrintRig rig;
    rig.NoMargins();
    rig.dialog.ChooseCopies(3);
    int reports = 0;
    rig.host.StopWhen([&reports](const JobProgress&) { return ++reports == 3; });
    ASSERT_EQ(rig.Print(NumberedLines(30)), 1);
    EXPECT_TRUE(rig.job.Stopped());
    EXPECT_EQ(rig.recorder.DocumentsAborted(), 1);
    EXPECT_EQ(rig.recorder.DocumentsEnded(), 0);
    EXPECT_EQ(rig.host.Reports().size(), 3u) << "nothing is asked after the stop";
    // A later job starts afresh.
    rig.host.StopWhen(nullptr);
    ASSERT_EQ(rig.Print("again\n"), 1);
    EXPECT_FALSE(rig.job.Stopped());
    EXPECT_EQ(rig.recorder.DocumentsEnded(), 1);
}
