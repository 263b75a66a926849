// The window framework on real Win32 windows: binding, dispatch and its answers, creation
// and destruction, class registration, subclassing and centring.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/reflected_control.h"
#include "ui/window.h"

namespace {

constexpr char kClassName[] = "QUILLMARTESTWINDOW";

// Records what the framework calls; lets creation and the menu-select answer be chosen.
class ProbeWindow : public Window {
public:
    explicit ProbeWindow(bool acceptCreate = true) : acceptCreate_(acceptCreate) {
        style = WS_OVERLAPPEDWINDOW;
        RegisterWindowClass();
    }

    int RegisterWindowClass() override { return RegisterClassOnce(kClassName, registered, true); }
    void PreRegisterClass(WNDCLASSA&) override { ++hookCalls; }

    int OnCreate() override {
        calls.push_back("create");
        return acceptCreate_ ? 1 : 0;
    }
    int OnMessage(UINT message, WPARAM, LPARAM) override {
        if (messages.empty()) {
            firstMessage = message;
        }
        messages.push_back(message);
        return 0;
    }
    void OnDestroy() override { calls.push_back("destroy"); }
    int Cleanup() override {
        calls.push_back("cleanup");
        return 0;
    }
    void AfterDestroy() override { calls.push_back("after"); }
    void OnEndSession(WPARAM, LPARAM) override { calls.push_back("endsession"); }
    int OnMenuSelect(WPARAM, LPARAM) override { return 5; }
    void OnNotify(WPARAM, LPARAM) override { calls.push_back("notify"); }

    static inline bool registered = false;
    static inline int hookCalls = 0;
    std::vector<std::string> calls;
    std::vector<UINT> messages;
    UINT firstMessage = 0;

private:
    bool acceptCreate_;
};

class AnsweringControl : public ReflectedControl {
public:
    LRESULT OnNotify(NMHDR*) override { return 42; }
};

HWND CreateProbe(ProbeWindow& window) {
    window.CreateHandle(kClassName, nullptr, 0, "probe", 10, 20, 300, 200);
    return window.hwnd;
}

}  // namespace

TEST(Window, TheClassIsRegisteredOncePerProcess) {
    ProbeWindow first;
    ProbeWindow second;
    EXPECT_TRUE(ProbeWindow::registered);
    EXPECT_EQ(ProbeWindow::hookCalls, 1) << "the hook runs for the registration that happens";
    EXPECT_EQ(second.RegisterWindowClass(), 0);
    WNDCLASSA windowClass;
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), kClassName, &windowClass));
    EXPECT_EQ(windowClass.lpfnWndProc, &Window::StaticWindowProc);
    EXPECT_EQ(windowClass.cbWndExtra, static_cast<int>(sizeof(void*)))
        << "the extra bytes hold a pointer";
}

namespace {
constexpr char kTakenName[] = "QUILLMARTAKENCLASS";

class LateWindow : public Window {
public:
    int RegisterWindowClass() override { return RegisterClassOnce(kTakenName, registered, false); }
    static inline bool registered = false;
};
}  // namespace

TEST(Window, AFailedRegistrationLeavesTheClassToRegisterLater) {
    WNDCLASSA other = {};
    other.lpfnWndProc = DefWindowProcA;
    other.hInstance = GetModuleHandleA(nullptr);
    other.lpszClassName = kTakenName;
    ASSERT_NE(RegisterClassA(&other), 0);
    LateWindow window;
    EXPECT_EQ(window.RegisterWindowClass(), 0) << "the name is taken";
    EXPECT_FALSE(LateWindow::registered);
    ASSERT_TRUE(UnregisterClassA(kTakenName, GetModuleHandleA(nullptr)));
    EXPECT_EQ(window.RegisterWindowClass(), 1);
    EXPECT_TRUE(LateWindow::registered);
    WNDCLASSA registered;
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), kTakenName, &registered));
    EXPECT_EQ(registered.lpfnWndProc, &Window::StaticWindowProc);
}

TEST(Window, CreationBindsTheObjectAndDestructionUnbindsIt) {
    ProbeWindow window;
    HWND hwnd = CreateProbe(window);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&window));
    EXPECT_EQ(window.firstMessage, static_cast<UINT>(WM_NCCREATE))
        << "messages before WM_NCCREATE, such as WM_GETMINMAXINFO, go to DefWindowProcA";
    EXPECT_EQ(window.calls, std::vector<std::string>{"create"});

    EXPECT_EQ(window.CreateHandle(kClassName, nullptr, 0, "again", 0, 0, 10, 10), 1);
    EXPECT_EQ(window.hwnd, hwnd) << "an object with a window creates no second one";

    EXPECT_EQ(window.Destroy(), 1);
    EXPECT_EQ(window.hwnd, nullptr);
    EXPECT_FALSE(IsWindow(hwnd));
    std::vector<std::string> expected = {"create", "destroy", "cleanup", "after"};
    EXPECT_EQ(window.calls, expected);
    EXPECT_EQ(window.Destroy(), 0) << "nothing left to destroy";

    EXPECT_NE(CreateProbe(window), nullptr) << "the object makes its next window";
    window.Destroy();
}

TEST(Window, ARefusedCreationLeavesNoWindow) {
    ProbeWindow window(false);
    EXPECT_EQ(window.CreateHandle(kClassName, nullptr, 0, "refused", 0, 0, 100, 100), 0);
    EXPECT_EQ(window.hwnd, nullptr);
}

TEST(Window, DispatchAnswers) {
    ProbeWindow window;
    HWND hwnd = CreateProbe(window);
    ASSERT_NE(hwnd, nullptr);

    DRAWITEMSTRUCT item = {};
    EXPECT_EQ(SendMessageA(hwnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item)), 1);
    EXPECT_EQ(SendMessageA(hwnd, WM_MENUSELECT, 0, 0), 0) << "the handler's 5 is not returned";
    EXPECT_EQ(SendMessageA(hwnd, WM_VKEYTOITEM, 0, 0), -1);
    EXPECT_EQ(SendMessageA(hwnd, WM_QUERYENDSESSION, 0, 0), 1);

    window.calls.clear();
    SendMessageA(hwnd, WM_ENDSESSION, 0, 0);
    EXPECT_EQ(window.calls, std::vector<std::string>{"endsession"});
    SendMessageA(hwnd, WM_ENDSESSION, 1, 0);
    std::vector<std::string> expected = {"endsession", "endsession", "cleanup"};
    EXPECT_EQ(window.calls, expected);

    // A handled message never reaches OnMessage; an unhandled one does, then DefWindowProcA.
    window.messages.clear();
    SendMessageA(hwnd, WM_SIZE, 0, 0);
    SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("new title"));
    EXPECT_EQ(window.messages, std::vector<UINT>{WM_SETTEXT});
    char title[32] = {};
    GetWindowTextA(hwnd, title, sizeof title);
    EXPECT_STREQ(title, "new title");

    // Full-width parameters reach the handlers.
    struct WideProbe : ProbeWindow {
        void OnKeyDown(WPARAM wParam, LPARAM lParam) override {
            seenW = wParam;
            seenL = lParam;
        }
        WPARAM seenW = 0;
        LPARAM seenL = 0;
    } wide;
    HWND wideWindow = CreateProbe(wide);
    ASSERT_NE(wideWindow, nullptr);
    const WPARAM bigW = static_cast<WPARAM>(0x123456789ULL);
    const LPARAM bigL = static_cast<LPARAM>(-0x123456789LL);
    SendMessageA(wideWindow, WM_KEYDOWN, bigW, bigL);
    EXPECT_EQ(wide.seenW, bigW);
    EXPECT_EQ(wide.seenL, bigL);
    wide.Destroy();
    window.Destroy();
}

TEST(Window, NotificationsOfAControlObjectAreReflectedToIt) {
    ProbeWindow window;
    HWND hwnd = CreateProbe(window);
    ASSERT_NE(hwnd, nullptr);
    HWND withObject = CreateWindowExA(0, "BUTTON", "a", WS_CHILD, 0, 0, 10, 10, hwnd, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
    HWND plain = CreateWindowExA(0, "BUTTON", "b", WS_CHILD, 0, 0, 10, 10, hwnd, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    AnsweringControl control;
    SetWindowLongPtrA(withObject, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(static_cast<ReflectedControl*>(&control)));

    window.calls.clear();
    NMHDR header = {withObject, 0, 0};
    EXPECT_EQ(SendMessageA(hwnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header)), 42);
    EXPECT_TRUE(window.calls.empty()) << "the parent's own OnNotify is not called";
    header.hwndFrom = plain;
    EXPECT_EQ(SendMessageA(hwnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header)), 0);
    EXPECT_EQ(window.calls, std::vector<std::string>{"notify"});
    window.Destroy();
}

namespace {
LRESULT CALLBACK SwallowingProc(HWND, UINT, WPARAM, LPARAM) {
    return 7;
}
}  // namespace

TEST(Window, SubclassWindowReplacesTheProcedure) {
    ProbeWindow window;
    HWND hwnd = CreateProbe(window);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(SubclassWindow(nullptr, SwallowingProc), nullptr);
    EXPECT_EQ(SubclassWindow(hwnd, nullptr), nullptr);
    WNDPROC previous = SubclassWindow(hwnd, SwallowingProc);
    EXPECT_EQ(previous, &Window::StaticWindowProc);
    EXPECT_EQ(SendMessageA(hwnd, WM_USER, 0, 0), 7);
    EXPECT_EQ(SubclassWindow(hwnd, previous), &SwallowingProc);
    window.Destroy();
}

TEST(CenterWindow, CentresOnTheOwnerAndKeepsTheSize) {
    ProbeWindow owner;
    HWND ownerWindow = CreateProbe(owner);
    ASSERT_NE(ownerWindow, nullptr);
    MoveWindow(ownerWindow, 100, 100, 600, 400, FALSE);
    HWND box = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 201, 101, ownerWindow, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(box, nullptr);
    for (int time = 0; time < 3; ++time) {
        CenterWindow(box);
    }
    RECT rect;
    GetWindowRect(box, &rect);
    EXPECT_EQ(rect.right - rect.left, 201) << "centring does not grow the window";
    EXPECT_EQ(rect.bottom - rect.top, 101);
    EXPECT_EQ(rect.left, 601 / 2 - 100 + 100);
    EXPECT_EQ(rect.top, 401 / 2 - 50 + 100);
    DestroyWindow(box);
    owner.Destroy();
}
