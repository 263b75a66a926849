// PageRecorder: the pages a printer received, as text rows.
#include "print/page_recorder.h"

#include <algorithm>
#include <ostream>

PageRecorder::PageRecorder(Mode mode, std::ostream* out) : mode_(mode), out_(out) {}

void PageRecorder::DocumentStarted(const char* name) {
    documents_.emplace_back(name);
}

void PageRecorder::DocumentEnded() {
    ++documentsEnded_;
}

void PageRecorder::DocumentAborted() {
    ++documentsAborted_;
    pageOpen_ = false;
    current_ = RecordedPage{};
    // The spooler discards the pages the document had received.
    const int document = static_cast<int>(documents_.size()) - 1;
    pages_.erase(
        std::remove_if(pages_.begin(), pages_.end(),
                       [document](const RecordedPage& page) { return page.document == document; }),
        pages_.end());
}

void PageRecorder::PageStarted() {
    ++pagesStarted_;
    current_ = RecordedPage{};
    current_.number = pagesStarted_;
    current_.document = static_cast<int>(documents_.size()) - 1;
    current_.pausedBefore = pausePending_;
    pausePending_ = false;
    pageOpen_ = true;
}

void PageRecorder::PageEnded() {
    ++pagesEnded_;
    pageOpen_ = false;
    switch (mode_) {
        case Mode::Keep:
            pages_.push_back(std::move(current_));
            break;
        case Mode::Stream:
            if (out_ != nullptr) {
                std::string text;
                RenderPage(current_, text);
                *out_ << text;
            }
            break;
        case Mode::Count:
            break;
    }
    current_ = RecordedPage{};
}

void PageRecorder::Pause(bool cancelled) {
    ++pauses_;
    pausePending_ = !cancelled;
    if (mode_ == Mode::Stream && out_ != nullptr) {
        *out_ << (cancelled ? "--- pause, cancelled ---\n" : "--- pause ---\n");
    }
}

void PageRecorder::KeepText(int row, int column, const CellRun& run, bool bold) {
    if (row < 0 || column < 0) {
        return;
    }
    std::size_t index = static_cast<std::size_t>(row);
    if (current_.rows.size() <= index) {
        current_.rows.resize(index + 1);
    }
    RecordedRow& target = current_.rows[index];
    target.drawn = true;
    target.bold = bold;
    std::vector<std::string>& cells = target.cells;
    const auto start = static_cast<std::size_t>(column);
    if (cells.size() < start + run.cells) {
        cells.resize(start + run.cells, " ");
    }
    // A wide character whose second cell is written over loses its first one too.
    if (start < cells.size() && cells[start].empty() && start > 0) {
        cells[start - 1] = " ";
    }
    std::size_t cell = start;
    std::string prefix;  // characters of no width before any other
    for (std::size_t at = 0; at < run.length;) {
        CellChar ch = NextCellChar(run.text, run.length, at);
        std::string bytes(run.text + at, ch.bytes);
        at += ch.bytes;
        if (ch.cells == 0) {
            if (cell > start) {
                // With the character before, the first cell of a wide one.
                std::size_t base = cell - 1;
                while (base > start && cells[base].empty()) {
                    --base;
                }
                cells[base] += bytes;
            } else {
                prefix += bytes;
            }
            continue;
        }
        if (cell + static_cast<std::size_t>(ch.cells) > cells.size()) {
            cells.resize(cell + static_cast<std::size_t>(ch.cells), " ");
        }
        cells[cell] = prefix + bytes;
        prefix.clear();
        if (ch.cells == 2) {
            cells[cell + 1].clear();
        }
        cell += static_cast<std::size_t>(ch.cells);
    }
    if (!prefix.empty()) {
        if (cell >= cells.size()) {
            cells.resize(cell + 1, " ");
        }
        cells[cell] = prefix + cells[cell];
    }
    // A wide character whose first cell is written over loses its second one too.
    if (cell > start && cell < cells.size() && cells[cell].empty()) {
        cells[cell] = " ";
    }
}

FontHandle PageRecorder::AddFont(const LogicalFont& font) {
    fonts_.push_back(font);
    fontLive_.push_back(true);
    return static_cast<FontHandle>(fonts_.size());
}

const LogicalFont* PageRecorder::Font(FontHandle font) const {
    if (font == kNoFont || font > fonts_.size() || !fontLive_[font - 1]) {
        return nullptr;
    }
    return &fonts_[font - 1];
}

void PageRecorder::RemoveFont(FontHandle font) {
    if (font != kNoFont && font <= fonts_.size()) {
        fontLive_[font - 1] = false;
    }
}

int PageRecorder::LiveFonts() const {
    int live = 0;
    for (bool alive : fontLive_) {
        live += alive ? 1 : 0;
    }
    return live;
}

std::string PageRecorder::Render() const {
    std::string out;
    for (const RecordedPage& page : pages_) {
        if (page.pausedBefore) {
            out += "--- pause ---\n";
        }
        RenderPage(page, out);
    }
    return out;
}

bool SamePage(const RecordedPage& a, const RecordedPage& b) {
    if (a.rows.size() != b.rows.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.rows.size(); ++i) {
        const RecordedRow& x = a.rows[i];
        const RecordedRow& y = b.rows[i];
        if (x.drawn != y.drawn || (x.drawn && (x.bold != y.bold || x.cells != y.cells))) {
            return false;
        }
    }
    return true;
}

std::string RecordedRow::Text() const {
    std::string text;
    for (const std::string& cell : cells) {
        text += cell;
    }
    return text;
}

void RenderPage(const RecordedPage& page, std::string& out) {
    out += "=== page " + std::to_string(page.number) + " ===\n";
    std::size_t last = page.rows.size();
    while (last > 0 && !page.rows[last - 1].drawn) {
        --last;
    }
    for (std::size_t i = 0; i < last; ++i) {
        const RecordedRow& row = page.rows[i];
        if (row.drawn) {
            std::size_t end = row.cells.size();
            while (end > 0 && row.cells[end - 1] == " ") {
                --end;
            }
            out += row.bold ? '*' : ' ';
            for (std::size_t c = 0; c < end; ++c) {
                out += row.cells[c];
            }
        }
        out += '\n';
    }
}
