// CenteredPosition: the arithmetic of CenterWindow.
#include "ui/center_window.h"

#include <algorithm>

namespace {

int CenteredStart(int referenceStart, int referenceEnd, int extent) {
    int start = (referenceEnd - referenceStart + 1) / 2 - extent / 2 + referenceStart;
    start = std::min(start, referenceEnd - extent);
    return start > 0 ? start : 0;
}

}  // namespace

ScreenPoint CenteredPosition(const ScreenRect& reference, int width, int height) {
    ScreenPoint point;
    point.x = CenteredStart(reference.left, reference.right, width);
    point.y = CenteredStart(reference.top, reference.bottom, height);
    return point;
}
