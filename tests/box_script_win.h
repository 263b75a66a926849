// BoxScript and TestOwner: a script of steps that a timer runs, one per tick, on the test's
// own thread while a message box waits, as a user would act on the box; and a plain window
// that owns the boxes and viewers of a test.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

class BoxScript {
public:
    using Step = std::function<void()>;

    // Starts the timer. When the steps are done and the box is still open after two more
    // seconds, the script closes it, so a wrong test fails instead of hanging.
    explicit BoxScript(std::vector<Step> steps);
    ~BoxScript();
    BoxScript(const BoxScript&) = delete;
    BoxScript& operator=(const BoxScript&) = delete;

    // True when every step ran.
    bool Done() const { return next_ >= steps_.size(); }

    // Posts a key press (WM_KEYDOWN, WM_KEYUP) to the focused window, as the keyboard would.
    static void PressKey(UINT virtualKey);
    // The box of class CMSGCLASS shown by this process, or null.
    static HWND FindBox();

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    static BoxScript* current_;
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    int ticksAfter_ = 0;
    UINT_PTR timer_ = 0;
};

// A visible top-level window of its own class that counts the WM_USER messages it receives.
class TestOwner {
public:
    TestOwner();
    ~TestOwner();
    TestOwner(const TestOwner&) = delete;
    TestOwner& operator=(const TestOwner&) = delete;

    HWND hwnd = nullptr;
    static int userMessages;
};

// Runs the thread's messages until `done` holds or `timeoutMs` passes; true when it held.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
