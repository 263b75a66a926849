// ReflectedControl: a child control object that stores its address in its control's user
// data, so that a framework window hands the control's WM_NOTIFY back to it.
#pragma once

#include <windows.h>

class ReflectedControl {
public:
    virtual ~ReflectedControl() = default;
    // The answer to a WM_NOTIFY that the control sent its parent.
    virtual LRESULT OnNotify(NMHDR* header) = 0;
};
