// ProgressWindow: creating, filling and answering the print job's progress window.
#include "ui/progress_window.h"

#include <cstdio>
#include <cstring>

#include "ui/center_window.h"
#include "ui/dpi_scale.h"
#include "ui/wide_text.h"
#include "ui/window_dpi.h"

bool ProgressWindow::registered_ = false;

namespace {

// At 96 DPI; scaled to the owner's resolution.
constexpr int kWidth = 360;
constexpr int kMargin = 12;
constexpr int kRowHeight = 20;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 26;

}  // namespace

ProgressWindow::ProgressWindow() {
    RegisterWindowClass();
}

ProgressWindow::~ProgressWindow() {
    Close();
}

int ProgressWindow::RegisterWindowClass() {
    return RegisterClassOnce(kClassName, registered_, true);
}

void ProgressWindow::PreRegisterClass(WNDCLASSA& windowClass) {
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
}

int ProgressWindow::Show(HWND owner, const char* path, int file, int files, std::int64_t page) {
    if (hwnd != nullptr) {
        return 1;
    }
    cancelled_ = false;
    file_ = -1;
    files_ = -1;
    page_ = -1;
    path_[0] = '\0';
    style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    exStyle = WS_EX_DLGMODALFRAME;
    dpi_ = WindowDpi(owner);
    RECT frame = {0, 0, ScaleToDpi(kWidth, dpi_),
                  ScaleToDpi(3 * kRowHeight + kButtonHeight + 3 * kMargin, dpi_)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    if (!CreateHandle(kClassName, owner, 0, "Printing", 0, 0, frame.right - frame.left,
                      frame.bottom - frame.top)) {
        return 0;
    }
    CenterWindow(hwnd);
    // The texts are in place before anyone can see the window, or ask it for them.
    SetProgress(path, file, files, page);
    ShowWindow(hwnd, SW_SHOW);
    SetFocus(GetDlgItem(hwnd, kCancelId));
    return 1;
}

int ProgressWindow::OnCreate() {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        // The system's metrics are for its own resolution.
        metrics.lfMessageFont.lfHeight =
            RescaleHeight(metrics.lfMessageFont.lfHeight, SystemDpi(), dpi_);
        font_ = CreateFontIndirectW(&metrics.lfMessageFont);
    }
    HINSTANCE instance = GetModuleHandleA(nullptr);
    auto at = [this](int pixels) { return ScaleToDpi(pixels, dpi_); };
    const int textWidth = at(kWidth - 2 * kMargin);
    const int ids[] = {kFileId, kCountId, kPageId};
    for (int row = 0; row < 3; ++row) {
        HWND text = CreateWindowExA(
            0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS,
            at(kMargin), at(kMargin + row * kRowHeight), textWidth, at(kRowHeight), hwnd,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids[row])), instance, nullptr);
        if (text == nullptr) {
            return 0;
        }
        SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    HWND button = CreateWindowExA(
        0, "BUTTON", "Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
        at((kWidth - kButtonWidth) / 2), at(2 * kMargin + 3 * kRowHeight), at(kButtonWidth),
        at(kButtonHeight), hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCancelId)), instance,
        nullptr);
    if (button == nullptr) {
        return 0;
    }
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return 1;
}

void ProgressWindow::SetControlText(int id, const char* text) {
    WideText shown(text);
    SetWindowTextW(GetDlgItem(hwnd, id), shown.Text());
}

void ProgressWindow::SetProgress(const char* path, int file, int files, std::int64_t page) {
    if (hwnd == nullptr) {
        return;
    }
    if (std::strncmp(path_, path, sizeof path_ - 1) != 0) {
        std::snprintf(path_, sizeof path_, "%s", path);
        SetControlText(kFileId, path_);
    }
    if (file != file_ || files != files_) {
        file_ = file;
        files_ = files;
        char count[48] = "";
        if (files > 1) {
            std::snprintf(count, sizeof count, "File %d of %d", file, files);
        }
        SetControlText(kCountId, count);
    }
    if (page != page_) {
        page_ = page;
        char number[40];
        std::snprintf(number, sizeof number, "Page %lld", static_cast<long long>(page));
        SetControlText(kPageId, number);
    }
}

bool ProgressWindow::TakeKey(const MSG& message) {
    if (hwnd == nullptr || message.message != WM_KEYDOWN ||
        (message.hwnd != hwnd && !IsChild(hwnd, message.hwnd))) {
        return false;
    }
    if (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE) {
        cancelled_ = true;
        return true;
    }
    return false;
}

void ProgressWindow::OnClose() {
    cancelled_ = true;  // the close box cancels; the window goes with the job
}

void ProgressWindow::OnCommand(WPARAM wParam, LPARAM) {
    if (LOWORD(wParam) == kCancelId) {
        cancelled_ = true;
    }
}

void ProgressWindow::OnDestroy() {
    if (font_ != nullptr) {
        DeleteObject(font_);
        font_ = nullptr;
    }
}

void ProgressWindow::Close() {
    if (hwnd != nullptr) {
        Destroy();
    }
}
