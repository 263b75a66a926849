// Where CenterWindow puts a window: centred, kept inside the reference's right and bottom
// edges, never before the screen's origin, and at its own size.
#include <gtest/gtest.h>

#include "ui/center_window.h"

namespace {

struct Case {
    const char* what;
    ScreenRect reference;
    int width;
    int height;
    int x;
    int y;
};

}  // namespace

TEST(CenteredPosition, Table) {
    const Case cases[] = {
        {"full screen", {0, 0, 1280, 1024}, 400, 300, 440, 362},
        {"odd sizes halve toward zero", {0, 0, 801, 601}, 201, 101, 301, 251},
        {"on an owner away from the origin", {300, 200, 700, 500}, 200, 100, 400, 300},
        {"taller than the owner: bottom edges meet", {100, 300, 400, 500}, 100, 300, 200, 200},
        {"wider than the owner: right edges meet", {300, 100, 500, 400}, 300, 100, 200, 200},
        {"larger than the owner near the origin: 0", {0, 0, 100, 100}, 300, 300, 0, 0},
        {"owner off the screen's top-left: 0", {-600, -400, -100, -100}, 200, 100, 0, 0},
        {"fits exactly", {0, 0, 640, 480}, 640, 480, 0, 0},
    };
    for (const Case& c : cases) {
        ScreenPoint at = CenteredPosition(c.reference, c.width, c.height);
        EXPECT_EQ(at.x, c.x) << c.what;
        EXPECT_EQ(at.y, c.y) << c.what;
    }
}
