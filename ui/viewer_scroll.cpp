// ViewerScroll: the file viewer's scroll arithmetic.
#include "ui/viewer_scroll.h"

namespace {

std::int64_t Clamp(std::int64_t value, std::int64_t low, std::int64_t high) {
    return value < low ? low : (value > high ? high : value);
}

}  // namespace

std::uint64_t ScrollTarget(unsigned request, const ScrollView& view, std::uint64_t trackLine) {
    if (view.lineCount == 0) {
        return 0;
    }
    // Line counts stay below 2^33, so the signed 64-bit sums below cannot overflow.
    const std::int64_t top = static_cast<std::int64_t>(view.topLine);
    const std::int64_t page = view.linesPerPage;
    const std::int64_t last = static_cast<std::int64_t>(view.lineCount - 1);
    std::int64_t target = top;
    switch (request) {
        case scroll_request::kLineUp:
            target = top - 1;
            break;
        case scroll_request::kLineDown:
            target = top + 1;
            break;
        case scroll_request::kPageUp:
            target = top - page;
            break;
        case scroll_request::kPageDown:
            target = top + page;
            break;
        case scroll_request::kThumbTrack:
            target = trackLine >= view.lineCount ? last : static_cast<std::int64_t>(trackLine);
            break;
        case scroll_request::kTop:
            target = 0;
            break;
        case scroll_request::kBottom:
            target = last;
            break;
        case scroll_request::kWheelDown:
            target = top + kWheelStep;
            break;
        case scroll_request::kWheelUp:
            target = top - kWheelStep;
            break;
        default:
            break;
    }
    return static_cast<std::uint64_t>(Clamp(target, 0, last));
}

ScrollBarScale::ScrollBarScale(std::uint64_t lineCount) {
    lastLine_ = lineCount == 0 ? 0 : lineCount - 1;
    scaled_ = lastLine_ > static_cast<std::uint64_t>(kMaxScrollPosition);
    if (scaled_) {
        maximum_ = kMaxScrollPosition;
    } else {
        maximum_ = lastLine_ > 1 ? static_cast<std::int32_t>(lastLine_) : 1;
    }
}

std::int32_t ScrollBarScale::PositionOf(std::uint64_t line) const {
    if (line > lastLine_) {
        line = lastLine_;
    }
    if (!scaled_) {
        return static_cast<std::int32_t>(line);
    }
    // line < 2^32 and kMaxScrollPosition = 2^30: the product fits in 64 bits.
    return static_cast<std::int32_t>(line * static_cast<std::uint64_t>(kMaxScrollPosition) /
                                     lastLine_);
}

std::uint64_t ScrollBarScale::LineAt(std::int32_t position) const {
    if (position <= 0) {
        return 0;
    }
    std::uint64_t at = static_cast<std::uint64_t>(position);
    if (!scaled_) {
        return at > lastLine_ ? lastLine_ : at;
    }
    if (at >= static_cast<std::uint64_t>(kMaxScrollPosition)) {
        return lastLine_;
    }
    return at * lastLine_ / static_cast<std::uint64_t>(kMaxScrollPosition);
}

std::uint32_t ScrollBarScale::PageOf(int linesPerPage) const {
    if (linesPerPage <= 0) {
        return 0;
    }
    if (!scaled_) {
        return static_cast<std::uint32_t>(linesPerPage);
    }
    std::uint64_t page = static_cast<std::uint64_t>(linesPerPage) * kMaxScrollPosition / lastLine_;
    return page == 0 ? 1 : static_cast<std::uint32_t>(page);
}
