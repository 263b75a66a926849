// ViewerDocument: a file as the file viewer shows it: read whole, its encoding told, told text
// or binary from its first 4 KiB, cut into display lines (text lines through an index of line
// starts, or 16-byte hex lines) and formatted one line at a time (text decoded to UTF-8, and
// counted in cells).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "text/code_page.h"
#include "text/memory_block.h"
#include "text/text_buffer.h"
#include "text/text_encoding.h"

enum class ViewKind : int { kChoose = -1, kHex = 0, kText = 1 };

// Display lines hold at most this many cells; a line buffer holds kViewerLineBufferSize bytes
// of UTF-8 (one line is at most one byte less).
constexpr int kViewerMaxLineChars = 255;
constexpr std::size_t kViewerLineBufferSize = kLineBufferSize;
constexpr int kViewerTabWidth = 8;
// DetectKind looks at this many bytes of the text at most.
constexpr std::uint32_t kDetectBytes = 4096;

// How the viewer reads a file's text: its encoding (text_encoding.h tells the rule, the one
// the print engine follows), the length of its mark, and the legacy code page.
struct ViewEncoding {
    TextEncoding encoding = TextEncoding::kLegacy;
    std::uint32_t markLength = 0;
    const LegacyCodePage* legacy = nullptr;  // used for kLegacy; must outlive the reading
};

// Text when the first 4 KiB of the text after its mark (all of a shorter file), decoded, hold
// no NUL and no other control character but tab, line feed, vertical tab, form feed, carriage
// return and escape; hex otherwise. An empty file is text.
ViewKind DetectKind(const char* bytes, std::uint32_t length, const ViewEncoding& encoding);

// Display lines: for text, one more than the line feeds of the text after its mark (an empty
// file has one empty line); for hex, the 16-byte lines that hold the file (none for an empty
// file). A line feed of UTF-16 is the unit 10.
std::uint64_t CountLines(ViewKind kind, const char* bytes, std::uint32_t length,
                         const ViewEncoding& encoding = ViewEncoding());

// The start offset of every text line. Offsets are 32 bits, enough for any file the text
// buffer holds (under 4 GiB), so a line costs four bytes.
class LineIndex {
public:
    // Records the start of `lineCount` lines: the end of the mark, then the byte after each
    // line feed. False, holding nothing, when the memory cannot be had.
    bool Build(const char* text, std::uint32_t length, std::uint64_t lineCount,
               const ViewEncoding& encoding = ViewEncoding());
    void Release();
    std::uint64_t Count() const { return count_; }
    // The start of `line`, which lies below Count().
    std::uint32_t Start(std::uint64_t line) const;

private:
    MemoryBlock block_;
    std::uint64_t count_ = 0;
};

// Formats the text line that starts at `text[start]`, decoded, into `out` (kViewerLineBufferSize
// bytes, terminated) as UTF-8: up to the next line feed or `length`, at most
// kViewerMaxLineChars cells (characters of no width after the last one still join it); a tab
// writes blanks up to the next multiple of `tabWidth` cells (at least one), a carriage return
// is dropped, every other character is copied; a wide character that would pass the last
// cell ends the line. Returns the line's length in bytes; `*cells`, when given, receives its
// cells (NextCellChar walks it character by character).
std::size_t FormatTextLine(const char* text, std::uint32_t length, std::uint32_t start,
                           int tabWidth, const ViewEncoding& encoding, char* out,
                           std::size_t* cells = nullptr);

class ViewerDocument {
public:
    ViewerDocument() = default;
    ViewerDocument(const ViewerDocument&) = delete;
    ViewerDocument& operator=(const ViewerDocument&) = delete;

    // The legacy code page of the files opened from now on (kDefaultCodePage at first).
    void SetCodePage(int codePage);

    // Reads the file, tells its encoding and prepares its lines, as text or hex when `kind`
    // is kChoose, else as asked. False, holding nothing, when the file cannot be read or its
    // line index cannot be had.
    bool Open(const char* path, ViewKind kind);
    void Close();

    ViewKind Kind() const { return kind_; }
    std::uint64_t LineCount() const { return lineCount_; }
    std::uint32_t Length() const { return buffer_.BytesRead(); }
    TextEncoding Encoding() const { return encoding_.encoding; }

    // Formats display `line` into `out` (kViewerLineBufferSize bytes): a text line as
    // FormatTextLine does (UTF-8), a hex line byte by byte; an empty line for a line beyond
    // the last. Returns the length in bytes; `*cells`, when given, receives the cells.
    std::size_t FormatLine(std::uint64_t line, char* out, std::size_t* cells = nullptr) const;

private:
    TextBuffer buffer_;
    LineIndex index_;
    ViewKind kind_ = ViewKind::kText;
    std::uint64_t lineCount_ = 0;
    int codePage_ = kDefaultCodePage;
    std::unique_ptr<LegacyCodePage> legacy_;
    ViewEncoding encoding_;
};
