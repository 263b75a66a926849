// MessageBoxLayout: the arithmetic of the message box and the about box.
#include "ui/message_box_layout.h"

#include <algorithm>
#include <cstring>

namespace {

// Sizes are computed in 64 bits from measured texts of any length and limited to what a
// window can be.
int ClampExtent(long long value) {
    if (value < 0) {
        return 0;
    }
    return value > kMaxBoxExtent ? kMaxBoxExtent : static_cast<int>(value);
}

char UpperCase(char ch) {
    return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
}

AnswerButtonSpec Button(const char* text, int result, int x, int y) {
    AnswerButtonSpec spec;
    spec.text = text;
    spec.result = result;
    spec.x = x;
    spec.y = y;
    return spec;
}

}  // namespace

bool TextLines::Next(TextLine* line) {
    if (cursor_ == nullptr || *cursor_ == '\0') {
        return false;
    }
    const char* end = std::strchr(cursor_, '\n');
    line->start = cursor_;
    if (end == nullptr) {
        line->length = std::strlen(cursor_);
        cursor_ += line->length;
    } else {
        line->length = static_cast<std::size_t>(end - cursor_);
        cursor_ = end + 1;
    }
    return true;
}

int CountTextLines(const char* text) {
    TextLines lines(text);
    TextLine line;
    int count = 0;
    while (lines.Next(&line)) {
        if (count < kMaxBoxExtent) {
            ++count;
        }
    }
    return count;
}

BoxIcon ChooseBoxIcon(std::uint32_t flags, int iconId) {
    switch (flags & box_flags::kIconMask) {
        case box_flags::kIconHand:
            return BoxIcon::kHand;
        case box_flags::kIconQuestion:
            return BoxIcon::kQuestion;
        case box_flags::kIconExclamation:
            return BoxIcon::kExclamation;
        case box_flags::kIconAsterisk:
            return BoxIcon::kAsterisk;
        default:
            return iconId != 0 ? BoxIcon::kProgram : BoxIcon::kNone;
    }
}

int MinimumPanelWidth(std::uint32_t flags, int lineHeight) {
    switch (flags & box_flags::kTypeMask) {
        case box_flags::kOkCancel:
        case box_flags::kYesNo:
            return ClampExtent(10LL * lineHeight);
        case box_flags::kYesNoCancel:
            return ClampExtent(13LL * lineHeight);
        default:
            return 0;
    }
}

int WidenedTextWidth(int textWidth, int captionWidth, bool hasIcon) {
    return hasIcon ? textWidth : std::max(textWidth, captionWidth);
}

BoxPanel ComputePanel(const BoxText& text, bool hasIcon, std::uint32_t flags) {
    BoxPanel panel;
    long long side = ScaleToDpi(hasIcon ? 64 : 8, text.dpi);
    panel.left = static_cast<int>(side);
    long long right = static_cast<long long>(text.textWidth) + 4LL * text.maxCharWidth + side;
    panel.right =
        ClampExtent(std::max<long long>(right, MinimumPanelWidth(flags, text.lineHeight)));
    panel.top = text.lineHeight;
    panel.bottom = ClampExtent((static_cast<long long>(text.lineCount) + 1) * text.lineHeight +
                               ScaleToDpi(8, text.dpi));
    return panel;
}

BoxSize PlainBoxSize(const BoxPanel& panel, const BoxText& text) {
    BoxSize size;
    size.width = ClampExtent(static_cast<long long>(panel.right) + ScaleToDpi(16, text.dpi));
    size.height = ClampExtent((static_cast<long long>(text.lineCount) + 6) * text.lineHeight);
    return size;
}

int MaxBoxTextWidth(int workAreaWidth, const BoxText& text, bool hasIcon) {
    long long room = static_cast<long long>(workAreaWidth) - 4LL * text.maxCharWidth -
                     ScaleToDpi(hasIcon ? 64 : 8, text.dpi) - ScaleToDpi(16, text.dpi);
    return static_cast<int>(std::clamp<long long>(room, 1, kMaxBoxExtent));
}

namespace {

// The end of the UTF-8 character at `at` within `end`: a lead byte and the continuation bytes
// it announces. A byte that starts no sequence (a stray continuation byte) is a character of
// its own, as the system draws a stand-in for it.
std::size_t NextCharacter(const char* text, std::size_t at, std::size_t end) {
    unsigned char lead = static_cast<unsigned char>(text[at]);
    std::size_t continuations = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    std::size_t next = at + 1;
    while (continuations > 0 && next < end &&
           (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) {
        ++next;
        --continuations;
    }
    return next;
}

// Where the piece of the line from `start` to `end` is cut: after the last backslash that
// keeps it within `maxWidth`, else after the last whole character that does, else after the
// first character.
std::size_t CutOfPiece(const char* text, std::size_t start, std::size_t end, int maxWidth,
                       const MeasureTextPiece& measure) {
    std::size_t atBackslash = 0;
    for (std::size_t at = start; at < end; ++at) {
        if (text[at] != '\\' || at + 1 == end) {
            continue;
        }
        if (measure(text + start, at + 1 - start) > maxWidth) {
            break;  // longer pieces are no narrower
        }
        atBackslash = at + 1;
    }
    if (atBackslash != 0) {
        return atBackslash;
    }
    std::size_t cut = NextCharacter(text, start, end);
    for (std::size_t next = cut; next < end;) {
        next = NextCharacter(text, next, end);
        if (measure(text + start, next - start) > maxWidth) {
            break;
        }
        cut = next;
    }
    return cut;
}

}  // namespace

std::string WrapWideLines(const char* text, int maxWidth, const MeasureTextPiece& measure) {
    std::string wrapped;
    TextLines lines(text);
    TextLine line;
    bool first = true;
    while (lines.Next(&line)) {
        if (!first) {
            wrapped += '\n';
        }
        first = false;
        std::size_t start = 0;
        while (start < line.length && measure(line.start + start, line.length - start) > maxWidth) {
            std::size_t cut = CutOfPiece(line.start, start, line.length, maxWidth, measure);
            if (cut >= line.length) {
                break;  // one character wider than a line: it stands alone
            }
            wrapped.append(line.start + start, cut - start);
            wrapped += '\n';
            start = cut;
        }
        wrapped.append(line.start + start, line.length - start);
    }
    // A line feed at the very end ends the last line: it stays.
    std::size_t length = text != nullptr ? std::strlen(text) : 0;
    if (length > 0 && text[length - 1] == '\n') {
        wrapped += '\n';
    }
    return wrapped;
}

BoxSize AboutBoxSize(const BoxText& text, bool hasLink) {
    BoxSize size;
    size.width = ClampExtent(static_cast<long long>(text.textWidth) + 4LL * text.maxCharWidth);
    long long lines = static_cast<long long>(text.lineCount) + 8 + (hasLink ? 2 : 0);
    size.height = ClampExtent(lines * text.lineHeight);
    return size;
}

BoxPoint PlainBoxStart(int ownerClientRight, int ownerClientBottom, const BoxSize& size) {
    BoxPoint point;
    point.x = ownerClientRight / 2 - size.width / 2;
    point.y = ownerClientBottom / 2 - size.height / 2;
    return point;
}

BoxPoint AboutBoxStart(int ownerClientRight, int ownerClientBottom) {
    BoxPoint point;
    point.x = ownerClientRight / 2;
    point.y = ownerClientBottom / 2;
    return point;
}

int AnswerButtonWidth(int dpi) {
    return ScaleToDpi(kAnswerButtonWidth, dpi);
}

int AnswerButtonHeight(int dpi) {
    return ScaleToDpi(kAnswerButtonHeight, dpi);
}

AnswerButtonSet PlainAnswerButtons(std::uint32_t flags, int clientWidth, int clientHeight,
                                   int lineHeight, int dpi) {
    auto at = [dpi](int pixels) { return ScaleToDpi(pixels, dpi); };
    const int c = clientWidth / 2;
    const int y = clientHeight - 2 * lineHeight;
    AnswerButtonSet set;
    switch (flags & box_flags::kTypeMask) {
        case box_flags::kOkCancel:
            set.count = 2;
            set.buttons[0] = Button("&Ok", box_answer::kOk, c - at(70), y);
            set.buttons[1] = Button("&Cancel", box_answer::kCancel, c + at(10), y);
            break;
        case box_flags::kYesNo:
            set.count = 2;
            set.buttons[0] = Button("&Yes", box_answer::kYes, c - at(70), y);
            set.buttons[1] = Button("&No", box_answer::kNo, c + at(10), y);
            break;
        case box_flags::kYesNoCancel:
            set.count = 3;
            set.buttons[0] = Button("&Yes", box_answer::kYes, c - at(100), y);
            set.buttons[1] = Button("&No", box_answer::kNo, c - at(30), y);
            set.buttons[2] = Button("&Cancel", box_answer::kCancel, c + at(40), y);
            break;
        default:
            set.count = 1;
            set.buttons[0] = Button("&Ok", box_answer::kOk, c - at(30), y);
            break;
    }
    return set;
}

AnswerButtonSet AboutAnswerButtons(int clientWidth, int clientHeight, int lineHeight, int dpi) {
    AnswerButtonSet set;
    set.count = 1;
    set.buttons[0] = Button("&Ok", box_answer::kOk, clientWidth / 2 - AnswerButtonWidth(dpi) / 2,
                            clientHeight - 3 * lineHeight);
    return set;
}

int DefaultButtonIndex(std::uint32_t flags, int buttonCount) {
    int index = 0;
    switch (flags & box_flags::kDefaultMask) {
        case box_flags::kDefaultButton2:
            index = 1;
            break;
        case box_flags::kDefaultButton3:
            index = 2;
            break;
        default:
            break;
    }
    return index < buttonCount ? index : 0;
}

ButtonKeyOutcome ButtonKeyMove(unsigned virtualKey, int current, int buttonCount,
                               const char* mnemonics) {
    ButtonKeyOutcome outcome;
    outcome.current = current;
    if (buttonCount <= 0) {
        return outcome;
    }
    if (current < 0 || current >= buttonCount) {
        current = 0;
        outcome.current = 0;
    }
    switch (virtualKey) {
        case box_key::kTab:
        case box_key::kRight:
            outcome.current = (current + 1) % buttonCount;
            outcome.moveFocus = true;
            return outcome;
        case box_key::kLeft:
            outcome.current = current == 0 ? buttonCount - 1 : current - 1;
            outcome.moveFocus = true;
            return outcome;
        case box_key::kReturn:
            outcome.press = current;
            return outcome;
        default:
            break;
    }
    const char key = static_cast<char>(virtualKey & 0xFF);
    for (int i = 0; i < buttonCount; ++i) {
        if (mnemonics[i] != '\0' && UpperCase(mnemonics[i]) == key) {
            outcome.press = i;
            break;
        }
    }
    return outcome;
}

int AboutTextTop(int lineHeight, int dpi) {
    return 2 * lineHeight + ScaleToDpi(32, dpi);
}

LinkRect AboutLinkRect(int boxWidth, const BoxText& text, int linkWidth, int linkHeight) {
    long long textBottom = AboutTextTop(text.lineHeight, text.dpi) +
                           static_cast<long long>(text.lineCount) * text.lineHeight;
    LinkRect rect;
    rect.left = (boxWidth - linkWidth) / 2;
    rect.top = ClampExtent(textBottom + text.lineHeight);
    rect.right = rect.left + linkWidth;
    rect.bottom = rect.top + linkHeight;
    return rect;
}
