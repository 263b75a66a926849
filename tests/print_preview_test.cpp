// Tests of PrintPreview: the pages it shows are the pages the job prints, indexed in runs.
#include "print/print_preview.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "print/recording_surface.h"
#include "tests/print_rig.h"

namespace {

// The rows of a shown page as "row: text" with a "*" for bold, as DrawnRows gives them.
std::vector<std::string> ShownRows(const PreviewPage& page) {
    std::vector<std::string> rows;
    for (const PreviewRun& run : page.runs) {
        EXPECT_EQ(run.x, 0);
        EXPECT_EQ(run.y % page.lineHeight, 0);
        std::string text = run.text;
        std::size_t end = text.find_last_not_of(' ');
        text = end == std::string::npos ? "" : text.substr(0, end + 1);
        rows.push_back(std::to_string(run.y / page.lineHeight) + ":" +
                       (text.empty() ? "" : " " + text) + (run.font.weight >= 700 ? " *" : ""));
    }
    return rows;
}

std::vector<std::string> PrintedRows(const PageRecorder& recorder, std::size_t page) {
    std::vector<std::string> rows = DrawnRows(recorder, page);
    const RecordedPage& kept = recorder.Pages()[page];
    std::size_t at = 0;
    for (std::size_t i = 0; i < kept.rows.size(); ++i) {
        if (kept.rows[i].drawn) {
            if (kept.rows[i].bold) {
                rows[at] += " *";
            }
            ++at;
        }
    }
    return rows;
}

std::string CSource(int lines) {
    std::string text = "/* header\n   comment */\n";
    for (int i = 0; i < lines; ++i) {
        if (i % 9 == 0) {
            text += "static int f" + std::to_string(i) + "(int a,\n        int b)\n";
        } else if (i % 13 == 0) {
            text += std::string(95, 'w') + "\n";
        } else {
            text += "\tx = " + std::to_string(i) + ";\n";
        }
    }
    return text;
}

}  // namespace

TEST(PrintPreview, ShowsEveryPageThePrintJobPrints) {
    struct Case {
        const char* name;
        std::string text;
        bool lineNumbers;
        float leftMargin;
        int run;  // pages indexed at a time
    };
    const Case cases[] = {
        {"one page", "hello\n", false, 0.5f, 1},
        {"empty file", "", true, 0.0f, 5},
        {"C source, runs of one", CSource(60), true, 0.5f, 1},
        {"C source, runs of seven", CSource(90), false, 1.0f, 7},
        {"form feeds", "a\fb\nc\n\fd\n", false, 0.0f, 2},
    };
    for (const Case& c : cases) {
        PrintRig rig;
        rig.settings.LineNumbers = c.lineNumbers;
        rig.settings.LeftMargin = c.leftMargin;
        rig.settings.FormFeed = true;
        ASSERT_EQ(rig.Print(c.text, "shown.c"), 1) << c.name;
        std::size_t printed = rig.recorder.Pages().size();

        PageRecorder fonts;
        RecordingSurface printer(rig.metrics, fonts);
        PrintPreview preview(printer);
        ASSERT_TRUE(preview.Open(rig.dir.File("shown.c").c_str(), rig.settings)) << c.name;
        EXPECT_EQ(preview.Final(), printed == 1) << c.name;
        int runs = 0;
        while (!preview.IndexMore(c.run) && runs < 1000) {
            ++runs;
        }
        ASSERT_TRUE(preview.Final()) << c.name;
        ASSERT_EQ(preview.PageCount(), printed) << c.name;
        // Any order: the last page, then from the first.
        for (std::size_t n = 0; n <= printed; ++n) {
            std::size_t k = n == 0 ? printed - 1 : n - 1;
            ASSERT_TRUE(preview.Show(k)) << c.name;
            EXPECT_EQ(preview.Page().charWidth, rig.metrics.charWidth);
            EXPECT_EQ(preview.Page().lineHeight, rig.metrics.lineHeight);
            EXPECT_EQ(ShownRows(preview.Page()), PrintedRows(rig.recorder, k))
                << c.name << " page " << k + 1;
        }
        EXPECT_FALSE(preview.Show(printed)) << c.name;
        EXPECT_EQ(preview.Geometry().LastLine, rig.geometry.LastLine) << c.name;
        EXPECT_EQ(preview.HorzRes(), rig.metrics.horzRes);
        // Nothing reached the printer, and it holds no font of the preview's.
        EXPECT_EQ(fonts.PagesStarted(), 0) << c.name;
        EXPECT_EQ(fonts.DocumentNames().size(), 0u) << c.name;
        EXPECT_EQ(fonts.LiveFonts(), 0) << c.name;
    }
}

TEST(PrintPreview, TheSettingsAreCopiedAndSingleSheetsAskNothing) {
    PrintRig rig;
    rig.settings.SingleSheets = true;
    std::string path = rig.dir.Write("f.txt", CSource(40));
    PageRecorder fonts;
    RecordingSurface printer(rig.metrics, fonts);
    PrintPreview preview(printer);
    PrintSettings settings = rig.settings;
    ASSERT_TRUE(preview.Open(path.c_str(), settings));
    settings.LeftMargin = 3.0f;  // the preview keeps its own copy
    while (!preview.IndexMore(100)) {
    }
    EXPECT_GT(preview.PageCount(), 2u);
    EXPECT_EQ(preview.Settings().LeftMargin, rig.settings.LeftMargin);
    EXPECT_EQ(fonts.Pauses(), 0);
}

TEST(PrintPreview, NothingToShowForAFileThatCannotBeReadOrAPageWithoutCells) {
    PrintRig rig;
    PageRecorder fonts;
    RecordingSurface printer(rig.metrics, fonts);
    PrintPreview preview(printer);
    EXPECT_FALSE(preview.Open(rig.dir.File("missing.txt").c_str(), rig.settings));
    EXPECT_EQ(preview.PageCount(), 0u);

    RecordingMetrics none = rig.metrics;
    none.charWidth = 0;
    none.horzRes = 0;
    RecordingSurface cellless(none, fonts);
    PrintPreview nothing(cellless);
    std::string path = rig.dir.Write("f.txt", "text\n");
    EXPECT_FALSE(nothing.Open(path.c_str(), rig.settings));
}

TEST(PreviewTitle, NamesTheFileThePageAndTheCount) {
    struct Case {
        const char* path;
        std::size_t page, count;
        bool final, noPrinter;
        const char* title;
    };
    const Case cases[] = {
        {"C:\\src\\three.txt", 0, 3, true, false, "Preview - three.txt - page 1 of 3"},
        {"C:\\src\\three.txt", 2, 3, true, false, "Preview - three.txt - page 3 of 3"},
        {"C:\\big.c", 0, 2, false, false, "Preview - big.c - page 1 of 2+"},
        {"D:name.txt", 4, 9, true, true, "Preview - name.txt - page 5 of 9 (no printer)"},
        {"plain", 0, 1, false, true, "Preview - plain - page 1 of 1+ (no printer)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PreviewTitle(c.path, c.page, c.count, c.final, c.noPrinter), c.title);
    }
}

TEST(NoPrinterPage, LetterAt600DotsWithCellsFromThePitch) {
    struct Case {
        int pitch, lineHeight, charWidth;
    };
    const Case cases[] = {{12, 100, 60}, {10, 83, 50}, {0, 100, 60}, {-5, 100, 60}, {1, 8, 5}};
    for (const Case& c : cases) {
        PrintSettings settings;
        settings.Pitch = c.pitch;
        RecordingMetrics page = NoPrinterPage(settings);
        EXPECT_EQ(page.horzRes, 5100);
        EXPECT_EQ(page.vertRes, 6600);
        EXPECT_EQ(page.dpi, 600);
        EXPECT_EQ(page.lineHeight, c.lineHeight) << c.pitch;
        EXPECT_EQ(page.charWidth, c.charWidth) << c.pitch;
    }
}
