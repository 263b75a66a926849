// The order of the file list's rows.
#include "browser/entry_order.h"

#include "print/text_helpers.h"

namespace {
signed char SortKey(char ch) {
    return static_cast<signed char>(UppercaseAscii(ch));
}

// Steps both texts past their common part; *a and *b then differ, or one of them has ended.
void SkipCommon(const char*& a, const char*& b) {
    while (*a != '\0' && *b != '\0' && SortKey(*a) == SortKey(*b)) {
        ++a;
        ++b;
    }
}
}  // namespace

int CompareEntryTexts(const char* a, const char* b) {
    SkipCommon(a, b);
    if (*a == '\0' || *b == '\0') {
        return 0;
    }
    return SortKey(*a) > SortKey(*b) ? 1 : -1;
}

bool EntryTextLess(const char* a, const char* b) {
    SkipCommon(a, b);
    if (*a == '\0' || *b == '\0') {
        return *a == '\0' && *b != '\0';
    }
    return SortKey(*a) < SortKey(*b);
}
