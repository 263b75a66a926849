// Legacy code pages in the native build: 1252 as the user's code page, and iconv as the
// system's conversion of the code pages that no table holds.
#include "text/code_page.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

class IconvCodePage : public SystemCodePage {
public:
    explicit IconvCodePage(iconv_t converter) : converter_(converter) {
        // A byte alone that the converter calls incomplete begins a character of two bytes.
        for (int byte = 0x80; byte < 256; ++byte) {
            char in[1] = {static_cast<char>(byte)};
            char16_t out[4];
            lead_[byte] = Convert(in, 1, out, 4) == kIncomplete;
        }
    }
    ~IconvCodePage() override { iconv_close(converter_); }
    IconvCodePage(const IconvCodePage&) = delete;
    IconvCodePage& operator=(const IconvCodePage&) = delete;

    bool IsLeadByte(unsigned char byte) const override { return lead_[byte]; }

    int ToUtf16(const char* bytes, int count, char16_t* out, int room) override {
        int units = Convert(bytes, count, out, room);
        return units < 0 ? -1 : units;
    }

private:
    static constexpr int kIncomplete = -2;

    // The units written, -1 for a byte without a character (or no room), kIncomplete for
    // input that ends inside a character.
    int Convert(const char* bytes, int count, char16_t* out, int room) {
        iconv(converter_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(bytes);
        std::size_t inLeft = static_cast<std::size_t>(count);
        char utf16[2 * 520];
        std::size_t capacity = static_cast<std::size_t>(room) * 2;
        if (capacity > sizeof utf16) {
            capacity = sizeof utf16;
        }
        char* next = utf16;
        std::size_t outLeft = capacity;
        if (iconv(converter_, &in, &inLeft, &next, &outLeft) == static_cast<std::size_t>(-1)) {
            return errno == EINVAL ? kIncomplete : -1;
        }
        std::size_t bytesOut = capacity - outLeft;
        for (std::size_t i = 0; i + 1 < bytesOut; i += 2) {
            out[i / 2] = static_cast<char16_t>(static_cast<unsigned char>(utf16[i]) |
                                               static_cast<unsigned char>(utf16[i + 1]) << 8);
        }
        return static_cast<int>(bytesOut / 2);
    }

    iconv_t converter_;
    bool lead_[256] = {};
};

}  // namespace

int DefaultLegacyCodePage() {
    return kDefaultCodePage;
}

std::unique_ptr<SystemCodePage> OpenSystemCodePage(int codePage) {
    if (codePage <= 0) {
        return nullptr;
    }
    char name[24];
    std::snprintf(name, sizeof name, "CP%d", codePage);
    iconv_t converter = iconv_open("UTF-16LE", name);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return nullptr;
    }
    return std::make_unique<IconvCodePage>(converter);
}
