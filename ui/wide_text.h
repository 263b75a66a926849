// WideText: one of the program's 8-bit texts as UTF-16, for the system's wide drawing calls.
// The program's texts are in the active code page, which is UTF-8 wherever the system honours
// the program's manifest; GDI's 8-bit calls would read them in the code page of the selected
// font's character set instead, so every text the program draws goes through a WideText.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

class WideText {
public:
    // `length` bytes of `text`, or the text up to its terminator when `length` is npos. Bytes
    // that are not text in `codePage` become U+FFFD: nothing is dropped.
    explicit WideText(const char* text, std::size_t length = std::string::npos,
                      UINT codePage = CP_ACP);

    const wchar_t* Text() const { return text_.c_str(); }
    // In UTF-16 units, as the wide calls count; at most INT_MAX.
    int Length() const;

private:
    std::wstring text_;
};
