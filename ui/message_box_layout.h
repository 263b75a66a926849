// MessageBoxLayout: what the program's own message box and about box decide without a window:
// their text lines, panel, size, answer buttons, default button, icon and the keys that move
// between and press the answer buttons.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "ui/dpi_scale.h"

// The message-box flags the box understands, with their system values.
namespace box_flags {
constexpr std::uint32_t kTypeMask = 0x0000000F;
constexpr std::uint32_t kOk = 0x0;
constexpr std::uint32_t kOkCancel = 0x1;
constexpr std::uint32_t kAbortRetryIgnore = 0x2;
constexpr std::uint32_t kYesNoCancel = 0x3;
constexpr std::uint32_t kYesNo = 0x4;
constexpr std::uint32_t kRetryCancel = 0x5;
constexpr std::uint32_t kIconMask = 0x000000F0;
constexpr std::uint32_t kIconHand = 0x10;
constexpr std::uint32_t kIconQuestion = 0x20;
constexpr std::uint32_t kIconExclamation = 0x30;
constexpr std::uint32_t kIconAsterisk = 0x40;
constexpr std::uint32_t kDefaultMask = 0x00000F00;
constexpr std::uint32_t kDefaultButton2 = 0x100;
constexpr std::uint32_t kDefaultButton3 = 0x200;
}  // namespace box_flags

// The answers, with their system values.
namespace box_answer {
constexpr int kNone = 0;
constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr int kYes = 6;
constexpr int kNo = 7;
}  // namespace box_answer

// The virtual keys the answer buttons react to, with their system values.
namespace box_key {
constexpr unsigned kTab = 0x09;
constexpr unsigned kReturn = 0x0D;
constexpr unsigned kLeft = 0x25;
constexpr unsigned kRight = 0x27;
}  // namespace box_key

// The largest width or height given to a box, in pixels: beyond it windows are not drawn.
constexpr int kMaxBoxExtent = 32767;

// One line of a message text: the bytes from `start`, `length` of them, without the "\n".
struct TextLine {
    const char* start = nullptr;
    std::size_t length = 0;
};

// Walks the lines of `text`, cut at each "\n"; a "\n" at the very end ends the last line and
// adds no empty one, so an empty text has no lines. Call Next until it returns false.
class TextLines {
public:
    explicit TextLines(const char* text) : cursor_(text) {}
    bool Next(TextLine* line);

private:
    const char* cursor_;
};

// Number of lines of `text` as TextLines cuts it.
int CountTextLines(const char* text);

// Which icon a box shows.
enum class BoxIcon { kNone, kHand, kQuestion, kExclamation, kAsterisk, kProgram };

// The icon named by the flags' icon bits; any other value means the program's icon resource
// `iconId`, or no icon when it is 0.
BoxIcon ChooseBoxIcon(std::uint32_t flags, int iconId);

// The text panel of a plain box, in client pixels; right and bottom included.
struct BoxPanel {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The measures a box is laid out from: the display font's widest character and line
// height, the number of lines and the widest line in pixels, and the resolution they were
// measured at (the box's fixed pixel measures grow with it).
struct BoxText {
    int maxCharWidth = 0;
    int lineHeight = 0;
    int lineCount = 0;
    int textWidth = 0;
    int dpi = kDefaultDpi;
};

// The narrowest panel the button set allows: 10 line heights for two buttons, 13 for three.
int MinimumPanelWidth(std::uint32_t flags, int lineHeight);

// The widest line when a box without an icon lets its caption widen the text.
int WidenedTextWidth(int textWidth, int captionWidth, bool hasIcon);

// The panel's left and right sides (an icon takes 64 pixels at the left, else 8; pixels at
// 96 DPI, scaled to the text's resolution), then its top and bottom from the lines.
// `text.textWidth` is already widened by the caption.
BoxPanel ComputePanel(const BoxText& text, bool hasIcon, std::uint32_t flags);

// Outer size of a window.
struct BoxSize {
    int width = 0;
    int height = 0;
};

// The plain box: the panel's right plus 16 (scaled) wide, six line heights more than the text high
// (the title bar included). Limited to kMaxBoxExtent.
BoxSize PlainBoxSize(const BoxPanel& panel, const BoxText& text);

// The widest text line a plain box can take and still be no wider than `workAreaWidth`, the
// screen's work area: the area less the panel's sides and the box's margin (as ComputePanel
// and PlainBoxSize add them for `text`'s widest character and resolution). At least 1.
int MaxBoxTextWidth(int workAreaWidth, const BoxText& text, bool hasIcon);

// The width in pixels of `length` bytes of text from `start`, as the box's font draws them.
using MeasureTextPiece = std::function<int(const char* start, std::size_t length)>;

// `text` with every line wider than `maxWidth` cut onto further lines ("\n" inserted): each
// cut comes after the last backslash that keeps the piece within `maxWidth`, so that a path
// breaks between its parts and its last part, the name, stays whole when it fits a line.
// A piece with no backslash that fits is cut after its last whole UTF-8 character that fits
// (at least one character a line). Lines that fit, and the line feeds, stay as they are.
std::string WrapWideLines(const char* text, int maxWidth, const MeasureTextPiece& measure);

// The about box: the text plus four widest characters wide; eight line heights more than the
// text high, and two more for a link line. Limited to kMaxBoxExtent.
BoxSize AboutBoxSize(const BoxText& text, bool hasLink);

// A position in client or screen pixels.
struct BoxPoint {
    int x = 0;
    int y = 0;
};

// Where a box is first created, before it is centred on its owner: the plain box's middle
// on the middle of the owner's client area (halvings truncate); the about box's top-left
// corner there.
BoxPoint PlainBoxStart(int ownerClientRight, int ownerClientBottom, const BoxSize& size);
BoxPoint AboutBoxStart(int ownerClientRight, int ownerClientBottom);

// One answer button of a box.
struct AnswerButtonSpec {
    const char* text = nullptr;
    int result = box_answer::kNone;
    int x = 0;  // left edge in client pixels
    int y = 0;  // top edge in client pixels
};

constexpr int kMaxAnswerButtons = 3;
// The answer buttons' size at 96 DPI.
constexpr int kAnswerButtonWidth = 60;
constexpr int kAnswerButtonHeight = 30;
// Their size at `dpi`.
int AnswerButtonWidth(int dpi);
int AnswerButtonHeight(int dpi);

struct AnswerButtonSet {
    int count = 0;
    AnswerButtonSpec buttons[kMaxAnswerButtons];
};

// The answer buttons of a plain box whose client area is `clientWidth` by `clientHeight`:
// by the button bits, Ok and Cancel, Yes and No, Yes, No and Cancel, else one Ok; two line
// heights above the bottom, placed around the middle (their gaps scaled to `dpi`).
AnswerButtonSet PlainAnswerButtons(std::uint32_t flags, int clientWidth, int clientHeight,
                                   int lineHeight, int dpi = kDefaultDpi);

// The about box's single Ok button: centred, three line heights above the bottom.
AnswerButtonSet AboutAnswerButtons(int clientWidth, int clientHeight, int lineHeight,
                                   int dpi = kDefaultDpi);

// Index of the button that gets the first focus: the second or third when the default-button
// bits ask for it and the box has that button, else the first.
int DefaultButtonIndex(std::uint32_t flags, int buttonCount);

// What a key pressed on an answer button does.
struct ButtonKeyOutcome {
    int current = 0;         // the answer button that has or gets the focus afterwards
    bool moveFocus = false;  // give the focus to `current`
    int press = -1;          // the answer button pressed, or -1
};

// Tab and Right move to the next button, Left to the previous (both wrapping); Return presses
// the current button; any other key presses the first button whose mnemonic letter it is
// (letters compare in upper case; a button without one matches no key).
ButtonKeyOutcome ButtonKeyMove(unsigned virtualKey, int current, int buttonCount,
                               const char* mnemonics);

// The about box's link line: below the text with one empty line between, centred across the
// box's width. `boxWidth` is the measured width of the box; `linkWidth` and `linkHeight` the
// caption's size in the link font.
struct LinkRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The y of the about box's first text line: below the icon (32 pixels at 96 DPI).
int AboutTextTop(int lineHeight, int dpi = kDefaultDpi);

LinkRect AboutLinkRect(int boxWidth, const BoxText& text, int linkWidth, int linkHeight);
