// Legacy code pages: the tables of the single-byte pages and the frame around the system's
// conversion of the others.
#include "text/code_page.h"

#include <cstring>

#include "text/text_encoding.h"
#include "text/utf8.h"

namespace {
#include "text/code_page_tables.inc"

// Bytes converted by one call of the system's conversion at most.
constexpr std::size_t kRunBytes = 256;
// The UTF-8 bytes that one character step of DecodeSystem writes at most: a lead byte and a
// second byte that both become U+FFFD.
constexpr std::size_t kMaxStepBytes = 6;
// What a run of characters is sure to leave free: a character read one at a time after a
// failed run may reach one byte past it.
constexpr std::size_t kRunReserve = 2 * kMaxStepBytes;
static_assert(kRunReserve <= kMaxDecodeStep, "the decoder's callers leave room for a run");

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Writes UTF-16 units as UTF-8; an unpaired surrogate becomes U+FFFD.
std::size_t PutUtf16(const char16_t* units, int count, char* out) {
    std::size_t written = 0;
    for (int i = 0; i < count; ++i) {
        char32_t unit = units[i];
        if (IsHighSurrogate(unit) && i + 1 < count && IsLowSurrogate(units[i + 1])) {
            char32_t code = 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            written += EncodeUtf8(code, out + written);
            ++i;
            continue;
        }
        written += EncodeUtf8(unit, out + written);  // a lone surrogate writes U+FFFD
    }
    return written;
}

}  // namespace

LegacyCodePage::LegacyCodePage(int codePage) {
    if (codePage >= kFirstTablePage && codePage <= kLastTablePage) {
        codePage_ = codePage;
        table_ = kCodePageTables[codePage - kFirstTablePage];
        return;
    }
    std::unique_ptr<SystemCodePage> system = OpenSystemCodePage(codePage);
    if (system == nullptr) {
        codePage_ = kDefaultCodePage;
        table_ = kCodePageTables[kDefaultCodePage - kFirstTablePage];
        return;
    }
    codePage_ = codePage;
    system_ = std::move(system);
    for (int byte = 0x80; byte < 256; ++byte) {
        lead_[byte] = system_->IsLeadByte(static_cast<unsigned char>(byte));
    }
}

LegacyCodePage::LegacyCodePage(int codePage, std::unique_ptr<SystemCodePage> system)
    : codePage_(codePage), system_(std::move(system)) {
    for (int byte = 0x80; byte < 256; ++byte) {
        lead_[byte] = system_->IsLeadByte(static_cast<unsigned char>(byte));
    }
}

LegacyCodePage::~LegacyCodePage() = default;

std::size_t LegacyCodePage::Decode(const char* bytes, std::size_t length, bool atEnd, char* out,
                                   std::size_t room, std::size_t* consumed) const {
    if (system_ != nullptr) {
        return DecodeSystem(bytes, length, atEnd, out, room, consumed);
    }
    std::size_t at = 0;
    std::size_t produced = 0;
    while (at < length && room - produced >= kMaxUtf8Bytes) {
        auto byte = static_cast<unsigned char>(bytes[at]);
        if (byte >= 0x80) {
            produced += EncodeUtf8(table_[byte - 0x80], out + produced);
            ++at;
            continue;
        }
        std::size_t run = FindNonAscii(bytes + at, length - at);
        if (run > room - produced) {
            run = room - produced;
        }
        std::memcpy(out + produced, bytes + at, run);
        produced += run;
        at += run;
    }
    *consumed = at;
    return produced;
}

std::size_t LegacyCodePage::DecodeSystem(const char* bytes, std::size_t length, bool atEnd,
                                         char* out, std::size_t room, std::size_t* consumed) const {
    std::size_t at = 0;
    std::size_t produced = 0;
    while (at < length && room - produced >= kRunReserve) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            std::size_t run = FindNonAscii(bytes + at, length - at);
            if (run > room - produced) {
                run = room - produced;
            }
            std::memcpy(out + produced, bytes + at, run);
            produced += run;
            at += run;
            continue;
        }
        // A run of characters that begin with a byte from 0x80 (a second byte may be ASCII),
        // as long as the room is sure to hold it.
        std::size_t budget = room - produced;
        std::size_t worst = 0;
        std::size_t end = at;
        while (end < length && end - at < kRunBytes && worst + kRunReserve <= budget) {
            auto byte = static_cast<unsigned char>(bytes[end]);
            if (byte < 0x80) {
                break;
            }
            std::size_t size = 1;
            if (lead_[byte]) {
                if (end + 1 < length) {
                    size = 2;
                } else if (!atEnd) {
                    break;  // its second byte comes with the next input
                }
            }
            worst += kMaxStepBytes;
            end += size;
        }
        if (end == at) {
            break;
        }
        char16_t units[2 * kRunBytes + 2];
        int count = system_->ToUtf16(bytes + at, static_cast<int>(end - at), units,
                                     static_cast<int>(sizeof units / sizeof units[0]));
        // A run gives at most one unit per byte but for characters outside the BMP, and
        // those take 4 bytes for 2 units: within the budget either way.
        if (count >= 0 && static_cast<std::size_t>(count) <= end - at) {
            produced += PutUtf16(units, count, out + produced);
            at = end;
        } else {
            at +=
                DecodeEachChar(bytes + at, end - at, length - at, atEnd, out + produced, &produced);
        }
    }
    *consumed = at;
    return produced;
}

std::size_t LegacyCodePage::DecodeEachChar(const char* bytes, std::size_t length,
                                           std::size_t available, bool atEnd, char* out,
                                           std::size_t* produced) const {
    std::size_t written = 0;
    std::size_t at = 0;
    while (at < length) {
        auto byte = static_cast<unsigned char>(bytes[at]);
        std::size_t size = 1;
        if (lead_[byte]) {
            if (at + 1 < available) {
                size = 2;
            } else if (!atEnd) {
                break;  // its second byte comes with the next input
            }
        }
        char16_t units[4];
        int count = system_->ToUtf16(bytes + at, static_cast<int>(size), units, 4);
        if (count > 0 && count <= 2) {
            written += PutUtf16(units, count, out + written);
            at += size;
            continue;
        }
        // No character: the first byte is replaced, and a second byte is read again.
        written += EncodeUtf8(kReplacementChar, out + written);
        ++at;
    }
    *produced += written;
    return at;
}
