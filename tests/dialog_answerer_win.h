// DialogAnswerer: answers a dialog box that the test's own thread is about to show, from a
// second thread, the way a user would.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

class DialogAnswerer {
public:
    // Waits up to `timeoutMs` for a dialog box of this process titled `title`, records the
    // texts of its controls, then calls `answer` with it (on the second thread; use
    // SendMessage or PostMessage to work the controls).
    DialogAnswerer(std::string title, std::function<void(HWND)> answer, DWORD timeoutMs = 10000);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // Waits for the second thread; true when the dialog was found and answered.
    bool Finish();

    // Texts of the dialog's controls, as "id:class:text".
    const std::vector<std::string>& Controls() const { return controls_; }
    // True when some control of the dialog shows exactly `text`.
    bool Shows(const std::string& text) const;

    // Presses a button of `dialog` by its id.
    static void Press(HWND dialog, int id);
    // Sets the text of a control of `dialog`.
    static void SetText(HWND dialog, int id, const char* text);

private:
    std::vector<std::string> controls_;
    std::atomic<bool> found_{false};
    std::thread thread_;
};
