// Window: the framework's window procedure, its dispatch, and the helpers for any window.
#include "ui/window.h"

#include "ui/center_window.h"
#include "ui/reflected_control.h"

namespace {

Window* ObjectOf(HWND hwnd) {
    return reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

}  // namespace

LRESULT CALLBACK Window::StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* object = static_cast<Window*>(create->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
        if (object != nullptr) {
            object->hwnd = hwnd;
        }
    }
    Window* object = ObjectOf(hwnd);
    if (object == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return object->WindowProc(message, wParam, lParam);
}

int Window::CreateHandle(const char* className, HWND parent, int id, const char* title, int x,
                         int y, int width, int height) {
    if (hwnd != nullptr) {
        return 1;
    }
    HMENU menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    HWND created = CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent,
                                   menu, GetModuleHandleA(nullptr), this);
    hwnd = created;
    return hwnd != nullptr ? 1 : 0;
}

int Window::Destroy() {
    if (!DestroyWindow(hwnd)) {
        return 0;
    }
    hwnd = nullptr;
    return 1;
}

int Window::RegisterClassOnce(const char* className, bool& registered, bool callHook) {
    if (registered) {
        return 0;
    }
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = StaticWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = sizeof(LONG_PTR);
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = nullptr;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = nullptr;  // every window paints its whole client area
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = className;
    if (callHook) {
        PreRegisterClass(windowClass);
    }
    if (RegisterClassA(&windowClass) == 0) {
        return 0;
    }
    registered = true;
    return 1;
}

LRESULT Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate() ? 0 : -1;
        case WM_DESTROY:
            OnDestroy();
            Cleanup();
            AfterDestroy();
            return 0;
        case WM_SIZE:
            OnSize(wParam, lParam);
            return 0;
        case WM_SETFOCUS:
            OnSetFocus();
            return 0;
        case WM_KILLFOCUS:
            OnKillFocus();
            return 0;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_QUERYENDSESSION:
            return OnQueryEndSession();
        case WM_SYSCOLORCHANGE:
            OnSysColorChange();
            return 0;
        case WM_ENDSESSION:
            OnEndSession(wParam, lParam);
            if (wParam != 0) {
                Cleanup();
            }
            return 0;
        case WM_DRAWITEM:
            OnDrawItem(wParam, lParam);
            return 1;
        case WM_VKEYTOITEM:
            return OnVKeyToItem(wParam);
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            auto* control = header != nullptr
                                ? reinterpret_cast<ReflectedControl*>(
                                      GetWindowLongPtrA(header->hwndFrom, GWLP_USERDATA))
                                : nullptr;
            if (control != nullptr) {
                return control->OnNotify(header);
            }
            OnNotify(wParam, lParam);
            return 0;
        }
        case WM_CONTEXTMENU:
            OnContextMenu(wParam, lParam);
            return 0;
        case WM_KEYDOWN:
            OnKeyDown(wParam, lParam);
            return 0;
        case WM_KEYUP:
            OnKeyUp(wParam, lParam);
            return 0;
        case WM_CHAR:
            OnChar(wParam, lParam);
            return 0;
        case WM_SYSKEYDOWN:
            OnSysKeyDown(wParam, lParam);
            return 0;
        case WM_SYSKEYUP:
            OnSysKeyUp(wParam, lParam);
            return 0;
        case WM_COMMAND:
            OnCommand(wParam, lParam);
            return 0;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_VSCROLL:
            OnVScroll(wParam, lParam);
            return 0;
        case WM_INITMENU:
            OnInitMenu();
            return 0;
        case WM_MENUSELECT:
            OnMenuSelect(wParam, lParam);
            return 0;
        case WM_CTLCOLORLISTBOX:
            return reinterpret_cast<LRESULT>(OnCtlColorListBox(wParam, lParam));
        case WM_MOUSEMOVE:
            OnMouseMove(wParam, lParam);
            return 0;
        case WM_LBUTTONDOWN:
            OnLButtonDown(wParam, lParam);
            return 0;
        case WM_LBUTTONUP:
            OnLButtonUp(wParam, lParam);
            return 0;
        case WM_LBUTTONDBLCLK:
            OnLButtonDblClk(wParam, lParam);
            return 0;
        case WM_RBUTTONDOWN:
            OnRButtonDown(wParam, lParam);
            return 0;
        case WM_RBUTTONUP:
            OnRButtonUp(wParam, lParam);
            return 0;
        case WM_MOUSEWHEEL:
            OnMouseWheel(wParam, lParam);
            return 0;
        case WM_DROPFILES:
            OnDropFiles(wParam);
            return 0;
        default:
            if (OnMessage(message, wParam, lParam)) {
                return 0;
            }
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

int Window::Create(std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t,
                   std::uint32_t, std::uint32_t) {
    MessageBoxA(nullptr, "Missing Create", "App Error", MB_ICONWARNING);
    return 0;
}

void Window::PreRegisterClass(WNDCLASSA&) {}
void Window::ReservedHook(std::uint32_t) {}
void Window::AfterDestroy() {}
int Window::OnMessage(UINT, WPARAM, LPARAM) {
    return 0;
}
int Window::Cleanup() {
    return 0;
}

void Window::OnChar(WPARAM, LPARAM) {}
void Window::OnClose() {
    Destroy();
}
void Window::OnCommand(WPARAM, LPARAM) {}
void Window::OnContextMenu(WPARAM, LPARAM) {}
int Window::OnCreate() {
    return 0;
}
HBRUSH Window::OnCtlColorListBox(WPARAM, LPARAM) {
    return nullptr;
}
void Window::OnDestroy() {}
void Window::OnDrawItem(WPARAM, LPARAM) {}
void Window::OnDropFiles(WPARAM) {}
void Window::OnEndSession(WPARAM, LPARAM) {}
void Window::OnInitMenu() {}
void Window::OnKeyDown(WPARAM, LPARAM) {}
void Window::OnKeyUp(WPARAM, LPARAM) {}
void Window::OnKillFocus() {}
void Window::OnLButtonDblClk(WPARAM, LPARAM) {}
void Window::OnLButtonDown(WPARAM, LPARAM) {}
void Window::OnLButtonUp(WPARAM, LPARAM) {}
int Window::OnMenuSelect(WPARAM, LPARAM) {
    return 0;
}
void Window::OnMouseMove(WPARAM, LPARAM) {}
void Window::OnMouseWheel(WPARAM, LPARAM) {}
void Window::OnNotify(WPARAM, LPARAM) {}
void Window::OnPaint() {
    PAINTSTRUCT paint;
    BeginPaint(hwnd, &paint);
    EndPaint(hwnd, &paint);
}
int Window::OnQueryEndSession() {
    return 1;
}
void Window::OnRButtonDown(WPARAM, LPARAM) {}
void Window::OnRButtonUp(WPARAM, LPARAM) {}
void Window::OnSetFocus() {}
void Window::OnSize(WPARAM, LPARAM) {}
void Window::OnSysColorChange() {}
void Window::OnSysKeyDown(WPARAM, LPARAM) {}
void Window::OnSysKeyUp(WPARAM, LPARAM) {}
void Window::OnTimer(WPARAM) {}
int Window::OnVKeyToItem(WPARAM) {
    return -1;
}
void Window::OnVScroll(WPARAM, LPARAM) {}

WNDPROC SubclassWindow(HWND window, WNDPROC procedure) {
    if (window == nullptr || procedure == nullptr || !IsWindow(window)) {
        return nullptr;
    }
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

void CenterWindow(HWND window) {
    ScreenRect reference;
    RECT rect;
    HWND owner = GetWindow(window, GW_OWNER);
    if (owner != nullptr && GetWindowRect(owner, &rect)) {
        reference = {rect.left, rect.top, rect.right, rect.bottom};
    } else {
        reference = {0, 0, GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN)};
    }
    if (!GetWindowRect(window, &rect)) {
        return;
    }
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    ScreenPoint at = CenteredPosition(reference, width, height);
    MoveWindow(window, at.x, at.y, width, height, FALSE);
}
