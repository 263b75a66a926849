// Directory patterns as texts.
#include "browser/path_text.h"

#include <cstring>

bool IsPathSeparator(char ch) {
    return ch == '\\' || ch == ':' || ch == '/';
}

std::size_t DirectoryPartLength(const char* text) {
    for (std::size_t i = std::strlen(text); i > 1; --i) {
        if (IsPathSeparator(text[i - 1])) {
            return i;
        }
    }
    return 0;
}

void CutToDirectory(char* text) {
    text[DirectoryPartLength(text)] = '\0';
}

int PatternDrive(const char* pattern) {
    char letter = pattern[0];
    if (letter >= 'a' && letter <= 'z') {
        letter = static_cast<char>(letter - 'a' + 'A');
    }
    if (letter >= 'A' && letter <= 'Z' && pattern[1] == ':') {
        return letter - 'A';
    }
    return 2;
}
