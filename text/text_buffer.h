// TextBuffer: a text handed out one line at a time: a whole file in one zero-filled block
// (Load), or a file read in pieces as its lines are taken (Open).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "text/input_file.h"
#include "text/memory_block.h"

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
    // its lines: it is read in pieces of ReadChunk() bytes as the lines are taken, and stays
    // open (not shared) until it has been read whole into one piece, or until CloseFile,
    // Release or the next Open or Load. The lines are those the whole
    // text would give. False, with the buffer as it was, when the file cannot be opened or is
    // 4 GiB or larger; false, with the buffer empty, when its first piece cannot be held or
    // read. A later read error ends the text there.
    bool Open(const char* path, int lineCapacity);

    // Copies the next line into `out`, without its line end, tabs expanded when ExpandTabs
    // is set and carriage returns dropped wherever they stand. A line longer than the limit
    // (the smaller of LineCapacity and outSize, less one for the terminator) is cut there
    // and its rest comes back as the next line; when the cut falls just before the line end,
    // that line end is taken with it, so no empty line follows. Returns the line's width in
    // columns, not counting the character that filled a cut line. With no text, or at the
    // end, `out` becomes empty and the result is 0.
    // `length`, when given, receives the length of `out` as a terminated text: the characters
    // before the first zero byte.
    int ReadLine(char* out, std::size_t outSize, std::size_t* length = nullptr);

    bool AtEnd() const { return cursor_ >= end_ && !more_ && !pendingEmptyLine_; }
    // Back to the first line; an opened file is read again from its start when its start is
    // no longer held (a failing seek ends the text).
    void Rewind();
    void Release();
    // Closes a file opened by Open, keeping the piece held: a text held whole still reads
    // from its start; the lines of any other end with that piece.
    void CloseFile();

    // The text held: after Load the whole text followed by the spare zero bytes, after Open
    // the piece of the file held now, followed by a zero byte; nullptr when nothing is held.
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
    // Size of the pieces Open reads (at least 1); for tests of lines that cross pieces.
    void SetReadChunk(std::uint32_t bytes) { readChunk_ = bytes < 1 ? 1 : bytes; }

private:
    // Moves what is left of the held text to the front of the piece buffer and reads more of
    // an opened file after it. False when nothing more could be read.
    bool Refill();

    // Bytes behind a piece that ReadLine may read, and then leave, in whole blocks.
    static constexpr std::uint32_t kPiecePadding = 64;

    MemoryBlock block_;                // the whole text after Load
    MemoryBlock piece_;                // the piece buffer after Open
    std::unique_ptr<InputFile> file_;  // the opened file
    const char* data_ = nullptr;
    std::uint32_t readable_ = 0;   // bytes that may be read from data_ on: the text and more
    std::uint32_t pieceSize_ = 0;  // the most bytes a piece read after Open holds
    std::uint32_t cursor_ = 0;
    std::uint32_t end_ = 0;
    std::uint32_t bytesRead_ = 0;
    std::uint64_t windowStart_ = 0;  // offset in the file of data_[0]
    std::uint64_t fileSize_ = 0;
    std::uint64_t fileRead_ = 0;  // bytes of the opened file read so far
    bool more_ = false;           // the opened file holds bytes not read yet
    // A cut line took the carriage returns after it, and the text ended there: the whole text
    // would still give one empty line.
    bool pendingEmptyLine_ = false;
    std::uint32_t readChunk_ = kDefaultReadChunk;
    // The blanks a tab gives at each of the first columns; 0 when they are too many for a byte.
    unsigned char blanksAt_[256] = {};
    bool expandTabs_ = true;
    int tabWidth_ = kDefaultTabWidth;
    int lineCapacity_ = 256;
};
