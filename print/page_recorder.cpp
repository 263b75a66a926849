// PageRecorder: the pages a printer received, as text rows.
#include "print/page_recorder.h"

#include <ostream>

PageRecorder::PageRecorder(Mode mode, std::ostream* out) : mode_(mode), out_(out) {}

void PageRecorder::DocumentStarted(const char* name) {
    documents_.emplace_back(name);
}

void PageRecorder::DocumentEnded() {
    ++documentsEnded_;
}

void PageRecorder::PageStarted() {
    ++pagesStarted_;
    current_ = RecordedPage{};
    current_.number = pagesStarted_;
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

void PageRecorder::KeepText(int row, int column, const char* text, std::size_t length, bool bold) {
    if (row < 0 || column < 0) {
        return;
    }
    std::size_t index = static_cast<std::size_t>(row);
    if (current_.rows.size() <= index) {
        current_.rows.resize(index + 1);
    }
    RecordedRow& target = current_.rows[index];
    std::size_t start = static_cast<std::size_t>(column);
    if (target.text.size() < start + length) {
        target.text.resize(start + length, ' ');
    }
    target.text.replace(start, length, text, length);
    target.drawn = true;
    target.bold = bold;
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

void RenderPage(const RecordedPage& page, std::string& out) {
    out += "=== page " + std::to_string(page.number) + " ===\n";
    std::size_t last = page.rows.size();
    while (last > 0 && !page.rows[last - 1].drawn) {
        --last;
    }
    for (std::size_t i = 0; i < last; ++i) {
        const RecordedRow& row = page.rows[i];
        if (row.drawn) {
            std::size_t end = row.text.find_last_not_of(' ');
            out += row.bold ? '*' : ' ';
            out.append(row.text, 0, end == std::string::npos ? 0 : end + 1);
        }
        out += '\n';
    }
}
