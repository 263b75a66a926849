// PushButton: creating or adopting the control, the automatic ids, and subclassing.
#include "ui/push_button.h"

#include <cstring>

#include "ui/window.h"

int PushButton::nextAutomaticId = PushButton::kFirstAutomaticId;

int PushButton::Create(HWND parent, int id, const char* text, int x, int y, int width, int height) {
    if (id == 0) {
        id = nextAutomaticId;
        nextAutomaticId =
            nextAutomaticId >= kLastAutomaticId ? kFirstAutomaticId : nextAutomaticId + 1;
    }
    this->id = id;
    const char* ampersand = text != nullptr ? std::strchr(text, '&') : nullptr;
    mnemonic = ampersand != nullptr ? ampersand[1] : 0;
    if (!AttachOrCreate("BUTTON", parent, text, x, y, width, height)) {
        return 0;
    }
    if (subclass_ != 0) {
        Subclass(nullptr);
    }
    return 1;
}

int PushButton::AttachOrCreate(const char* className, HWND parent, const char* text, int x, int y,
                               int width, int height) {
    HWND control = parent != nullptr ? GetDlgItem(parent, id) : nullptr;
    if (control == nullptr) {
        control = CreateWindowExA(
            exStyle, className, text != nullptr ? text : "", style, x, y, width, height, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    }
    if (control != hwnd) {
        previousProc = nullptr;  // a new control: nothing of it is subclassed yet
    }
    hwnd = control;
    if (hwnd == nullptr) {
        return 0;
    }
    // The framework reads a ReflectedControl* here; store exactly that address.
    SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(static_cast<ReflectedControl*>(this)));
    return 1;
}

void PushButton::Subclass(WNDPROC procedure) {
    WNDPROC installed = procedure != nullptr ? procedure : StaticControlProc;
    WNDPROC replaced = SubclassWindow(hwnd, installed);
    // The first procedure replaced is the control's own; a second subclassing keeps it.
    if (replaced != nullptr && replaced != installed && previousProc == nullptr) {
        previousProc = replaced;
    }
}

PushButton* PushButton::FromControl(HWND control) {
    // Only push buttons install StaticControlProc, so the user data is a push button's.
    auto* reflected =
        reinterpret_cast<ReflectedControl*>(GetWindowLongPtrA(control, GWLP_USERDATA));
    return static_cast<PushButton*>(reflected);
}

LRESULT CALLBACK PushButton::StaticControlProc(HWND hwnd, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    PushButton* button = FromControl(hwnd);
    if (button == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return button->WindowProc(message, wParam, lParam);
}

LRESULT PushButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (previousProc == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return CallWindowProcA(previousProc, hwnd, message, wParam, lParam);
}

int PushButton::OnCommand(int notification, LPARAM) {
    if (notification == BN_CLICKED && handler_ != nullptr) {
        handler_(handlerObject_, id);
        return 1;
    }
    return 0;
}

void PushButton::ReservedHook(int) {}

LRESULT PushButton::OnNotify(NMHDR*) {
    return 0;
}

void PushButton::SetClickHandler(void* object, ClickHandler handler) {
    handlerObject_ = object;
    handler_ = handler;
}
