// The page footer line.
#include "print/page_footer.h"

#include <cstdio>
#include <cstring>

#include "print/text_helpers.h"

std::size_t BuildFooterLine(char* out, const char* path, int width, std::int64_t pageNumber) {
    constexpr int kMaxWidth = kFooterSize - 1;
    if (width > kMaxWidth) {
        width = kMaxWidth;
    }
    if (width < 1) {
        width = 1;
    }
    std::memset(out, ' ', kMaxWidth);

    char name[kFooterNameChars + 1];
    LastPathComponent(name, sizeof name, path);
    int nameLength = static_cast<int>(std::strlen(name));

    char number[24];
    int digits = std::snprintf(number, sizeof number, "%lld", static_cast<long long>(pageNumber));

    int length = width - 1;
    int numberStart = length - digits;
    if (numberStart < 0) {
        numberStart = 0;
        length = digits;
    }
    int nameStart = (width - nameLength) / 2;
    if (nameStart < 0) {
        nameStart = 0;
    }
    if (nameStart < numberStart) {
        int shown = numberStart - nameStart;
        std::memcpy(out + nameStart, name,
                    static_cast<std::size_t>(shown < nameLength ? shown : nameLength));
    }
    std::memcpy(out + numberStart, number, static_cast<std::size_t>(digits));
    out[length] = '\0';
    return static_cast<std::size_t>(length);
}
