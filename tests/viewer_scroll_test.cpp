// The file viewer's scroll arithmetic: each request's top line, and the scroll bar's scale
// for line counts beyond what its positions can count.
#include "ui/viewer_scroll.h"

#include <gtest/gtest.h>

namespace {

ScrollView View(std::uint64_t top, std::uint64_t count, int page) {
    ScrollView view;
    view.topLine = top;
    view.lineCount = count;
    view.linesPerPage = page;
    return view;
}

}  // namespace

TEST(ViewerScrollTarget, EachRequest) {
    using namespace scroll_request;
    struct Case {
        const char* what;
        unsigned request;
        ScrollView view;
        std::uint64_t track;
        std::uint64_t top;
    };
    const std::uint64_t kHuge = 0xFFFFFFFEull;  // the most lines a file under 4 GiB has
    const Case cases[] = {
        {"line down", kLineDown, View(5, 100, 20), 0, 6},
        {"line up at the top stays", kLineUp, View(0, 100, 20), 0, 0},
        {"page down", kPageDown, View(5, 100, 20), 0, 25},
        {"page down near the end stops at the last line", kPageDown, View(90, 100, 20), 0, 99},
        {"page up stops at the first", kPageUp, View(5, 100, 20), 0, 0},
        {"End brings the last line to the top", kBottom, View(0, 100, 20), 0, 99},
        {"Home", kTop, View(50, 100, 20), 0, 0},
        {"the wheel down moves 16", kWheelDown, View(0, 100, 20), 0, 16},
        {"the wheel up moves 16", kWheelUp, View(40, 100, 20), 0, 24},
        {"thumb track", kThumbTrack, View(0, 100, 20), 42, 42},
        {"thumb track beyond the end", kThumbTrack, View(0, 100, 20), 1000, 99},
        {"thumb position keeps the top", kThumbPosition, View(7, 100, 20), 42, 7},
        {"end scroll keeps the top", kEndScroll, View(7, 100, 20), 0, 7},
        {"no lines", kBottom, View(0, 0, 20), 0, 0},
        {"a page of no lines", kPageDown, View(3, 100, 0), 0, 3},
        {"End on the most lines", kBottom, View(0, kHuge, 30), 0, kHuge - 1},
        {"page down at the end of the most lines", kPageDown, View(kHuge - 2, kHuge, 30), 0,
         kHuge - 1},
        {"wheel up from the end of the most lines", kWheelUp, View(kHuge - 1, kHuge, 30), 0,
         kHuge - 17},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScrollTarget(c.request, c.view, c.track), c.top) << c.what;
    }
}

TEST(ViewerScrollBarScale, OnePositionPerLineWhileTheyFit) {
    ScrollBarScale small(100);
    EXPECT_EQ(small.Maximum(), 99);
    EXPECT_EQ(small.PositionOf(42), 42);
    EXPECT_EQ(small.LineAt(42), 42u);
    EXPECT_EQ(small.LineAt(500), 99u);
    EXPECT_EQ(small.LineAt(-3), 0u);
    EXPECT_EQ(small.PageOf(20), 20u);
    EXPECT_EQ(ScrollBarScale(1).Maximum(), 1) << "the range is at least 1";
    EXPECT_EQ(ScrollBarScale(0).Maximum(), 1);
    std::uint64_t edge = static_cast<std::uint64_t>(ScrollBarScale::kMaxScrollPosition) + 1;
    EXPECT_EQ(ScrollBarScale(edge).Maximum(), ScrollBarScale::kMaxScrollPosition);
    EXPECT_EQ(ScrollBarScale(edge).PositionOf(edge - 1), ScrollBarScale::kMaxScrollPosition);
}

TEST(ViewerScrollBarScale, ProportionalBeyondThePositionsRange) {
    const std::uint64_t count = 0xFFFFFFFEull;
    const std::uint64_t last = count - 1;
    ScrollBarScale scale(count);
    const std::int32_t max = ScrollBarScale::kMaxScrollPosition;
    EXPECT_EQ(scale.Maximum(), max);
    EXPECT_EQ(scale.PositionOf(0), 0);
    EXPECT_EQ(scale.PositionOf(last), max);
    EXPECT_NEAR(scale.PositionOf(last / 2), max / 2, 1);
    EXPECT_EQ(scale.LineAt(0), 0u);
    EXPECT_EQ(scale.LineAt(max), last) << "the thumb at the bottom shows the last line";
    EXPECT_EQ(scale.LineAt(max / 2), last / 2);
    // Each position stands for about four lines: a line maps back to within one position.
    const std::uint64_t lines[] = {1, 12345678, last - 5, last};
    for (std::uint64_t line : lines) {
        std::uint64_t back = scale.LineAt(scale.PositionOf(line));
        EXPECT_LE(back, line);
        EXPECT_LT(line - back, 5u) << "line " << line;
    }
    EXPECT_EQ(scale.PageOf(30), 7u);
    EXPECT_EQ(scale.PageOf(1), 1u) << "a page is never 0 positions";
    EXPECT_EQ(scale.PageOf(0), 0u);
}
