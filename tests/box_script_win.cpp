// BoxScript and TestOwner: a timer-driven user for the message boxes of the tests.
#include "tests/box_script_win.h"

BoxScript* BoxScript::current_ = nullptr;
int TestOwner::userMessages = 0;

namespace {
constexpr UINT kTickMs = 30;
constexpr int kRescueTicks = 2000 / kTickMs;
}  // namespace

BoxScript::BoxScript(std::vector<Step> steps) : steps_(std::move(steps)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, kTickMs, Tick);
}

BoxScript::~BoxScript() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
}

void CALLBACK BoxScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
    BoxScript* script = current_;
    if (script == nullptr) {
        return;
    }
    if (script->next_ < script->steps_.size()) {
        // Moved past first: a step may run a nested wait that ticks again.
        Step step = script->steps_[script->next_++];
        step();
        return;
    }
    if (++script->ticksAfter_ == kRescueTicks) {
        HWND box = FindBox();
        if (box != nullptr) {
            PostMessageA(box, WM_CLOSE, 0, 0);
        }
    }
}

void BoxScript::PressKey(UINT virtualKey) {
    HWND target = GetFocus();
    if (target == nullptr) {
        return;
    }
    UINT scan = MapVirtualKeyA(virtualKey, 0);
    PostMessageA(target, WM_KEYDOWN, virtualKey, 1 | (static_cast<LPARAM>(scan) << 16));
    PostMessageA(target, WM_KEYUP, virtualKey, 1 | (static_cast<LPARAM>(scan) << 16) | (3LL << 30));
}

HWND BoxScript::FindBox() {
    HWND box = FindWindowA("CMSGCLASS", nullptr);
    DWORD process = 0;
    if (box != nullptr) {
        GetWindowThreadProcessId(box, &process);
    }
    return process == GetCurrentProcessId() ? box : nullptr;
}

namespace {

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER) {
        ++TestOwner::userMessages;
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

TestOwner::TestOwner() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = OwnerProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = "QUILLMARTESTOWNER";
        registered = RegisterClassA(&windowClass) != 0;
    }
    hwnd = CreateWindowExA(0, "QUILLMARTESTOWNER", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                           100, 700, 500, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    userMessages = 0;
}

TestOwner::~TestOwner() {
    if (hwnd != nullptr && IsWindow(hwnd)) {
        DestroyWindow(hwnd);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    }
    return true;
}
