// PrintJob: one file, one document, its copies and pages.
#include "print/print_job.h"

#include "print/page_footer.h"

namespace {

// Shows the wait cursor for its lifetime.
class WaitGuard {
public:
    explicit WaitGuard(PrintJobHost& host) : host_(host) { host_.BeginWait(); }
    ~WaitGuard() { host_.EndWait(); }
    WaitGuard(const WaitGuard&) = delete;
    WaitGuard& operator=(const WaitGuard&) = delete;

private:
    PrintJobHost& host_;
};

}  // namespace

PrintJob::PrintJob(PrintSettings& settings, PageGeometry& geometry, PrinterDevice& device,
                   TextBuffer& text, PrintDialogRunner& dialog, PrintJobHost& host)
    : settings_(settings),
      geometry_(geometry),
      device_(device),
      text_(text),
      dialog_(dialog),
      host_(host),
      formatter_(settings, geometry, device, *this) {}

int PrintJob::PrintFile(const char* path) {
    stopped_ = false;
    fileNumber_ = 1;
    fileCount_ = 1;
    text_.SetTabWidth(PrintTabWidth(settings_));
    if (!text_.Open(path, kPrintLineCapacity)) {
        host_.Warn("Can't open file", "Quillmar");
        return 0;
    }
    FilePath = path;
    if (!device_.ChoosePrinter(kPrintDialogNoSelection, dialog_)) {
        text_.CloseFile();  // nothing is printed: the file must not stay locked
        return 1;
    }
    WaitGuard wait(host_);
    if (!device_.StartDocument(kDocumentName)) {
        text_.CloseFile();
        return 1;
    }
    PrintDocument();
    return 1;
}

int PrintJob::PrintFiles(const std::vector<JobFile>& files) {
    if (files.size() == 1 && !files[0].path.empty()) {
        return PrintFile(files[0].path.c_str());
    }
    stopped_ = false;
    fileCount_ = static_cast<int>(files.size());
    if (files.empty() || !device_.ChoosePrinter(kPrintDialogNoSelection, dialog_)) {
        return 1;
    }
    WaitGuard wait(host_);
    text_.SetTabWidth(PrintTabWidth(settings_));
    bool anyRead = false;
    for (std::size_t i = 0; i < files.size() && !stopped_; ++i) {
        fileNumber_ = static_cast<int>(i) + 1;
        const JobFile& file = files[i];
        if (file.path.empty() || !text_.Open(file.path.c_str(), kPrintLineCapacity)) {
            std::string warning = "Can't open file\n" + file.name;
            host_.Warn(warning.c_str(), "Quillmar");
            continue;
        }
        anyRead = true;
        FilePath = file.path.c_str();
        PageNumber = 1;
        if (!Proceed()) {
            text_.Release();
            break;
        }
        if (!device_.StartDocument(kDocumentName)) {
            text_.CloseFile();
            continue;
        }
        PrintDocument();
    }
    FilePath = "";
    return anyRead ? 1 : 0;
}

bool PrintJob::Proceed() {
    if (!stopped_) {
        JobProgress progress;
        progress.path = FilePath;
        progress.file = fileNumber_;
        progress.files = fileCount_;
        progress.page = PageNumber;
        stopped_ = !host_.Proceed(progress);
    }
    return !stopped_;
}

void PrintJob::PrintDocument() {
    const PrintDialogRecord& answer = device_.PrintDialog;
    RangeActive = false;
    if (answer.Flags & kPrintDialogPageNums) {
        ToPage = answer.ToPage;
        FromPage = answer.FromPage;
        RangeActive = FromPage <= ToPage;
    }

    NormalFont = CreatePrintFont(device_, settings_, 400);
    BoldFont = CreatePrintFont(device_, settings_, 700);

    // Lay the pages out for the printer that was chosen, which need not be the one the
    // geometry was last computed for.
    FontHandle previousFont = device_.CurrentFont;
    FontHandle deviceFont = device_.SelectFont(NormalFont);
    device_.RefreshMetrics();
    ComputePageGeometry(device_.Measures(), settings_, geometry_);

    // A printer whose page holds no cell has nowhere to put text: no page at all then.
    bool printable = geometry_.PageWidthCols > 0 && geometry_.PageLengthLines > 0;
    PageNumber = 1;
    for (unsigned copy = 0; printable && copy < answer.Copies && Proceed(); ++copy) {
        PrintCopy();
    }
    if (stopped_) {
        device_.AbortDocument();
    } else {
        device_.EndDocument();
    }
    if (!printable) {
        host_.Warn("Can't print on this printer", "Quillmar");
    }

    // Neither job font may stay selected once it is deleted.
    if (previousFont != kNoFont) {
        device_.SelectFont(previousFont);
    } else if (device_.Surface() != nullptr) {
        device_.Surface()->UseFont(deviceFont);
        device_.CurrentFont = kNoFont;
    }
    device_.RefreshMetrics();
    device_.FreeFont(BoldFont);
    device_.FreeFont(NormalFont);
    BoldFont = kNoFont;
    NormalFont = kNoFont;
    text_.Release();
}

void PrintJob::PrintCopy() {
    device_.SelectFont(NormalFont);
    device_.RefreshMetrics();
    formatter_.Reset();
    PageNumber = 1;
    StoppedAtLimit = false;
    pagesDone_ = 0;
    device_.OutputEnabled = !RangeActive || (FromPage <= 1 && 1 <= ToPage);
    switch (DetectEmphasisKind(text_)) {
        case EmphasisKind::Plain:
            PrintPlain();
            break;
        case EmphasisKind::CFamily:
            PrintCFamily();
            break;
        case EmphasisKind::Assembler:
            PrintAssembler();
            break;
        case EmphasisKind::PascalFamily:
            PrintPascalFamily();
            break;
    }
    rules_ = nullptr;
    // After a full page, or a cancel at the pause, there is no page left to end; a stopped
    // job's page goes with its document.
    if (formatter_.PageInProgress() && !stopped_) {
        FinishPage();
    }
}

void PrintJob::RecordCheckpoint(bool lineBegun) {
    if (Checkpoints == nullptr) {
        return;
    }
    PageCheckpoint checkpoint;
    checkpoint.text = lineStart_;
    checkpoint.pageNumber = PageNumber;
    checkpoint.lineNumber = formatter_.LineNumber();
    checkpoint.piecesDone = lineBegun ? formatter_.PiecesDone() : 0;
    checkpoint.emphasis = rules_->State();
    checkpoint.lineBegun = lineBegun;
    Checkpoints->push_back(checkpoint);
}

template <class Rules>
bool PrintJob::Resume(Rules& rules) {
    const PageCheckpoint& from = *ResumeFrom;
    PageNumber = from.pageNumber;
    device_.OutputEnabled = !RangeActive || (FromPage <= PageNumber && PageNumber <= ToPage);
    formatter_.SetLineNumber(from.lineNumber);
    rules.Restore(from.emphasis);
    if (!text_.Seek(from.text)) {
        return false;
    }
    lineStart_ = from.text;
    device_.BeginPage();
    ++pagesDone_;
    if (!from.lineBegun) {
        return true;
    }
    // The line the page starts with went through the rules before the page began.
    char* line = formatter_.LineSlot();
    CellRun visible;
    text_.ReadLine(line, LineFormatter::kLineSlotSize, &visible);
    bool formFeed = settings_.FormFeed && HasFormFeed(line);
    if (!formatter_.ResumeLine(visible, formFeed, from.piecesDone)) {
        return false;
    }
    rules.AfterLine(line);
    return true;
}

template <class Rules>
void PrintJob::RunLines(Rules& rules) {
    rules_ = &rules;
    if (ResumeFrom != nullptr) {
        if (!Resume(rules)) {
            return;
        }
    } else {
        lineStart_ = text_.Tell();
        RecordCheckpoint(false);
        device_.BeginPage();
        ++pagesDone_;
    }
    static_assert(kPrintLineCapacity <= LineFormatter::kLineSlotSize, "a line fits the slot");
    // Every page start reports; lines report too when 64 of them passed without one, so that
    // a page of many lines (or pages that are not printed) still lets the host in.
    int untilProgress = kLinesBetweenProgress;
    int pagesAtReport = pagesDone_;
    // Every line's reading fills it whole: made once, it costs no line its setting up.
    CellRun visible;
    while (!text_.AtEnd()) {
        if (--untilProgress == 0) {
            untilProgress = kLinesBetweenProgress;
            if (pagesDone_ == pagesAtReport && !Proceed()) {
                return;
            }
            pagesAtReport = pagesDone_;
        }
        // Past the end of the range nothing more can print.
        if (RangeActive && PageNumber > ToPage) {
            break;
        }
        // Read right behind the margin, where the formatter prints it from.
        char* line = formatter_.LineSlot();
        lineStart_ = text_.Tell();
        text_.ReadLine(line, LineFormatter::kLineSlotSize, &visible);
        rules.BeforeLine(line);
        bool formFeed = settings_.FormFeed && HasFormFeed(line);
        if (!formatter_.EmitLine(visible, formFeed)) {
            return;
        }
        rules.AfterLine(line);
    }
}

void PrintJob::PrintPlain() {
    PlainRules rules(*this);
    RunLines(rules);
}

void PrintJob::PrintCFamily() {
    CFamilyRules rules(*this);
    RunLines(rules);
}

void PrintJob::PrintAssembler() {
    AssemblerRules rules(*this);
    RunLines(rules);
}

void PrintJob::PrintPascalFamily() {
    PascalFamilyRules rules(*this);
    RunLines(rules);
}

void PrintJob::FinishPage() {
    if (settings_.PageNumbers) {
        device_.CurrentLine = geometry_.LastLine + 1;
        char footer[kFooterSize];
        std::size_t length =
            BuildFooterLine(footer, FilePath, geometry_.UsableWidthCols, PageNumber);
        device_.PutText(0, footer, length);
    }
    device_.EndPage();
    ++PageNumber;
    if (RangeActive) {
        device_.OutputEnabled = FromPage <= PageNumber && PageNumber <= ToPage;
    }
}

bool PrintJob::StartNextPage() {
    if (PageLimit > 0 && pagesDone_ >= PageLimit) {
        RecordCheckpoint(true);  // where the next run starts
        StoppedAtLimit = true;
        return false;
    }
    if (!Proceed()) {
        return false;
    }
    if (settings_.SingleSheets && device_.OutputEnabled && !host_.AskNextSheet()) {
        return false;
    }
    RecordCheckpoint(true);
    device_.BeginPage();
    ++pagesDone_;
    return true;
}

void PrintJob::SelectBold() {
    device_.SelectFont(BoldFont);
}

void PrintJob::SelectNormal() {
    device_.SelectFont(NormalFont);
}
