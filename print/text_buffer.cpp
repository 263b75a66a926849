// TextBuffer: reading a whole file and cutting it into lines.
#include "print/text_buffer.h"

#include <cassert>
#include <cstdint>
#include <cstring>

#include "print/input_file.h"

bool TextBuffer::Load(const char* path, std::uint32_t spare) {
    InputFile file;
    if (!file.Open(path)) {
        return false;
    }
    std::uint64_t size = 0;
    // BytesRead is 32 bits wide: a file of 4 GiB or more is refused rather than read in part.
    if (!file.Size(&size) || size > UINT32_MAX - static_cast<std::uint64_t>(spare)) {
        return false;
    }
    Release();
    std::size_t blockSize = static_cast<std::size_t>(size) + spare;
    if (!block_.Allocate(blockSize == 0 ? 1 : blockSize, true)) {
        return false;
    }
    std::uint32_t got = 0;
    bool ok = file.Read(block_.Data(), static_cast<std::uint32_t>(size), &got);
    file.Close();
    if (!ok) {
        Release();
        return false;
    }
    bytesRead_ = got;
    cursor_ = 0;
    end_ = got;
    return true;
}

bool TextBuffer::Open(const char* path, int lineCapacity) {
    assert(lineCapacity >= 2);
    lineCapacity_ = lineCapacity < 2 ? 2 : lineCapacity;
    return Load(path, 2);
}

void TextBuffer::Release() {
    block_.Release();
    cursor_ = 0;
    end_ = 0;
    bytesRead_ = 0;
}

int TextBuffer::ReadLine(char* out, std::size_t outSize) {
    assert(outSize >= 2);
    const char* text = block_.Data();
    if (outSize < 2) {
        // No room for a character: skip the line so that callers still reach the end.
        while (cursor_ < end_ && text[cursor_++] != '\n') {
        }
        if (outSize == 1) {
            out[0] = '\0';
        }
        return 0;
    }
    std::size_t limit = static_cast<std::size_t>(lineCapacity_) - 1;
    if (outSize - 1 < limit) {
        limit = outSize - 1;
    }

    std::size_t written = 0;
    int column = 0;
    bool full = false;
    while (cursor_ < end_ && !full) {
        // Most bytes are ordinary: copy a run of them at once.
        std::size_t room = limit - written;
        std::size_t available = end_ - cursor_;
        std::size_t count = room < available ? room : available;
        const char* run = text + cursor_;
        std::size_t length = 0;
        while (length<count&& static_cast<unsigned char>(run[length])> '\r') {
            ++length;
        }
        if (length > 0) {
            std::memcpy(out + written, run, length);
            written += length;
            cursor_ += static_cast<std::uint32_t>(length);
            column += static_cast<int>(length);
            if (written == limit) {
                --column;
                full = true;
            }
            continue;
        }

        char ch = text[cursor_++];
        if (ch == '\n') {
            break;
        }
        if (ch == '\r') {
            continue;
        }
        if (ch == '\t' && expandTabs_) {
            int blanks = tabWidth_ - column % tabWidth_;
            for (int i = 0; i < blanks; ++i) {
                out[written++] = ' ';
                if (written == limit) {
                    full = true;
                    break;
                }
                ++column;
            }
            continue;
        }
        out[written++] = ch;
        if (written == limit) {
            full = true;
        } else {
            ++column;
        }
    }
    if (full) {
        // A line that filled the buffer exactly still owns the line end behind it.
        std::uint32_t next = cursor_;
        while (next < end_ && text[next] == '\r') {
            ++next;
        }
        if (next < end_ && text[next] == '\n') {
            cursor_ = next + 1;
        }
    }
    out[written] = '\0';
    return column;
}
