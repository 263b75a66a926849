// Small helpers on zero-terminated 8-bit texts.
#include "print/text_helpers.h"

#include <cstring>

std::size_t DirectoryPartLength(const char* path) {
    for (std::size_t i = std::strlen(path); i > 1; --i) {
        if (IsPathSeparator(path[i - 1])) {
            return i;
        }
    }
    return 0;
}

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
    CopyBounded(out, outSize, path + DirectoryPartLength(path));
}

void UppercaseInPlace(char* text) {
    for (; *text != '\0'; ++text) {
        *text = UppercaseAscii(*text);
    }
}

void UppercaseCopy(char* dest, const char* source) {
    do {
        *dest++ = UppercaseAscii(*source);
    } while (*source++ != '\0');
}
