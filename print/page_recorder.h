// PageRecorder: what a printer received, page by page, as grids of text rows; kept, written
// out as each page ends, or only counted.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

#include "print/print_surface.h"

// A row of cells, each holding the UTF-8 of what stands in it: one character with the
// characters of no width that go with it, a blank, or nothing at all in the second cell of a
// wide character.
struct RecordedRow {
    bool drawn = false;
    bool bold = false;  // the bold font was selected when the row was drawn
    std::vector<std::string> cells;

    // The cells one after the other, blanks at the end included.
    std::string Text() const;
};

struct RecordedPage {
    int number = 0;             // counts the started pages from 1, across documents
    int document = -1;          // the document it went into, from 0 (-1: none was started)
    bool pausedBefore = false;  // the single-sheet question was asked for this page
    std::vector<RecordedRow> rows;
};

// Whether two pages show the same: the same rows drawn, each with the same cells in the same
// weight (their numbers, documents and pauses aside).
bool SamePage(const RecordedPage& a, const RecordedPage& b);

class PageRecorder {
public:
    enum class Mode { Keep, Stream, Count };

    // Keep: pages stay in Pages(). Stream: each page is written to `out` as it ends, and a
    // pause as "--- pause ---" when it happens. Count: only the counters.
    explicit PageRecorder(Mode mode = Mode::Keep, std::ostream* out = nullptr);

    void DocumentStarted(const char* name);
    void DocumentEnded();
    // The document was abandoned: its kept pages are dropped, and a page still open goes
    // with it. (In Stream mode the pages already written stay written.)
    void DocumentAborted();
    void PageStarted();
    void PageEnded();
    // The single-sheet question, asked before the page it is for starts; `cancelled` when
    // the user answered Cancel (no page follows).
    void Pause(bool cancelled);
    void Text(int row, int column, const CellRun& run, bool bold) {
        if (!pageOpen_) {
            ++strayTexts_;
        } else if (mode_ != Mode::Count) {
            KeepText(row, column, run, bold);
        }
    }

    // Fonts of every recording surface that shares this recorder.
    FontHandle AddFont(const LogicalFont& font);
    const LogicalFont* Font(FontHandle font) const;
    void RemoveFont(FontHandle font);
    int LiveFonts() const;
    // False in Count mode, where the place of a text does not matter.
    bool KeepsText() const { return mode_ != Mode::Count; }

    const std::vector<RecordedPage>& Pages() const { return pages_; }
    std::vector<std::string> DocumentNames() const { return documents_; }
    int DocumentsEnded() const { return documentsEnded_; }
    int DocumentsAborted() const { return documentsAborted_; }
    int PagesStarted() const { return pagesStarted_; }
    int PagesEnded() const { return pagesEnded_; }
    int Pauses() const { return pauses_; }
    // Text drawn while no page was open (a fault of the caller).
    int StrayTexts() const { return strayTexts_; }

    // Every kept page in the layout tool's text format, with "--- pause ---" before each page
    // the single-sheet question was asked for.
    std::string Render() const;

private:
    // Puts a text into the rows of the open page, each character into its cells.
    void KeepText(int row, int column, const CellRun& run, bool bold);

    Mode mode_;
    std::ostream* out_;
    std::vector<RecordedPage> pages_;
    RecordedPage current_;
    bool pageOpen_ = false;
    bool pausePending_ = false;  // the next page started was asked for
    std::vector<std::string> documents_;
    int documentsEnded_ = 0;
    int documentsAborted_ = 0;
    int pagesStarted_ = 0;
    int pagesEnded_ = 0;
    int pauses_ = 0;
    int strayTexts_ = 0;
    std::vector<LogicalFont> fonts_;
    std::vector<bool> fontLive_;
};

// One page in the layout tool's format: "=== page N ===", then a line per row from row 0 to
// the last one drawn: "*" or a blank for the font, then the row's cells as UTF-8 without
// trailing blanks; an empty line for a row where nothing was drawn.
void RenderPage(const RecordedPage& page, std::string& out);
