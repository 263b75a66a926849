// PrintJob: prints one text file as one document: the print dialog, the copies, the page
// range, the pages with their footers, and the pause for single sheets.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "print/emphasis.h"
#include "print/line_formatter.h"
#include "print/page_breaks.h"
#include "print/page_geometry.h"
#include "print/print_dialog.h"
#include "print/print_settings.h"
#include "print/printer_device.h"
#include "text/text_buffer.h"

// Where a job stands, for the user to follow.
struct JobProgress {
    const char* path = "";  // the file being printed
    int file = 1;           // its place among the job's files, from 1
    int files = 1;
    std::int64_t page = 1;  // the page being made, as its footer numbers it
};

// What a job asks of the user interface.
class PrintJobHost {
public:
    virtual ~PrintJobHost() = default;
    // A warning with one OK button, such as "Can't open file".
    virtual void Warn(const char* text, const char* caption) = 0;
    // Asks for the next single sheet; false when the user cancels.
    virtual bool AskNextSheet() = 0;
    // The wait cursor, shown while pages are laid out.
    virtual void BeginWait() = 0;
    virtual void EndWait() = 0;
    // Called as each page starts and every few lines between: lets the user interface follow
    // the job and answer its user. False when the user stopped the job: the document in
    // progress is abandoned and no file after it prints.
    virtual bool Proceed(const JobProgress& progress) {
        (void)progress;
        return true;
    }
};

// A file of a job of several: its path (empty when no path reaches it) and the name its
// warning gives it.
struct JobFile {
    std::string path;
    std::string name;
};

// Where a page starts: what the job needs to lay the document out from there on.
struct PageCheckpoint {
    TextPosition text;             // the start of the line the page begins with
    std::int64_t pageNumber = 1;   // the page's number
    std::int64_t lineNumber = 1;   // that line's number
    std::uint32_t piecesDone = 0;  // its pieces that went on earlier pages
    EmphasisState emphasis;        // the rules' state (bold included) as the page starts
    bool lineBegun = false;        // the rules have seen the line (every page but the first)
};

inline constexpr char kDocumentName[] = "Quillmar output";
inline constexpr int kPrintLineCapacity = 255;

class PrintJob : private BoldSwitch, private PageBreaks {
public:
    PrintJob(PrintSettings& settings, PageGeometry& geometry, PrinterDevice& device,
             TextBuffer& text, PrintDialogRunner& dialog, PrintJobHost& host);
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    // Prints the file at `path`. 0 when it cannot be read ("Can't open file" is shown), else 1,
    // also when the dialog was cancelled. After the dialog the geometry follows the chosen
    // printer; when its page holds no cell, the document ends without a page and "Can't
    // print on this printer" is shown. At the end the font the device held before is
    // selected again.
    int PrintFile(const char* path);

    // Prints several files after one print dialog, whose printer, copies and page range
    // apply to each: every file its own document, in the order given. A file that cannot be
    // read is reported by name ("Can't open file" and the name on a second line) and the
    // others go on. Stopped by the user, the document in progress is abandoned and the
    // files after it are left out; the documents already ended stay printed. One file:
    // PrintFile. The result: 1, or 0 when no file could be read.
    int PrintFiles(const std::vector<JobFile>& files);

    // The user stopped the last job.
    bool Stopped() const { return stopped_; }

    // Ends the current page: its footer, the page end, the next page number and whether it
    // is in the range. The next page starts only when a line is to go on it
    // (StartNextPage), so no page ever holds only its footer, except the first page of a copy
    // of an empty file.
    void FinishPage() override;
    // With single sheets and output on, asks for the sheet first; false when the user
    // cancelled: no page starts then.
    bool StartNextPage() override;

    LineFormatter& Formatter() { return formatter_; }

    // For a preview, one copy of the document in runs of pages. When ResumeFrom is given (a
    // checkpoint recorded by a job on the same file, settings and printer), the copy starts
    // at its page instead of the first; with PageLimit above 0 it ends once that many pages
    // are done and another is to start (StoppedAtLimit tells so); every page start but the
    // one resumed from is appended to Checkpoints when given, the next run's start included.
    const PageCheckpoint* ResumeFrom = nullptr;
    int PageLimit = 0;
    std::vector<PageCheckpoint>* Checkpoints = nullptr;
    bool StoppedAtLimit = false;

    const char* FilePath = "";
    bool RangeActive = false;
    int FromPage = 0;
    int ToPage = 0;
    std::int64_t PageNumber = 1;
    FontHandle NormalFont = kNoFont;
    FontHandle BoldFont = kNoFont;

private:
    void SelectBold() override;
    void SelectNormal() override;

    // The file read into the text as one document on the printer the dialog chose.
    void PrintDocument();
    // Asks the host whether to go on; false, and Stopped(), once the user stopped.
    bool Proceed();
    void PrintCopy();
    void PrintPlain();
    void PrintCFamily();
    void PrintAssembler();
    void PrintPascalFamily();
    // The copy's line loop: the first page, then every line with the rules' decisions. One
    // loop for each rule set, so that its calls are direct (and for plain text, none).
    template <class Rules>
    void RunLines(Rules& rules);
    // Starts the copy at ResumeFrom: its page begun and the line it starts inside finished.
    // False when the copy is to end.
    template <class Rules>
    bool Resume(Rules& rules);
    // Appends the checkpoint of the page about to start, when they are kept.
    void RecordCheckpoint(bool lineBegun);

    PrintSettings& settings_;
    PageGeometry& geometry_;
    PrinterDevice& device_;
    TextBuffer& text_;
    PrintDialogRunner& dialog_;
    PrintJobHost& host_;
    LineFormatter formatter_;
    EmphasisRules* rules_ = nullptr;  // the copy's rule set
    TextPosition lineStart_;          // where the line being printed starts
    int pagesDone_ = 0;               // pages started in this run
    bool stopped_ = false;
    int fileNumber_ = 1;
    int fileCount_ = 1;
};

// Lines laid out between two questions to the host when no page starts.
inline constexpr int kLinesBetweenProgress = 64;
