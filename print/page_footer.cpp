// The page footer line.
#include "print/page_footer.h"

#include <cstdio>
#include <cstring>

#include "print/text_helpers.h"
#include "text/char_cells.h"

namespace {

// The file name as the footer shows it: valid UTF-8 of at most `maxCells` cells and
// kFooterNameBytes bytes, whole characters with the characters of no width after them.
struct FooterName {
    char bytes[kFooterNameBytes];
    std::size_t length = 0;
    std::size_t cells = 0;
};

void TakeName(const char* name, std::size_t length, std::size_t maxCells, FooterName* out) {
    for (std::size_t at = 0; at < length;) {
        // ASCII, a cell a byte, as most names are.
        std::size_t ascii = FindNonAscii(name + at, length - at);
        std::size_t room = maxCells - out->cells;
        if (sizeof out->bytes - out->length < room) {
            room = sizeof out->bytes - out->length;
        }
        if (ascii > room) {
            ascii = room;
        }
        std::memcpy(out->bytes + out->length, name + at, ascii);
        out->length += ascii;
        out->cells += ascii;
        at += ascii;
        if (at == length || static_cast<unsigned char>(name[at]) < 0x80) {
            break;  // the end, or no room for more
        }
        CellChar ch = NextCellChar(name, length, at);
        char replacement[kMaxUtf8Bytes];
        const char* bytes = name + at;
        std::size_t size = ch.bytes;
        if (ch.code == kReplacementChar && ch.bytes == 1) {
            size = EncodeUtf8(kReplacementChar, replacement);
            bytes = replacement;
        }
        auto cells = static_cast<std::size_t>(ch.cells);
        if (out->cells + cells > maxCells || out->length + size > sizeof out->bytes) {
            break;
        }
        std::memcpy(out->bytes + out->length, bytes, size);
        out->length += size;
        out->cells += cells;
        at += ch.bytes;
    }
}

}  // namespace

std::size_t BuildFooterLine(char* out, const char* path, int width, std::int64_t pageNumber) {
    constexpr int kMaxWidth = 255;
    if (width > kMaxWidth) {
        width = kMaxWidth;
    }
    if (width < 1) {
        width = 1;
    }

    FooterName name;
    const char* component = path + DirectoryPartLength(path);
    TakeName(component, std::strlen(component), kFooterNameChars, &name);
    int nameCells = static_cast<int>(name.cells);

    char number[24];
    int digits = std::snprintf(number, sizeof number, "%lld", static_cast<long long>(pageNumber));

    int length = width - 1;
    int numberStart = length - digits;
    if (numberStart < 0) {
        numberStart = 0;
        length = digits;
    }
    int nameStart = (width - nameCells) / 2;
    if (nameStart < 0) {
        nameStart = 0;
    }
    std::size_t written = 0;
    if (nameStart < numberStart) {
        // The name up to where the number starts.
        FooterName shown;
        TakeName(name.bytes, name.length, static_cast<std::size_t>(numberStart - nameStart),
                 &shown);
        std::memset(out, ' ', static_cast<std::size_t>(nameStart));
        written = static_cast<std::size_t>(nameStart);
        std::memcpy(out + written, shown.bytes, shown.length);
        written += shown.length;
        std::size_t blanks = static_cast<std::size_t>(numberStart - nameStart) - shown.cells;
        std::memset(out + written, ' ', blanks);
        written += blanks;
    } else {
        std::memset(out, ' ', static_cast<std::size_t>(numberStart));
        written = static_cast<std::size_t>(numberStart);
    }
    std::memcpy(out + written, number, static_cast<std::size_t>(digits));
    written += static_cast<std::size_t>(digits);
    out[written] = '\0';
    return written;
}
