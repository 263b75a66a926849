// ViewerDocument: a file as the file viewer shows it: read whole, told text or binary from
// its first bytes, cut into display lines (text lines through an index of line starts, or
// 16-byte hex lines) and formatted one line at a time.
#pragma once

#include <cstddef>
#include <cstdint>

#include "text/memory_block.h"
#include "text/text_buffer.h"

enum class ViewKind : int { kChoose = -1, kHex = 0, kText = 1 };

// Display lines hold at most this many characters; a line buffer holds one more.
constexpr int kViewerMaxLineChars = 255;
constexpr std::size_t kViewerLineBufferSize = kViewerMaxLineChars + 1;
constexpr int kViewerTabWidth = 8;
// DetectKind looks at this many bytes at most.
constexpr std::uint32_t kDetectBytes = 50;

// Text when every one of the first 50 bytes (all of a shorter file) is a byte from 0x20 to
// 0x7F, a carriage return or a line feed; hex otherwise. An empty file is text.
ViewKind DetectKind(const char* bytes, std::uint32_t length);

// Display lines: for text, one more than the line feeds (an empty file has one empty line);
// for hex, the 16-byte lines that hold the file (none for an empty file).
std::uint64_t CountLines(ViewKind kind, const char* bytes, std::uint32_t length);

// The start offset of every text line. Offsets are 32 bits, enough for any file the text
// buffer holds (under 4 GiB), so a line costs four bytes.
class LineIndex {
public:
    // Records the start of `lineCount` lines: 0, then the byte after each line feed. False,
    // holding nothing, when the memory cannot be had.
    bool Build(const char* text, std::uint32_t length, std::uint64_t lineCount);
    void Release();
    std::uint64_t Count() const { return count_; }
    // The start of `line`, which lies below Count().
    std::uint32_t Start(std::uint64_t line) const;

private:
    MemoryBlock block_;
    std::uint64_t count_ = 0;
};

// Formats the text line that starts at `text[start]`: up to the next line feed or `length`,
// at most kViewerMaxLineChars characters; a tab writes blanks up to the next multiple of
// `tabWidth` (at least one), a carriage return is dropped, every other byte is copied. `out`
// holds kViewerLineBufferSize characters and is terminated. Returns the line's length.
std::size_t FormatTextLine(const char* text, std::uint32_t length, std::uint32_t start,
                           int tabWidth, char* out);

class ViewerDocument {
public:
    ViewerDocument() = default;
    ViewerDocument(const ViewerDocument&) = delete;
    ViewerDocument& operator=(const ViewerDocument&) = delete;

    // Reads the file and prepares its lines, as text or hex when `kind` is kChoose, else as
    // asked. False, holding nothing, when the file cannot be read or its line index cannot
    // be had.
    bool Open(const char* path, ViewKind kind);
    void Close();

    ViewKind Kind() const { return kind_; }
    std::uint64_t LineCount() const { return lineCount_; }
    std::uint32_t Length() const { return buffer_.BytesRead(); }

    // Formats display `line` into `out` (kViewerLineBufferSize characters); an empty line for
    // a line beyond the last. Returns the length.
    std::size_t FormatLine(std::uint64_t line, char* out) const;

private:
    TextBuffer buffer_;
    LineIndex index_;
    ViewKind kind_ = ViewKind::kText;
    std::uint64_t lineCount_ = 0;
};
