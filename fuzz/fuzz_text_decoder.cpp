// Fuzz target: the decoding of a text file and the cells of its characters. Any bytes, read
// through DecodedFile in pieces of any size and again after a rewind, give valid UTF-8 made
// of whole characters, equal to what a plain model of the rule gives for the whole file (for
// a double-byte code page: what the code page's decoder gives for the whole file at once);
// the UTF-8 checker agrees however the text is cut; and the cells of the text agree with a
// character-by-character count, and with cuts at any width.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/scratch_file.h"
#include "text/char_cells.h"
#include "text/code_page.h"
#include "text/decoded_file.h"
#include "text/text_encoding.h"
#include "text/utf8.h"

namespace {

void Put(char32_t code, std::string& out) {
    char bytes[kMaxUtf8Bytes];
    out.append(bytes, EncodeUtf8(code, bytes));
}

// The valid UTF-8 sequence at bytes[at], as the standard's table of well-formed sequences
// gives it: its length, or 0.
std::size_t WellFormed(const std::vector<std::uint8_t>& b, std::size_t at) {
    auto in = [&](std::size_t i, int low, int high) {
        return at + i < b.size() && b[at + i] >= low && b[at + i] <= high;
    };
    std::uint8_t lead = b[at];
    if (lead <= 0x7F) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return in(1, 0x80, 0xBF) ? 2 : 0;
    }
    if (lead == 0xE0) {
        return in(1, 0xA0, 0xBF) && in(2, 0x80, 0xBF) ? 3 : 0;
    }
    if ((lead >= 0xE1 && lead <= 0xEC) || lead == 0xEE || lead == 0xEF) {
        return in(1, 0x80, 0xBF) && in(2, 0x80, 0xBF) ? 3 : 0;
    }
    if (lead == 0xED) {
        return in(1, 0x80, 0x9F) && in(2, 0x80, 0xBF) ? 3 : 0;
    }
    if (lead == 0xF0) {
        return in(1, 0x90, 0xBF) && in(2, 0x80, 0xBF) && in(3, 0x80, 0xBF) ? 4 : 0;
    }
    if (lead >= 0xF1 && lead <= 0xF3) {
        return in(1, 0x80, 0xBF) && in(2, 0x80, 0xBF) && in(3, 0x80, 0xBF) ? 4 : 0;
    }
    if (lead == 0xF4) {
        return in(1, 0x80, 0x8F) && in(2, 0x80, 0xBF) && in(3, 0x80, 0xBF) ? 4 : 0;
    }
    return 0;
}

// The rule, plainly, on the whole file.
std::string ModelDecode(const std::vector<std::uint8_t>& b, const LegacyCodePage& legacy) {
    std::string out;
    std::size_t at = 0;
    TextEncoding encoding = TextEncoding::kLegacy;
    if (b.size() >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
        encoding = TextEncoding::kUtf8;
        at = 3;
    } else if (b.size() >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
        encoding = TextEncoding::kUtf16LE;
        at = 2;
    } else if (b.size() >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
        encoding = TextEncoding::kUtf16BE;
        at = 2;
    } else {
        bool valid = true;
        bool multiByte = false;
        for (std::size_t i = 0; i < b.size() && valid;) {
            std::size_t length = WellFormed(b, i);
            valid = length > 0;
            multiByte = multiByte || length > 1;
            i += length;
        }
        if (valid && multiByte) {
            encoding = TextEncoding::kUtf8;
        }
    }
    switch (encoding) {
        case TextEncoding::kUtf8:
            while (at < b.size()) {
                std::size_t length = WellFormed(b, at);
                if (length == 0) {
                    Put(kReplacementChar, out);
                    ++at;
                } else {
                    out.append(reinterpret_cast<const char*>(b.data() + at), length);
                    at += length;
                }
            }
            break;
        case TextEncoding::kUtf16LE:
        case TextEncoding::kUtf16BE: {
            bool little = encoding == TextEncoding::kUtf16LE;
            std::vector<char32_t> units;
            for (; at + 1 < b.size(); at += 2) {
                units.push_back(little ? (b[at] | b[at + 1] << 8) : (b[at] << 8 | b[at + 1]));
            }
            for (std::size_t i = 0; i < units.size(); ++i) {
                char32_t u = units[i];
                if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
                    units[i + 1] <= 0xDFFF) {
                    Put(0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00), out);
                    ++i;
                } else {
                    Put(u >= 0xD800 && u <= 0xDFFF ? kReplacementChar : u, out);
                }
            }
            if (at < b.size()) {
                Put(kReplacementChar, out);  // the odd last byte
            }
            break;
        }
        case TextEncoding::kLegacy: {
            // The code page's own decoder on all of it at once: pieces must not matter.
            std::vector<char> room(3 * b.size() + 16);
            std::size_t used = 0;
            out.assign(room.data(), legacy.Decode(reinterpret_cast<const char*>(b.data()), b.size(),
                                                  true, room.data(), room.size(), &used));
            FUZZ_CHECK(used == b.size());
            break;
        }
    }
    return out;
}

// Reads the whole file through `file`, in pieces of the given rooms.
std::string ReadPieces(DecodedFile& file, const std::vector<std::size_t>& rooms) {
    std::string text;
    std::vector<char> piece(4096);
    for (std::size_t n = 0;; ++n) {
        std::size_t room = rooms[n % rooms.size()];
        std::size_t got = file.Read(piece.data(), room);
        FUZZ_CHECK(got <= room);
        if (got == 0) {
            FUZZ_CHECK(file.AtEnd());
            break;
        }
        // Each piece whole characters of valid UTF-8.
        FUZZ_CHECK(ValidUtf8Length(piece.data(), got) == got);
        text.append(piece.data(), got);
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ScratchFile file;
    FuzzedDataProvider in(data, size);
    int codePage = in.PickValueInArray({1252, 1250, 1251, 1253, 1255, 1257, 1258, 932, 936, 950});
    std::vector<std::size_t> rooms(in.ConsumeIntegralInRange(1, 4));
    for (std::size_t& room : rooms) {
        room = in.ConsumeBool() ? in.ConsumeIntegralInRange<std::size_t>(DecodedFile::kMinRoom, 40)
                                : 4096;
    }
    std::size_t cut = in.ConsumeIntegral<std::uint16_t>();
    std::size_t width = in.ConsumeIntegralInRange<std::size_t>(0, 12);
    std::vector<std::uint8_t> bytes = in.ConsumeRemainingBytes<std::uint8_t>();
    file.Write(bytes.data(), bytes.size());

    LegacyCodePage legacy(codePage);
    std::string expected = ModelDecode(bytes, legacy);

    DecodedFile decoded;
    decoded.SetCodePage(codePage);
    std::uint64_t fileSize = 0;
    FUZZ_CHECK(decoded.Open(file.Path(), &fileSize) && fileSize == bytes.size());
    std::string text = ReadPieces(decoded, rooms);
    FUZZ_CHECK(text == expected);
    FUZZ_CHECK(decoded.Rewind());
    FUZZ_CHECK(ReadPieces(decoded, rooms) == expected);

    // The viewer's choice, on the whole file in memory, is the same.
    ByteOrderMark chosen =
        DetectEncoding(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (decoded.Decided()) {
        FUZZ_CHECK(chosen.encoding == decoded.Encoding());
    } else {
        FUZZ_CHECK(chosen.encoding == TextEncoding::kLegacy);
    }

    // The checker, fed in two pieces cut anywhere, agrees with the whole check.
    const char* raw = reinterpret_cast<const char*>(bytes.data());
    std::size_t at = bytes.empty() ? 0 : cut % (bytes.size() + 1);
    Utf8Validator validator;
    validator.Feed(raw, at);
    validator.Feed(raw + at, bytes.size() - at);
    FUZZ_CHECK(validator.Finish() == (ValidUtf8Length(raw, bytes.size()) == bytes.size()));

    // Cells: the count is the sum over the characters, and cuts at `width` take whole
    // characters, never more cells than the width unless one character alone is wider, and
    // never leave a character of no width at the start of the next piece.
    std::size_t cells = 0;
    for (std::size_t i = 0; i < text.size();) {
        char32_t code = 0;
        std::size_t length = DecodeUtf8(text.data() + i, text.size() - i, &code);
        FUZZ_CHECK(length >= 1 && length <= kMaxUtf8Bytes);
        int charCells = CharCells(code);
        FUZZ_CHECK(charCells >= 0 && charCells <= 2);
        FUZZ_CHECK(code >= 0x80 || charCells == 1);
        cells += static_cast<std::size_t>(charCells);
        i += length;
    }
    FUZZ_CHECK(CountCells(text.data(), text.size()) == cells);
    std::size_t covered = 0;
    for (std::size_t i = 0; i < text.size();) {
        CellCut piece = CutAtCells(text.data() + i, text.size() - i, width);
        FUZZ_CHECK(piece.bytes > 0);
        FUZZ_CHECK(ValidUtf8Length(text.data() + i, piece.bytes) == piece.bytes);
        FUZZ_CHECK(piece.cells == CountCells(text.data() + i, piece.bytes));
        FUZZ_CHECK(piece.cells <= (width > 2 ? width : 2));
        i += piece.bytes;
        if (i < text.size()) {
            CellChar next = NextCellChar(text.data(), text.size(), i);
            FUZZ_CHECK(next.cells > 0);
            FUZZ_CHECK(piece.cells + static_cast<std::size_t>(next.cells) > width);
        }
        covered += piece.cells;
    }
    FUZZ_CHECK(covered == cells);
    return 0;
}
