// ViewerScroll: where a scroll request takes the file viewer's top line, and how lines map
// onto scroll-bar positions when there are more lines than a position can count.
#pragma once

#include <cstdint>

// The scroll requests, with their system values, and the viewer's own two wheel requests.
namespace scroll_request {
constexpr unsigned kLineUp = 0;
constexpr unsigned kLineDown = 1;
constexpr unsigned kPageUp = 2;
constexpr unsigned kPageDown = 3;
constexpr unsigned kThumbPosition = 4;
constexpr unsigned kThumbTrack = 5;
constexpr unsigned kTop = 6;
constexpr unsigned kBottom = 7;
constexpr unsigned kEndScroll = 8;
constexpr unsigned kWheelDown = 0x465;
constexpr unsigned kWheelUp = 0x466;
}  // namespace scroll_request

// Lines one wheel message moves, whatever its distance.
constexpr int kWheelStep = 16;

struct ScrollView {
    std::uint64_t topLine = 0;
    std::uint64_t lineCount = 0;
    int linesPerPage = 0;
};

// The top line after `request`: a line or a page up or down, the wheel's 16 lines, the
// first line, the last line (brought to the top), or `trackLine` for the thumb being
// dragged; any other request keeps the top line. The result lies from 0 to lineCount - 1
// (0 without lines). Computed in 64 bits: no count overflows.
std::uint64_t ScrollTarget(unsigned request, const ScrollView& view, std::uint64_t trackLine);

// Scroll-bar positions for `lineCount` lines. Up to kMaxScrollPosition + 1 lines each line
// has its own position, the range ends at the last line (at least 1) and the page is the
// lines per page; beyond that the range is 0 to kMaxScrollPosition and positions map to lines
// in proportion (the keys still reach every line).
class ScrollBarScale {
public:
    static constexpr std::int32_t kMaxScrollPosition = 1 << 30;

    explicit ScrollBarScale(std::uint64_t lineCount);

    std::int32_t Maximum() const { return maximum_; }
    std::int32_t PositionOf(std::uint64_t line) const;
    std::uint64_t LineAt(std::int32_t position) const;
    // The page in positions for `linesPerPage` lines: at least 1 when lines are shown.
    std::uint32_t PageOf(int linesPerPage) const;

private:
    std::uint64_t lastLine_ = 0;
    std::int32_t maximum_ = 1;
    bool scaled_ = false;
};
