// Legacy code pages: 8-bit text of the user's ANSI code page decoded to UTF-8. The single-byte
// pages 1250 to 1258 by tables of the core; the double-byte ones (932, 936, 949, 950) and any
// other through the system's conversion, behind SystemCodePage.
#pragma once

#include <cstddef>
#include <memory>

inline constexpr int kDefaultCodePage = 1252;

// The user's legacy code page: on Windows the default ANSI code page of the user's locale
// (not the process's active code page, which may be UTF-8); 1252 in the native build, and
// wherever the locale tells none.
int DefaultLegacyCodePage();

// A code page as the system converts it.
class SystemCodePage {
public:
    virtual ~SystemCodePage() = default;
    // True for the bytes that begin a character of two bytes.
    virtual bool IsLeadByte(unsigned char byte) const = 0;
    // Converts bytes[0, count), whole characters, to UTF-16 in `out` (room for `room` units)
    // and returns the units written; -1 when a byte has no character in the code page or the
    // room is too small (what `out` holds is then of no meaning).
    virtual int ToUtf16(const char* bytes, int count, char16_t* out, int room) = 0;
};

// The system's conversion of `codePage`; nullptr when the system has none.
std::unique_ptr<SystemCodePage> OpenSystemCodePage(int codePage);

class LegacyCodePage {
public:
    // Code page `codePage`: a table for 1250 to 1258, else the system's conversion, else (the
    // system has none) 1252.
    explicit LegacyCodePage(int codePage);
    // A code page converted by `system` (for tests: a made-up one).
    LegacyCodePage(int codePage, std::unique_ptr<SystemCodePage> system);
    ~LegacyCodePage();
    LegacyCodePage(const LegacyCodePage&) = delete;
    LegacyCodePage& operator=(const LegacyCodePage&) = delete;

    // The code page decoded: the one asked for, or 1252 in its place.
    int CodePage() const { return codePage_; }

    // Decodes whole characters of bytes[0, length) into `out` (room for `room` bytes) as UTF-8
    // for as long as the room holds kMaxDecodeStep more, and returns the bytes written;
    // `*consumed` receives the bytes of the input used. Unless `atEnd`, a lead byte at the end
    // of the input is left for the next call. A byte that is no character of the code page, a
    // lead byte without a valid second byte included, becomes U+FFFD, one per byte (a second
    // byte that does not fit its lead byte is read again as a character of its own).
    std::size_t Decode(const char* bytes, std::size_t length, bool atEnd, char* out,
                       std::size_t room, std::size_t* consumed) const;

private:
    std::size_t DecodeSystem(const char* bytes, std::size_t length, bool atEnd, char* out,
                             std::size_t room, std::size_t* consumed) const;
    // Decodes the characters that start in bytes[0, length) one at a time (the last may take
    // a second byte up to `available`), adds the bytes written to `*produced` and returns the
    // bytes used.
    std::size_t DecodeEachChar(const char* bytes, std::size_t length, std::size_t available,
                               bool atEnd, char* out, std::size_t* produced) const;

    int codePage_ = kDefaultCodePage;
    const char16_t* table_ = nullptr;  // the characters of 0x80 to 0xFF, for a table page
    std::unique_ptr<SystemCodePage> system_;
    bool lead_[256] = {};
};
