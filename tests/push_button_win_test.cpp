// PushButton on real BUTTON controls: automatic ids, mnemonics, adopting a control, the
// object in the user data, reflection of WM_NOTIFY, clicks and subclassing.
#include "ui/push_button.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/box_script_win.h"
#include "ui/window.h"

namespace {

// A framework window that counts the notifications it receives itself and the clicks.
class ParentWindow : public Window {
public:
    ParentWindow() {
        style = WS_OVERLAPPEDWINDOW;
        RegisterWindowClass();
        CreateHandle("QUILLMARBUTTONPARENT", nullptr, 0, "parent", 0, 0, 300, 200);
    }
    ~ParentWindow() override {
        if (hwnd != nullptr) {
            Destroy();
        }
    }
    int RegisterWindowClass() override {
        return RegisterClassOnce("QUILLMARBUTTONPARENT", registered, false);
    }
    int OnCreate() override { return 1; }
    void OnNotify(WPARAM, LPARAM) override { ++ownNotifications; }
    void OnCommand(WPARAM wParam, LPARAM) override {
        if (HIWORD(wParam) == BN_CLICKED) {
            lastClicked = LOWORD(wParam);
        }
    }

    static inline bool registered = false;
    int ownNotifications = 0;
    int lastClicked = 0;
};

void RecordClick(void* object, int id) {
    *static_cast<int*>(object) = id;
}

}  // namespace

TEST(PushButton, AutomaticIdsCountUpForEveryCreation) {
    ParentWindow first;
    ParentWindow second;
    PushButton a;
    PushButton b;
    const int start = PushButton::nextAutomaticId;
    ASSERT_EQ(a.Create(first.hwnd, 0, "&Yes", 0, 0, 60, 30), 1);
    ASSERT_EQ(b.Create(second.hwnd, 0, "&No", 0, 0, 60, 30), 1);
    ASSERT_EQ(a.Create(first.hwnd, 0, "&Cancel", 0, 40, 60, 30), 1);
    EXPECT_EQ(a.id, start + 2) << "the same object again takes a fresh id";
    EXPECT_EQ(b.id, start + 1);
    EXPECT_EQ(GetDlgCtrlID(a.hwnd), start + 2);

    PushButton failing;
    EXPECT_EQ(failing.Create(nullptr, 0, "child without parent", 0, 0, 10, 10), 0);
    EXPECT_EQ(failing.hwnd, nullptr);
    EXPECT_EQ(PushButton::nextAutomaticId, start + 4) << "a failed creation used its id too";
}

TEST(PushButton, AutomaticIdsStayWithinWhatWmCommandCarries) {
    ParentWindow parent;
    PushButton button;
    const int saved = PushButton::nextAutomaticId;
    PushButton::nextAutomaticId = PushButton::kLastAutomaticId;
    button.Create(parent.hwnd, 0, "last", 0, 0, 60, 30);
    EXPECT_EQ(button.id, 0xFFFF);
    button.Create(parent.hwnd, 0, "wrapped", 0, 0, 60, 30);
    EXPECT_EQ(button.id, PushButton::kFirstAutomaticId);
    SendMessageA(button.hwnd, BM_CLICK, 0, 0);
    EXPECT_EQ(parent.lastClicked, PushButton::kFirstAutomaticId);
    PushButton::nextAutomaticId = saved;
}

TEST(PushButton, TheMnemonicIsTheLetterAfterTheFirstAmpersand) {
    ParentWindow parent;
    PushButton button;
    struct Case {
        const char* text;
        char mnemonic;
    };
    const Case cases[] = {{"&Yes", 'Y'}, {"&No", 'N'}, {"Ca&ncel", 'n'}, {"plain", 0},
                          {"end&", 0},   {"", 0},      {"&a&b", 'a'}};
    for (const Case& c : cases) {
        ASSERT_EQ(button.Create(parent.hwnd, 0, c.text, 0, 0, 60, 30), 1);
        EXPECT_EQ(button.mnemonic, c.mnemonic) << c.text;
    }
}

TEST(PushButton, AdoptsAControlThatHasTheIdAndStoresItself) {
    ParentWindow parent;
    HWND existing =
        CreateWindowExA(0, "BUTTON", "existing", WS_CHILD | WS_VISIBLE, 5, 6, 70, 20, parent.hwnd,
                        reinterpret_cast<HMENU>(1234), GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(existing, nullptr);
    PushButton button;
    const int start = PushButton::nextAutomaticId;
    ASSERT_EQ(button.Create(parent.hwnd, 1234, "&Other", 50, 50, 10, 10), 1);
    EXPECT_EQ(button.hwnd, existing);
    EXPECT_EQ(PushButton::nextAutomaticId, start) << "a given id takes none of the counter";
    char text[32] = {};
    GetWindowTextA(existing, text, sizeof text);
    EXPECT_STREQ(text, "existing") << "the text, place and size are not applied";
    RECT rect;
    GetWindowRect(existing, &rect);
    EXPECT_EQ(rect.right - rect.left, 70);
    EXPECT_EQ(button.mnemonic, 'O');
    EXPECT_EQ(GetWindowLongPtrA(existing, GWLP_USERDATA),
              reinterpret_cast<LONG_PTR>(static_cast<ReflectedControl*>(&button)));
    EXPECT_EQ(PushButton::FromControl(existing), &button);
}

TEST(PushButton, NotificationsAreAnsweredByTheButtonNotTheParent) {
    ParentWindow parent;
    PushButton button;
    ASSERT_EQ(button.Create(parent.hwnd, 0, "b", 0, 0, 60, 30), 1);
    NMHDR header = {button.hwnd, static_cast<UINT_PTR>(button.id), 0};
    EXPECT_EQ(SendMessageA(parent.hwnd, WM_NOTIFY, button.id, reinterpret_cast<LPARAM>(&header)),
              0);
    EXPECT_EQ(parent.ownNotifications, 0);
}

TEST(PushButton, OnCommandCallsTheClickHandler) {
    PushButton button;
    EXPECT_EQ(button.OnCommand(BN_CLICKED, 0), 0) << "no handler yet";
    int clicked = 0;
    button.id = 977;
    button.SetClickHandler(&clicked, RecordClick);
    EXPECT_EQ(button.OnCommand(BN_DOUBLECLICKED, 0), 0);
    EXPECT_EQ(clicked, 0);
    EXPECT_EQ(button.OnCommand(BN_CLICKED, 0), 1);
    EXPECT_EQ(clicked, 977);
}

TEST(PushButton, ASubclassedButtonStillWorks) {
    ParentWindow parent;
    PushButton button(1);
    ASSERT_EQ(button.Create(parent.hwnd, 0, "&Press", 0, 0, 60, 30), 1);
    EXPECT_EQ(GetWindowLongPtrA(button.hwnd, GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(&PushButton::StaticControlProc));
    ASSERT_NE(button.previousProc, nullptr);
    char text[32] = {};
    GetWindowTextA(button.hwnd, text, sizeof text);
    EXPECT_STREQ(text, "&Press") << "messages reach the BUTTON class";
    SendMessageA(button.hwnd, BM_CLICK, 0, 0);
    EXPECT_EQ(parent.lastClicked, button.id) << "and it still clicks";

    // Subclassed again, the control keeps its own procedure for the messages passed on.
    WNDPROC own = button.previousProc;
    button.Subclass(nullptr);
    EXPECT_EQ(button.previousProc, own);
    GetWindowTextA(button.hwnd, text, sizeof text);
    EXPECT_STREQ(text, "&Press");
}
