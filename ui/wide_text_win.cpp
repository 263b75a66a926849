// WideText: MultiByteToWideChar at the drawing edge.
#include "ui/wide_text.h"

#include <climits>
#include <cstring>

WideText::WideText(const char* text, std::size_t length, UINT codePage) {
    if (text == nullptr) {
        return;
    }
    if (length == std::string::npos) {
        length = std::strlen(text);
    }
    const int count =
        length > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(length);
    if (count == 0) {
        return;
    }
    const int needed = MultiByteToWideChar(codePage, 0, text, count, nullptr, 0);
    if (needed <= 0) {
        return;
    }
    text_.resize(static_cast<std::size_t>(needed));
    const int made = MultiByteToWideChar(codePage, 0, text, count, text_.data(), needed);
    text_.resize(made > 0 ? static_cast<std::size_t>(made) : 0);
}

int WideText::Length() const {
    return text_.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX
                                                            : static_cast<int>(text_.size());
}
