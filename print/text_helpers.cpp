// Small helpers on zero-terminated 8-bit texts.
#include "print/text_helpers.h"

#include <cstring>

namespace {
char Upper(char ch) {
    return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
}

bool IsPathSeparator(char ch) {
    return ch == '\\' || ch == ':' || ch == '/';
}
}  // namespace

const char* FindChar(const char* text, char ch) {
    if (ch == '\0') {
        return nullptr;
    }
    return std::strchr(text, ch);
}

const char* FindText(const char* text, const char* needle) {
    if (needle[0] == '\0') {
        return nullptr;
    }
    return std::strstr(text, needle);
}

std::size_t CopyOver(char* dest, std::size_t room, const char* source) {
    std::size_t count = 0;
    while (count < room && source[count] != '\0') {
        dest[count] = source[count];
        ++count;
    }
    return count;
}

std::size_t CopyBounded(char* dest, std::size_t size, const char* source) {
    if (size == 0) {
        return 0;
    }
    std::size_t count = CopyOver(dest, size - 1, source);
    dest[count] = '\0';
    return count;
}

void CopyAtMost(char* dest, const char* source, std::size_t n) {
    std::size_t count = 0;
    while (count < n) {
        dest[count] = source[count];
        if (source[count] == '\0') {
            return;
        }
        ++count;
    }
}

void LastPathComponent(char* out, std::size_t outSize, const char* path) {
    if (outSize == 0) {
        return;
    }
    const char* start = path;
    for (const char* p = path + (path[0] != '\0' ? 1 : 0); *p != '\0'; ++p) {
        if (IsPathSeparator(*p)) {
            start = p + 1;
        }
    }
    CopyBounded(out, outSize, start);
}

void UppercaseInPlace(char* text) {
    for (; *text != '\0'; ++text) {
        *text = Upper(*text);
    }
}

void UppercaseCopy(char* dest, const char* source) {
    do {
        *dest++ = Upper(*source);
    } while (*source++ != '\0');
}
