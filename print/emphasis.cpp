// Source emphasis: detecting the kind of a text and its bold rules.
#include "print/emphasis.h"

#include <cstring>
#include <initializer_list>

#include "print/text_helpers.h"
#include "text/text_buffer.h"

namespace {

constexpr std::size_t kLineSize = kLineBufferSize;

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

// Where each C declaration keyword starts in kCDeclarationKeywords, by its first letter (more
// than kMostPerLetter keywords with one first letter would stop the build).
struct KeywordIndex {
    static constexpr int kMostPerLetter = 4;
    constexpr KeywordIndex() : count(), start() {
        bool atStart = true;
        for (unsigned short i = 0; kCDeclarationKeywords[i] != '\0'; ++i) {
            if (atStart) {
                auto letter = static_cast<unsigned char>(kCDeclarationKeywords[i]);
                start[letter][count[letter]++] = i;
            }
            atStart = kCDeclarationKeywords[i] == '!';
        }
    }
    unsigned char count[256];
    unsigned short start[256][kMostPerLetter];
};
constexpr KeywordIndex kKeywordIndex;

// StartsWithKeyword(line, kCDeclarationKeywords), trying only the keywords that begin with the
// line's first letter.
bool StartsWithCDeclarationKeyword(const char* line) {
    auto first = static_cast<unsigned char>(line[0]);
    for (int k = 0; k < kKeywordIndex.count[first]; ++k) {
        const char* keyword = kCDeclarationKeywords + kKeywordIndex.start[first][k];
        std::size_t i = 1;
        while (keyword[i] != '!' && keyword[i] == line[i]) {
            ++i;
        }
        if (keyword[i] == '!') {
            return true;
        }
    }
    return false;
}

// Whether the two characters of `pair` stand together within the first `length` characters of
// `line`.
bool FindTextIn(const char* line, std::size_t length, const char (&pair)[3]) {
    for (std::size_t i = 0; i + 1 < length; ++i) {
        if (line[i] == pair[0] && line[i + 1] == pair[1]) {
            return true;
        }
    }
    return false;
}

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
        // On to the next keyword; most lines part from every keyword at its first letter.
        while (list[i] != '!' && list[i] != '\0') {
            ++i;
        }
        if (list[i] == '\0') {
            break;
        }
        list += i + 1;
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

void EmphasisRules::Restore(const EmphasisState& state) {
    if (state.bold) {
        BoldOn();
    } else {
        BoldOff();
    }
    headerZone_ = state.headerZone;
    paren_ = state.paren;
}

void CFamilyRules::BeforeLine(const char* line) {
    // The tests see only the part before a "//" comment.
    if (headerZone_) {
        const char* comment = FindText(line, "//");
        std::size_t length =
            comment != nullptr ? static_cast<std::size_t>(comment - line) : std::strlen(line);
        if (length > 0 && FindTextIn(line, length, "/*")) {
            BoldOn();
            return;
        }
    }
    // A keyword has no "/", so a line begins with one exactly when its part before "//" does;
    // only then is the "(" looked for.
    if (!bold_ && StartsWithCDeclarationKeyword(line)) {
        const char* paren = FindChar(line, '(');
        if (paren != nullptr && !FindTextIn(line, static_cast<std::size_t>(paren - line), "//")) {
            BoldOn();
        }
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
