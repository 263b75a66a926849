// ProgressWindow: the small window that follows a print job: the file, "File k of n" when
// there are several, "Page N", and a Cancel button that has the focus.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/window.h"

class ProgressWindow : public Window {
public:
    static constexpr char kClassName[] = "PRINTPROGRESSCLS";
    // Ids of its controls.
    static constexpr int kFileId = 101;
    static constexpr int kCountId = 102;
    static constexpr int kPageId = 103;
    static constexpr int kCancelId = IDCANCEL;

    ProgressWindow();
    ~ProgressWindow() override;

    // Creates the window owned by `owner`, centred on it, shows it and gives Cancel the
    // focus. 1 when it is shown.
    // The texts are those of SetProgress.
    int Show(HWND owner, const char* path, int file, int files, std::int64_t page);
    // The texts shown; only those that changed are set again. `files` below 2 shows no count.
    void SetProgress(const char* path, int file, int files, std::int64_t page);
    // The Cancel button, Enter, Esc or the close box was used.
    bool Cancelled() const { return cancelled_; }
    void Close();

    // Looks at a message taken from the queue before it is dispatched: Enter and Esc on the
    // window or its button cancel. True when the message was used up.
    bool TakeKey(const MSG& message);

    int RegisterWindowClass() override;
    void PreRegisterClass(WNDCLASSA& windowClass) override;
    int OnCreate() override;
    void OnClose() override;
    void OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    void SetControlText(int id, const char* text);

    HFONT font_ = nullptr;
    int dpi_ = 96;  // the owner's resolution: the pixel measures below are given at 96
    bool cancelled_ = false;
    int file_ = -1;
    int files_ = -1;
    std::int64_t page_ = -1;
    char path_[300] = {};
    static bool registered_;
};
