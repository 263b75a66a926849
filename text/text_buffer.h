// TextBuffer: a text handed out one line at a time: a whole file in one zero-filled block
// (Load), or a file read in pieces as its lines are taken (Open), decoded to UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>

#include "text/char_cells.h"
#include "text/decoded_file.h"
#include "text/memory_block.h"

// The bytes of a line buffer that takes any line ReadLine gives with the print job's
// capacity: 254 cells of characters of up to four bytes, and room for characters of no width
// (combining marks) beside them. A line holds at most one byte less; a line of endless
// combining marks is cut there like a long line.
inline constexpr std::size_t kLineBufferSize = 2048;

// A place between the lines of an opened or loaded text, to come back to (TextBuffer::Tell).
struct TextPosition {
    std::uint64_t windowStart = 0;  // the offset in the decoded text of the piece held
    std::uint64_t source = 0;       // where the file was read for that piece
    std::uint32_t cursor = 0;       // the offset in that piece
    bool pendingEmptyLine = false;
};

class TextBuffer {
public:
    static constexpr int kDefaultTabWidth = 8;

    TextBuffer();
    TextBuffer(const TextBuffer&) = delete;
    TextBuffer& operator=(const TextBuffer&) = delete;

    // Reads the whole file into a new block followed by `spare` zero bytes and rewinds.
    // Returns false when the file cannot be opened (the buffer is left as it was), is 4 GiB
    // or larger (likewise), or cannot be held or read (the buffer is then empty).
    bool Load(const char* path, std::uint32_t spare);

    // Sets the line capacity (at least 2, terminator included) and opens the file for reading
    // its lines: it is read and decoded to UTF-8 (text_encoding.h tells the rule, with
    // CodePage() as the legacy code page) in pieces of ReadChunk() bytes as the lines are
    // taken, and stays open (not shared) until it has been read whole into one piece, or
    // until CloseFile, Release or the next Open or Load. The lines are those the whole
    // text would give. False, with the buffer as it was, when the file cannot be opened or is
    // 4 GiB or larger; false, with the buffer empty, when its first piece cannot be held or
    // read. A later read error ends the text there.
    bool Open(const char* path, int lineCapacity);

    // Copies the next line into `out` as UTF-8, without its line end, tabs expanded when
    // ExpandTabs is set and carriage returns dropped wherever they stand. Columns are cells
    // (char_cells.h): a line holds at most LineCapacity - 1 cells and outSize - 1 bytes. A
    // longer line is cut there, never inside a character nor before the characters of no
    // width that follow one (a wide character that does not fit starts the next line); its
    // rest comes back as the next line; when the cut falls just before the line end, that
    // line end is taken with it, so no empty line follows. Returns the line's width in cells,
    // not counting the character that filled a cut line. With no text, or at the end, `out`
    // becomes empty and the result is 0. A byte of a loaded text that is not valid UTF-8
    // reads as U+FFFD.
    // `visible`, when given, receives the line as a terminated text (the characters before
    // the first zero byte): `out`, its length, cells and whether it is ASCII.
    // Inline, so that a line like the one before it goes straight to its reader.
    int ReadLine(char* out, std::size_t outSize, CellRun* visible = nullptr) {
        if (pendingEmptyLine_) {
            return ReadAnyLine(out, outSize, visible, 0, 0);
        }
        if (lastBeyondAscii_) {
            return wideBlocks_ ? ReadWideLetterLine(out, outSize, visible)
                               : ReadLetterLine(out, outSize, visible);
        }
        return wideBlocks_ ? ReadWidePlainLine(out, outSize, visible)
                           : ReadPlainLine(out, outSize, visible);
    }

    bool AtEnd() const { return cursor_ >= end_ && !more_ && !pendingEmptyLine_; }
    // The legacy code page of the files opened from now on (kDefaultCodePage at first).
    void SetCodePage(int codePage) { source_.SetCodePage(codePage); }
    int CodePage() const { return source_.CodePage(); }
    // The encoding of the opened file, as far as it is told (see DecodedFile).
    bool EncodingDecided() const { return source_.Decided(); }
    TextEncoding Encoding() const { return source_.Encoding(); }
    // Back to the first line; an opened file is read again from its start when its start is
    // no longer held (a failing seek ends the text).
    void Rewind();
    void Release();
    // Where the next line starts; and back (or on) to such a place of the same text, held or
    // opened, with the same read chunk. A text opened again reads the piece again from the
    // file. False (the text then ends) when the file cannot be read there. Inline: the job
    // tells the start of every line, and a position returned through memory would cost each
    // line a stalled load.
    TextPosition Tell() const {
        TextPosition position;
        position.windowStart = windowStart_;
        position.source = windowSource_;
        position.cursor = cursor_;
        position.pendingEmptyLine = pendingEmptyLine_;
        return position;
    }
    bool Seek(const TextPosition& position);
    // Closes a file opened by Open, keeping the piece held: a text held whole still reads
    // from its start; the lines of any other end with that piece.
    void CloseFile();

    // The text held: after Load the whole file as it is followed by the spare zero bytes,
    // after Open the piece of the decoded text held now, followed by a zero byte; nullptr
    // when nothing is held.
    const char* Text() const { return data_; }
    std::uint32_t BytesRead() const { return bytesRead_; }

    bool ExpandTabs() const { return expandTabs_; }
    void SetExpandTabs(bool expand) { expandTabs_ = expand; }
    int TabWidth() const { return tabWidth_; }
    // Tab stops lie every `width` columns; widths below 1 are taken as 1.
    void SetTabWidth(int width);
    int LineCapacity() const { return lineCapacity_; }

    static constexpr std::uint32_t kDefaultReadChunk = 1u << 20;
    std::uint32_t ReadChunk() const { return readChunk_; }
    // Size of the pieces Open reads (at least 1, though a piece holds no less than
    // DecodedFile::kMinRoom bytes); for tests of lines that cross pieces.
    void SetReadChunk(std::uint32_t bytes) { readChunk_ = bytes < 1 ? 1 : bytes; }
    // Whether lines are read in blocks of 32 bytes where the processor has them (so they are
    // at first); for tests of both ways. Returns whether they were.
    static bool UseWideBlocks(bool use);

private:
    // Reads the next piece of an opened file into the piece buffer. False when nothing more
    // could be read.
    bool Refill();
    // ReadLine for a line after one of ASCII: ASCII lines without other stops than tabs,
    // that end before the room and the piece do, are read here in blocks, with the few
    // registers that a function this small needs; any other line goes on from its first
    // other byte (or from its start, when it would fill the room or leave the piece): to
    // ReadLetterLine at a byte beyond ASCII, else to ReadAnyLine. The wide form, for
    // processors with AVX2 (wideBlocks_), takes the blocks in halves of 32 bytes.
    int ReadPlainLine(char* out, std::size_t outSize, CellRun* visible);
    int ReadWidePlainLine(char* out, std::size_t outSize, CellRun* visible);
    template <bool kWide>
    int ReadPlain(char* out, std::size_t outSize, CellRun* visible);
    // ReadLine for a line after one beyond ASCII, likely such a line again: lines of ASCII
    // (without tabs), letters of two bytes and characters of three bytes as the blocks of
    // letters take them, that end before the room and the piece do, are read here block by
    // block; any other line goes on to ReadAnyLine from its first other byte. The wide form,
    // for processors with AVX2 (wideBlocks_), takes the blocks in halves of 32 bytes.
    // ReadPlainLine hands a line on to them at its first byte beyond ASCII, with `begun`
    // bytes of ASCII put into `out`.
    int ReadLetterLine(char* out, std::size_t outSize, CellRun* visible, std::size_t begun = 0);
    int ReadWideLetterLine(char* out, std::size_t outSize, CellRun* visible, std::size_t begun = 0);
    template <bool kWide>
    int ReadLetters(char* out, std::size_t outSize, CellRun* visible, std::size_t begun);
    // ReadLine for any line, from the cursor on, where ReadPlainLine or ReadLetterLine has
    // put `begun` bytes of the line into `out`, `extra` of them beyond the cells they cover
    // (0: ASCII): no zero byte, fewer cells and bytes than the line may hold.
    int ReadAnyLine(char* out, std::size_t outSize, CellRun* visible, std::size_t begun,
                    std::size_t extra);

    // Bytes behind a piece that ReadLine may read, and then leave, in whole blocks.
    static constexpr std::uint32_t kPiecePadding = 64;

    MemoryBlock block_;   // the whole text after Load
    MemoryBlock piece_;   // the piece buffer after Open
    DecodedFile source_;  // the opened file
    const char* data_ = nullptr;
    std::uint32_t readable_ = 0;   // bytes that may be read from data_ on: the text and more
    std::uint32_t pieceSize_ = 0;  // the most bytes a piece read after Open holds
    std::uint32_t cursor_ = 0;
    std::uint32_t end_ = 0;
    std::uint32_t bytesRead_ = 0;
    std::uint64_t windowStart_ = 0;   // offset in the decoded text of data_[0]
    std::uint64_t windowSource_ = 0;  // the source's resume point for the piece held
    bool more_ = false;               // the opened file holds text not read yet
    // A cut line took the carriage returns after it, and the text ended there: the whole text
    // would still give one empty line.
    bool pendingEmptyLine_ = false;
    // The last line held characters beyond ASCII: so will the next one likely, which then
    // goes to ReadLetterLine (an empty line read there leaves this as it was).
    bool lastBeyondAscii_ = false;
    // Blocks of lines are taken in halves of 32 bytes (see UseWideBlocks).
    static bool wideBlocks_;
    std::uint32_t readChunk_ = kDefaultReadChunk;
    // The blanks a tab gives at each of the first columns; 0 when they are too many for a byte.
    unsigned char blanksAt_[256] = {};
    bool expandTabs_ = true;
    int tabWidth_ = kDefaultTabWidth;
    int lineCapacity_ = 256;
};
