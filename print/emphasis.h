// Source emphasis: the kind of a text, told from its first lines, and the rule sets that put
// its leading comment block and its declaration lines in bold.
#pragma once

class TextBuffer;

enum class EmphasisKind { Plain = 0, CFamily = 1, Assembler = 2, PascalFamily = 3 };

// Lines the kind is told from.
inline constexpr int kDetectionLines = 10;

// The C declaration keywords, each ended by "!".
inline constexpr char kCDeclarationKeywords[] =
    "boolean!BOOL!bool!char!double!float!int!long!static!struct!unsigned!void!LRESULT!";

// Reads up to ten lines from the start of `text`, upper-cased: the first that holds "/*" makes
// it CFamily; "{" or "(*", or "PROGRAM" together with ";", PascalFamily; a leading ";"
// Assembler; none of them, Plain. The read position is at the start afterwards.
EmphasisKind DetectEmphasisKind(TextBuffer& text);

// True when `line` begins with one of the keywords of `list` (each ended by "!"), whatever
// follows it: case-sensitive, no word boundary, so "integer" begins with "int".
bool StartsWithKeyword(const char* line, const char* list);

// How a rule set switches the printing font.
class BoldSwitch {
public:
    virtual ~BoldSwitch() = default;
    virtual void SelectBold() = 0;
    virtual void SelectNormal() = 0;
};

// What a rule set carries from one line to the next: enough to go on from any line.
struct EmphasisState {
    bool bold = false;
    bool headerZone = true;  // still in the leading comment block
    bool paren = false;      // a Pascal heading with "(" waits for its ")"
};

// A rule set decides before and after each printed line whether the bold font is selected.
// Its state lasts one copy; it starts with bold off and the normal font selected.
class EmphasisRules {
public:
    explicit EmphasisRules(BoldSwitch& fonts) : fonts_(fonts) {}
    virtual ~EmphasisRules() = default;
    virtual void BeforeLine(const char* line) = 0;
    virtual void AfterLine(const char* line) = 0;
    bool Bold() const { return bold_; }

    EmphasisState State() const { return {bold_, headerZone_, paren_}; }
    // Takes `state` over, selecting the font it holds.
    void Restore(const EmphasisState& state);

protected:
    void BoldOn();
    void BoldOff();

    bool bold_ = false;
    bool headerZone_ = true;
    bool paren_ = false;

private:
    BoldSwitch& fonts_;
};

// No decisions: every line prints in the normal font.
class PlainRules final : public EmphasisRules {
public:
    using EmphasisRules::EmphasisRules;
    void BeforeLine(const char*) override {}
    void AfterLine(const char*) override {}
};

// The leading block comment, and declarations from a keyword line holding "(" to the first
// line holding ")". The tests before printing ignore what follows "//".
class CFamilyRules final : public EmphasisRules {
public:
    using EmphasisRules::EmphasisRules;
    void BeforeLine(const char* line) override;
    void AfterLine(const char* line) override;
};

// The leading run of ";" lines, and every line holding "PROC" in any letter case.
class AssemblerRules final : public EmphasisRules {
public:
    using EmphasisRules::EmphasisRules;
    void BeforeLine(const char* line) override;
    void AfterLine(const char* line) override;
};

// Leading comments, PROCEDURE, FUNCTION, PROGRAM and UNIT headings, and one-line MAIN blocks;
// words match in any letter case.
class PascalFamilyRules final : public EmphasisRules {
public:
    using EmphasisRules::EmphasisRules;
    void BeforeLine(const char* line) override;
    void AfterLine(const char* line) override;
};
