// Source emphasis: detecting the kind of a text and its bold rules.
#include "print/emphasis.h"

#include <cstring>
#include <initializer_list>

#include "print/text_buffer.h"
#include "print/text_helpers.h"

namespace {

constexpr std::size_t kLineSize = 256;

bool Contains(const char* line, const char* text) {
    return FindText(line, text) != nullptr;
}

bool Contains(const char* line, char ch) {
    return FindChar(line, ch) != nullptr;
}

// The upper-case copy the Assembler and Pascal rules test.
struct UpperLine {
    explicit UpperLine(const char* line) {
        std::size_t length = std::strlen(line);
        if (length >= kLineSize) {
            length = kLineSize - 1;
        }
        std::memcpy(text, line, length);
        text[length] = '\0';
        UppercaseInPlace(text);
    }
    char text[kLineSize];
};

bool IsMainBlock(const char* upper) {
    return Contains(upper, "MAIN") && Contains(upper, '{') && Contains(upper, '}');
}

}  // namespace

EmphasisKind DetectEmphasisKind(TextBuffer& text) {
    text.Rewind();
    EmphasisKind kind = EmphasisKind::Plain;
    char line[kLineSize];
    for (int i = 0; i < kDetectionLines && !text.AtEnd(); ++i) {
        text.ReadLine(line, sizeof line);
        UppercaseInPlace(line);
        if (Contains(line, "/*")) {
            kind = EmphasisKind::CFamily;
        } else if (Contains(line, '{') || Contains(line, "(*")) {
            kind = EmphasisKind::PascalFamily;
        } else if (Contains(line, "PROGRAM") && Contains(line, ';')) {
            kind = EmphasisKind::PascalFamily;
        } else if (line[0] == ';') {
            kind = EmphasisKind::Assembler;
        } else {
            continue;
        }
        break;
    }
    text.Rewind();
    return kind;
}

bool StartsWithKeyword(const char* line, const char* list) {
    while (*list != '\0') {
        std::size_t i = 0;
        while (list[i] != '!' && list[i] != '\0' && list[i] == line[i]) {
            ++i;
        }
        if (i > 0 && (list[i] == '!' || list[i] == '\0')) {
            return true;
        }
        const char* next = std::strchr(list + i, '!');
        if (next == nullptr) {
            break;
        }
        list = next + 1;
    }
    return false;
}

void EmphasisRules::BoldOn() {
    fonts_.SelectBold();
    bold_ = true;
}

void EmphasisRules::BoldOff() {
    fonts_.SelectNormal();
    bold_ = false;
}

void CFamilyRules::BeforeLine(const char* line) {
    // The tests see only the part before a "//" comment.
    const char* code = line;
    char cut[kLineSize];
    if (const char* comment = FindText(line, "//")) {
        std::size_t length = static_cast<std::size_t>(comment - line);
        if (length >= kLineSize) {
            length = kLineSize - 1;
        }
        std::memcpy(cut, line, length);
        cut[length] = '\0';
        code = cut;
    }

    if (headerZone_ && code[0] != '\0' && Contains(code, "/*")) {
        BoldOn();
    } else if (!bold_ && Contains(code, '(') && StartsWithKeyword(code, kCDeclarationKeywords)) {
        BoldOn();
    }
}

void CFamilyRules::AfterLine(const char* line) {
    if (headerZone_) {
        bool handled = false;
        if (line[0] != '\0' && !bold_) {
            headerZone_ = false;
            handled = true;
        }
        if (headerZone_ && Contains(line, "*/")) {
            BoldOff();
            headerZone_ = false;
            handled = true;
        }
        if (handled) {
            return;
        }
    }
    if (bold_ && Contains(line, ')')) {
        BoldOff();
    }
}

void AssemblerRules::BeforeLine(const char* line) {
    if (line[0] != ';') {
        headerZone_ = false;
    }
    if (headerZone_ || Contains(UpperLine(line).text, "PROC")) {
        BoldOn();
    }
}

void AssemblerRules::AfterLine(const char*) {
    if (bold_) {
        BoldOff();
    }
}

void PascalFamilyRules::BeforeLine(const char* line) {
    UpperLine copy(line);
    const char* upper = copy.text;

    bool on = false;
    const char* semicolon = FindChar(upper, ';');
    for (const char* word : {"PROCEDURE", "FUNCTION", "PROGRAM", "UNIT"}) {
        const char* at = FindText(upper, word);
        if (at != nullptr && semicolon != nullptr && semicolon > at) {
            on = true;
            break;
        }
    }
    if (!on && headerZone_ && Contains(upper, "(*")) {
        on = true;
    }
    if (!on && headerZone_) {
        const char* brace = FindChar(upper, '{');
        on = brace != nullptr && brace[1] != '$';
    }
    if (!on && IsMainBlock(upper)) {
        on = true;
    }
    if (on) {
        BoldOn();
        paren_ = Contains(upper, '(');
    }
}

void PascalFamilyRules::AfterLine(const char* line) {
    UpperLine copy(line);
    const char* upper = copy.text;
    if (headerZone_ && upper[0] != '\0' && !bold_) {
        headerZone_ = false;
    }
    if (bold_) {
        bool off = (paren_ && Contains(upper, ')')) ||
                   (headerZone_ && (Contains(upper, "*)") || Contains(upper, '}'))) ||
                   (!paren_ && Contains(upper, ';'));
        if (off) {
            BoldOff();
            paren_ = false;
        }
    }
    if (IsMainBlock(upper)) {
        BoldOff();
        paren_ = false;
    }
}
