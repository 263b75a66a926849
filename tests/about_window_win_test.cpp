// AboutWindow on real windows: the elliptic box without a title bar, its single Ok button,
// the link line placed once per showing, and a click on it handing the caption to the shell.
#include "ui/about_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/box_script_win.h"

namespace {

constexpr char kText[] = "Quillmar Ver 2.07\nPrints text files with margins";
constexpr char kLink[] = "https://quillmar.example.org/";

struct ShellCall {
    HWND owner;
    std::string target;
};
std::vector<ShellCall> shellCalls;

void RecordShell(HWND owner, const char* target) {
    shellCalls.push_back({owner, target});
}

// Replaces the shell for one test.
class ShellRecorder {
public:
    ShellRecorder() {
        shellCalls.clear();
        AboutWindow::shellOpen = RecordShell;
    }
    ~ShellRecorder() { AboutWindow::shellOpen = AboutWindow::OpenWithShell; }
};

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

int ShowAbout(AboutWindow& about, HWND owner, const char* caption,
              std::vector<BoxScript::Step> steps) {
    BoxScript script(std::move(steps));
    int answer = about.ShowModal(owner, kText, caption, 0, 104, RGB(0, 0, 0), RGB(192, 192, 192),
                                 RGB(128, 128, 128));
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(about.hwnd, nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner));
    return answer;
}

// Waits inside a step until the box has painted and placed its link.
BoxScript::Step Painted(AboutWindow& about) {
    return [&about] {
        if (about.hwnd != nullptr) {
            UpdateWindow(about.hwnd);
        }
    };
}

}  // namespace

TEST(AboutWindow, AClickOnTheLinkOpensItAndAnswersOk) {
    TestOwner owner;
    ShellRecorder shell;
    AboutWindow about;
    RECT linkWindow = {};
    int answer = ShowAbout(about, owner.hwnd, kLink,
                           {Painted(about), [&] {
                                GetWindowRect(about.link.hwnd, &linkWindow);
                                MapWindowPoints(nullptr, about.hwnd,
                                                reinterpret_cast<POINT*>(&linkWindow), 2);
                                PostMessageA(about.link.hwnd, BM_CLICK, 0, 0);
                            }});
    EXPECT_EQ(answer, IDOK);
    ASSERT_EQ(shellCalls.size(), 1u);
    EXPECT_EQ(shellCalls[0].target, kLink);
    EXPECT_EQ(shellCalls[0].owner, owner.hwnd);
    EXPECT_EQ(linkWindow.left, about.linkRect.left);
    EXPECT_EQ(linkWindow.top, about.linkRect.top);
    EXPECT_EQ(linkWindow.right, about.linkRect.right);
    EXPECT_EQ(linkWindow.bottom, about.linkRect.bottom);
}

TEST(AboutWindow, OkClosesWithoutTheShell) {
    TestOwner owner;
    ShellRecorder shell;
    AboutWindow about;
    std::string okText;
    EXPECT_EQ(ShowAbout(about, owner.hwnd, kLink,
                        {Painted(about),
                         [&] {
                             char text[16] = {};
                             GetWindowTextA(GetFocus(), text, sizeof text);
                             okText = text;
                         },
                         [] { BoxScript::PressKey(VK_RETURN); }}),
              IDOK);
    EXPECT_EQ(okText, "&Ok") << "the single Ok button has the focus";
    EXPECT_TRUE(shellCalls.empty());
}

TEST(AboutWindow, AnEllipseWithoutTitleBarAndTheLinkPlacedOncePerShowing) {
    TestOwner owner;
    ShellRecorder shell;
    AboutWindow about;
    LONG_PTR style = 0;
    int regionType = ERROR;
    bool cornerInside = true;
    bool middleInside = false;
    std::size_t childrenAfterRepaints = 0;
    int linkIdFirst = 0;
    RECT withLink = {};
    ShowAbout(about, owner.hwnd, kLink,
              {Painted(about),
               [&] {
                   style = GetWindowLongPtrA(about.hwnd, GWL_STYLE);
                   HRGN region = CreateRectRgn(0, 0, 0, 0);
                   regionType = GetWindowRgn(about.hwnd, region);
                   cornerInside = PtInRegion(region, 1, 1) != FALSE;
                   middleInside = PtInRegion(region, about.size.cx / 2, about.size.cy / 2) != FALSE;
                   DeleteObject(region);
                   linkIdFirst = about.link.id;
                   GetWindowRect(about.hwnd, &withLink);
                   for (int time = 0; time < 3; ++time) {
                       InvalidateRect(about.hwnd, nullptr, TRUE);
                       UpdateWindow(about.hwnd);
                   }
                   childrenAfterRepaints = Children(about.hwnd).size();
               },
               [] { BoxScript::PressKey(VK_RETURN); }});
    EXPECT_EQ(style & WS_CAPTION, 0) << "no title bar";
    EXPECT_NE(regionType, ERROR) << "the window has a region";
    EXPECT_FALSE(cornerInside) << "the corners are cut off";
    EXPECT_TRUE(middleInside);
    EXPECT_EQ(childrenAfterRepaints, 2u) << "Ok and one link, however often it paints";

    // The next showing places its link again, with a fresh id.
    int linkIdSecond = 0;
    ShowAbout(about, owner.hwnd, kLink,
              {Painted(about), [&] { linkIdSecond = about.link.id; },
               [] { BoxScript::PressKey(VK_RETURN); }});
    EXPECT_NE(linkIdSecond, linkIdFirst);
    EXPECT_NE(linkIdSecond, 0);

    // Without a caption there is no link, and the box is two line heights lower.
    std::size_t children = 0;
    RECT withoutLink = {};
    ShowAbout(about, owner.hwnd, "",
              {Painted(about),
               [&] {
                   children = Children(about.hwnd).size();
                   GetWindowRect(about.hwnd, &withoutLink);
               },
               [] { BoxScript::PressKey(VK_RETURN); }});
    EXPECT_EQ(children, 1u);
    EXPECT_EQ((withLink.bottom - withLink.top) - (withoutLink.bottom - withoutLink.top),
              2 * about.measures.lineHeight);
    EXPECT_TRUE(shellCalls.empty());
}
