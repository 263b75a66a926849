// Fuzz target: the order of the file list's rows. EntryTextLess must be a strict weak order
// (what std::sort needs), agree with CompareEntryTexts wherever that one decides, and equal
// a plain model: ASCII letters upper-cased, bytes compared as signed values, a text that is
// the beginning of another coming first. A list sorted with it reads in display order.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "browser/entry_order.h"
#include "fuzz/scratch_file.h"

namespace {

signed char Key(char ch) {
    return static_cast<signed char>(ch >= 'a' && ch <= 'z' ? ch - 'a' + 'A' : ch);
}

bool ModelLess(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Key(x) < Key(y); });
}

bool Less(const std::string& a, const std::string& b) {
    return EntryTextLess(a.c_str(), b.c_str());
}

bool Equivalent(const std::string& a, const std::string& b) {
    return !Less(a, b) && !Less(b, a);
}

void CheckPair(const std::string& a, const std::string& b) {
    FUZZ_CHECK(Less(a, b) == ModelLess(a, b));
    FUZZ_CHECK(!(Less(a, b) && Less(b, a)));
    int shown = CompareEntryTexts(a.c_str(), b.c_str());
    FUZZ_CHECK(shown == -CompareEntryTexts(b.c_str(), a.c_str()));
    FUZZ_CHECK(shown >= -1 && shown <= 1);
    if (shown < 0) {
        FUZZ_CHECK(Less(a, b));
    } else if (shown > 0) {
        FUZZ_CHECK(Less(b, a));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    // Texts without NUL bytes (a NUL would end the text), a few of them short and alike.
    std::vector<std::string> texts;
    while (in.remaining_bytes() > 0 && texts.size() < 64) {
        std::string text = in.ConsumeRandomLengthString(40);
        text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
        texts.push_back(text);
    }
    if (texts.empty()) {
        return 0;
    }
    for (const std::string& a : texts) {
        FUZZ_CHECK(!Less(a, a));
        FUZZ_CHECK(CompareEntryTexts(a.c_str(), a.c_str()) == 0);
    }
    // Every pair of the first twelve, every triple of the first six.
    std::size_t pairs = std::min<std::size_t>(texts.size(), 12);
    std::size_t triples = std::min<std::size_t>(texts.size(), 6);
    for (std::size_t i = 0; i < pairs; ++i) {
        for (std::size_t j = 0; j < pairs; ++j) {
            CheckPair(texts[i], texts[j]);
        }
    }
    for (std::size_t i = 0; i < triples; ++i) {
        for (std::size_t j = 0; j < triples; ++j) {
            for (std::size_t k = 0; k < triples; ++k) {
                const std::string &a = texts[i], &b = texts[j], &c = texts[k];
                if (Less(a, b) && Less(b, c)) {
                    FUZZ_CHECK(Less(a, c));
                }
                if (Equivalent(a, b) && Equivalent(b, c)) {
                    FUZZ_CHECK(Equivalent(a, c));
                }
            }
        }
    }

    // Sorted with it, neighbours never stand in the wrong display order.
    std::vector<const char*> rows;
    for (const std::string& text : texts) {
        rows.push_back(text.c_str());
    }
    std::sort(rows.begin(), rows.end(), EntryTextLess);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        FUZZ_CHECK(!EntryTextLess(rows[i], rows[i - 1]));
        FUZZ_CHECK(CompareEntryTexts(rows[i - 1], rows[i]) <= 0);
    }
    return 0;
}
