// Directory patterns as texts.
#include "browser/path_text.h"

void CutToDirectory(char* text) {
    text[DirectoryPartLength(text)] = '\0';
}

int PatternDrive(const char* pattern) {
    char letter = UppercaseAscii(pattern[0]);
    if (letter >= 'A' && letter <= 'Z' && pattern[1] == ':') {
        return letter - 'A';
    }
    return 2;
}
