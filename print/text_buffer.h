// TextBuffer: a whole file in one zero-filled block, handed out one line at a time.
#pragma once

#include <cstddef>
#include <cstdint>

#include "print/memory_block.h"

class TextBuffer {
public:
    static constexpr int kDefaultTabWidth = 8;

    TextBuffer() = default;
    TextBuffer(const TextBuffer&) = delete;
    TextBuffer& operator=(const TextBuffer&) = delete;

    // Reads the whole file into a new block followed by `spare` zero bytes and rewinds.
    // Returns false when the file cannot be opened (the buffer is left as it was), is 4 GiB
    // or larger (likewise), or cannot be held or read (the buffer is then empty).
    bool Load(const char* path, std::uint32_t spare);

    // Sets the line capacity (at least 2, terminator included) and loads with 2 spare bytes,
    // so the whole text is one terminated string.
    bool Open(const char* path, int lineCapacity);

    // Copies the next line into `out`, without its line end, tabs expanded when ExpandTabs
    // is set and carriage returns dropped wherever they stand. A line longer than the limit
    // (the smaller of LineCapacity and outSize, less one for the terminator) is cut there
    // and its rest comes back as the next line; when the cut falls just before the line end,
    // that line end is taken with it, so no empty line follows. Returns the line's width in
    // columns, not counting the character that filled a cut line. With no text, or at the
    // end, `out` becomes empty and the result is 0.
    int ReadLine(char* out, std::size_t outSize);

    bool AtEnd() const { return cursor_ >= end_; }
    void Rewind() { cursor_ = 0; }
    void Release();

    // The text as read, followed by the spare zero bytes; nullptr when nothing is loaded.
    const char* Text() const { return block_.Data(); }
    std::uint32_t BytesRead() const { return bytesRead_; }

    bool ExpandTabs() const { return expandTabs_; }
    void SetExpandTabs(bool expand) { expandTabs_ = expand; }
    int TabWidth() const { return tabWidth_; }
    // Tab stops lie every `width` columns; widths below 1 are taken as 1.
    void SetTabWidth(int width) { tabWidth_ = width < 1 ? 1 : width; }
    int LineCapacity() const { return lineCapacity_; }

private:
    MemoryBlock block_;
    std::uint32_t cursor_ = 0;
    std::uint32_t end_ = 0;
    std::uint32_t bytesRead_ = 0;
    bool expandTabs_ = true;
    int tabWidth_ = kDefaultTabWidth;
    int lineCapacity_ = 256;
};
