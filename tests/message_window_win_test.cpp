// MessageWindow on real windows, answered with keys a timer posts while the box waits: each
// button set's answer, the focus moves, closing without an answer, WM_QUIT, the sleeping
// wait, the "Out of memory" text, and the box's measures.
#include "ui/message_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/box_script_win.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);

// What a step saw of the box.
struct Seen {
    bool ownerEnabled = true;
    int focusIndex = -1;
    std::vector<std::string> buttons;
    std::string title;
    RECT client = {};
    HWND box = nullptr;
};

int FocusIndex() {
    HWND focus = GetFocus();
    for (int i = 0; i < MessageWindow::buttonCount; ++i) {
        if (focus != nullptr && AnswerButtons[i].hwnd == focus) {
            return i;
        }
    }
    return -1;
}

BoxScript::Step Look(HWND owner, Seen* seen) {
    return [owner, seen] {
        seen->box = BoxScript::FindBox();
        seen->ownerEnabled = IsWindowEnabled(owner) != FALSE;
        seen->focusIndex = FocusIndex();
        seen->buttons.clear();
        for (int i = 0; i < MessageWindow::buttonCount; ++i) {
            char text[32] = {};
            GetWindowTextA(AnswerButtons[i].hwnd, text, sizeof text);
            seen->buttons.push_back(text);
        }
        char title[64] = {};
        GetWindowTextA(seen->box, title, sizeof title);
        seen->title = title;
        GetClientRect(seen->box, &seen->client);
    };
}

BoxScript::Step Key(UINT virtualKey) {
    return [virtualKey] { BoxScript::PressKey(virtualKey); };
}

BoxScript::Step RecordFocus(std::vector<int>* focus) {
    return [focus] { focus->push_back(FocusIndex()); };
}

// Shows a box over `owner` with `flags` and runs `steps` while it waits.
int Ask(HWND owner, std::uint32_t flags, std::vector<BoxScript::Step> steps,
        MessageWindow* window = nullptr, const char* text = "Question?\nsecond line",
        const char* caption = "Caption") {
    MessageWindow plain;
    MessageWindow& box = window != nullptr ? *window : plain;
    BoxScript script(std::move(steps));
    int answer = box.ShowModal(owner, text, caption, flags, 0, kWhite, kRed, kGrey);
    EXPECT_TRUE(script.Done()) << "the box ended before the script did";
    EXPECT_EQ(box.hwnd, nullptr) << "the box is gone when ShowModal returns";
    EXPECT_EQ(BoxScript::FindBox(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner)) << "the owner is enabled again";
    return answer;
}

class OutOfMemoryWindow : public MessageWindow {
protected:
    char* CopyText(const char*) override { return nullptr; }
};

double ThreadCpuMs() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& time) {
        ULARGE_INTEGER value;
        value.LowPart = time.dwLowDateTime;
        value.HighPart = time.dwHighDateTime;
        return static_cast<double>(value.QuadPart) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

}  // namespace

TEST(MessageWindow, TheDeleteQuestion) {
    TestOwner owner;
    Seen seen;
    int answer = Ask(owner.hwnd, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2,
                     {Look(owner.hwnd, &seen), Key(VK_RETURN)}, nullptr,
                     "OK to delete?\nC:\\work\\notes.txt", "Delete");
    EXPECT_EQ(answer, IDNO) << "Enter answers No, which has the focus";
    EXPECT_FALSE(seen.ownerEnabled) << "the owner is disabled while the box is shown";
    EXPECT_EQ(seen.title, "Delete");
    EXPECT_EQ(seen.buttons, (std::vector<std::string>{"&Yes", "&No"}));
    EXPECT_EQ(seen.focusIndex, 1);

    EXPECT_EQ(Ask(owner.hwnd, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, {Key('Y')}), IDYES);
    EXPECT_EQ(Ask(owner.hwnd, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, {Key('N')}), IDNO);
}

TEST(MessageWindow, EachButtonSetAnswersWithItsButtons) {
    TestOwner owner;
    struct Case {
        std::uint32_t flags;
        UINT key;
        int answer;
    };
    const Case cases[] = {
        {MB_OK, VK_RETURN, IDOK},
        {MB_OKCANCEL, VK_RETURN, IDOK},
        {MB_OKCANCEL, 'C', IDCANCEL},
        {MB_YESNOCANCEL, VK_RETURN, IDYES},
        {MB_YESNOCANCEL, 'C', IDCANCEL},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, VK_RETURN, IDCANCEL},
        {MB_YESNO, 'N', IDNO},
        {MB_ABORTRETRYIGNORE, VK_RETURN, IDOK},
        {MB_RETRYCANCEL, 'O', IDOK},
        {MB_YESNO | MB_DEFBUTTON3, VK_RETURN, IDYES},  // no third button: the first
        {MB_OK | MB_DEFBUTTON2, VK_RETURN, IDOK},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Ask(owner.hwnd, c.flags, {Key(c.key)}), c.answer) << "flags " << c.flags;
    }
}

TEST(MessageWindow, TabAndArrowsMoveTheFocusAndLettersAnswerWithoutMovingIt) {
    TestOwner owner;
    std::vector<int> focus;
    int answer = Ask(owner.hwnd, MB_YESNOCANCEL,
                     {RecordFocus(&focus), Key(VK_RIGHT), RecordFocus(&focus), Key(VK_TAB),
                      RecordFocus(&focus), Key(VK_TAB), RecordFocus(&focus), Key(VK_LEFT),
                      RecordFocus(&focus), Key('X'), RecordFocus(&focus), Key(VK_RETURN)});
    EXPECT_EQ(focus, (std::vector<int>{0, 1, 2, 0, 2, 2}));
    EXPECT_EQ(answer, IDCANCEL) << "Enter answers the button that has the focus";

    focus.clear();
    answer = Ask(owner.hwnd, MB_YESNO, {Key(VK_RIGHT), RecordFocus(&focus), Key('Y')});
    EXPECT_EQ(focus, std::vector<int>{1});
    EXPECT_EQ(answer, IDYES) << "a letter answers its own button, not the focused one";
}

TEST(MessageWindow, ClosedWithoutAnAnswerGivesZero) {
    TestOwner owner;
    int answer =
        Ask(owner.hwnd, MB_YESNO, {[] { PostMessageA(BoxScript::FindBox(), WM_CLOSE, 0, 0); }});
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(Ask(owner.hwnd, MB_OK, {Key(VK_ESCAPE), Key(VK_RETURN)}), IDOK)
        << "Escape means nothing";
}

TEST(MessageWindow, WmQuitEndsTheWaitAndStaysQueued) {
    TestOwner owner;
    int answer = Ask(owner.hwnd, MB_YESNO, {[] { PostQuitMessage(7); }});
    EXPECT_EQ(answer, 0);
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 7u);
    EXPECT_EQ(Ask(owner.hwnd, MB_OK, {Key(VK_RETURN)}), IDOK) << "the next box works";
}

TEST(MessageWindow, TheWaitDispatchesOtherWindowsMessagesAndSleeps) {
    TestOwner owner;
    double cpuStart = 0;
    DWORD wallStart = 0;
    double cpuUsed = 0;
    DWORD wallUsed = 0;
    std::vector<BoxScript::Step> steps;
    steps.push_back([&] {
        PostMessageA(owner.hwnd, WM_USER, 0, 0);
        cpuStart = ThreadCpuMs();
        wallStart = GetTickCount();
    });
    // About a second with the box open and nothing to do but the timer.
    for (int tick = 0; tick < 33; ++tick) {
        steps.push_back([] {});
    }
    steps.push_back([&] {
        cpuUsed = ThreadCpuMs() - cpuStart;
        wallUsed = GetTickCount() - wallStart;
    });
    steps.push_back(Key(VK_RETURN));
    EXPECT_EQ(Ask(owner.hwnd, MB_OK, std::move(steps)), IDOK);
    EXPECT_EQ(TestOwner::userMessages, 1) << "a message for the owner was dispatched";
    ASSERT_GT(wallUsed, 500u);
    // Sleeping, the thread uses about 10 ms here; polling, under Wine about 40% of the time.
    EXPECT_LT(cpuUsed, 0.1 * wallUsed)
        << "the wait used " << cpuUsed << " ms of processor time in " << wallUsed << " ms";
}

TEST(MessageWindow, ShowsOutOfMemoryWhenTheTextCannotBeCopied) {
    TestOwner owner;
    OutOfMemoryWindow box;
    std::string shown;
    int lines = -1;
    int answer = Ask(owner.hwnd, MB_OK,
                     {[&] {
                          shown = box.text != nullptr ? box.text : "";
                          lines = box.measures.lineCount;
                      },
                      Key(VK_RETURN)},
                     &box);
    EXPECT_EQ(answer, IDOK) << "the box works as usual";
    EXPECT_EQ(shown, "Out of memory");
    EXPECT_EQ(lines, 1);
}

TEST(MessageWindow, MeasuresFromTheTextIconAndCaption) {
    TestOwner owner;
    MessageWindow box;
    BoxPanel iconPanel;
    BoxPanel plainPanel;
    RECT shortCaption = {};
    RECT longCaption = {};
    std::vector<RECT> buttonRects;
    RECT client = {};
    auto keep = [&](BoxPanel* panel, RECT* window) {
        return [&box, panel, window] {
            *panel = box.panel;
            GetWindowRect(box.hwnd, window);
        };
    };
    RECT ignored;
    Ask(owner.hwnd, MB_YESNO | MB_ICONQUESTION,
        {keep(&iconPanel, &ignored),
         [&] {
             GetClientRect(box.hwnd, &client);
             for (int i = 0; i < MessageWindow::buttonCount; ++i) {
                 RECT rect;
                 GetWindowRect(AnswerButtons[i].hwnd, &rect);
                 MapWindowPoints(nullptr, box.hwnd, reinterpret_cast<POINT*>(&rect), 2);
                 buttonRects.push_back(rect);
             }
         },
         Key(VK_RETURN)},
        &box);
    // The box is laid out at its owner's resolution: 96 in the test prefix, where the pixel
    // measures are the plain ones.
    const int dpi = WindowDpi(owner.hwnd);
    EXPECT_EQ(box.dpi, dpi);
    EXPECT_EQ(box.measures.dpi, dpi);
    EXPECT_EQ(iconPanel.left, ScaleToDpi(64, dpi)) << "an icon stands left of the panel";
    ASSERT_EQ(buttonRects.size(), 2u);
    AnswerButtonSet expected =
        PlainAnswerButtons(MB_YESNO, client.right, client.bottom, box.measures.lineHeight, dpi);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(buttonRects[i].left, expected.buttons[i].x);
        EXPECT_EQ(buttonRects[i].top, expected.buttons[i].y);
        EXPECT_EQ(buttonRects[i].right - buttonRects[i].left, AnswerButtonWidth(dpi));
        EXPECT_EQ(buttonRects[i].bottom - buttonRects[i].top, AnswerButtonHeight(dpi));
    }

    Ask(owner.hwnd, MB_OK, {keep(&plainPanel, &shortCaption), Key(VK_RETURN)}, &box, "a", "b");
    EXPECT_EQ(plainPanel.left, ScaleToDpi(8, dpi)) << "no icon: the panel starts at 8";
    Ask(owner.hwnd, MB_OK, {keep(&plainPanel, &longCaption), Key(VK_RETURN)}, &box, "a",
        "a caption far wider than the text of the box");
    EXPECT_GT(longCaption.right - longCaption.left, shortCaption.right - shortCaption.left)
        << "a wider caption widens a box without an icon";

    int lines = -1;
    int count = 0;
    EXPECT_EQ(Ask(owner.hwnd, MB_OK,
                  {[&] {
                       lines = box.measures.lineCount;
                       count = MessageWindow::buttonCount;
                   },
                   Key(VK_RETURN)},
                  &box, "", ""),
              IDOK);
    EXPECT_EQ(lines, 0) << "an empty text has no lines";
    EXPECT_EQ(count, 1) << "and the box still has its button";
}

TEST(MessageWindow, IsCentredOnItsOwner) {
    TestOwner owner;
    RECT box = {};
    RECT ownerRect = {};
    GetWindowRect(owner.hwnd, &ownerRect);
    Ask(owner.hwnd, MB_OK, {[&] { GetWindowRect(BoxScript::FindBox(), &box); }, Key(VK_RETURN)});
    const int ownerMiddle = (ownerRect.left + ownerRect.right) / 2;
    const int boxMiddle = (box.left + box.right) / 2;
    EXPECT_NEAR(boxMiddle, ownerMiddle, 2);
    EXPECT_NEAR((box.top + box.bottom) / 2, (ownerRect.top + ownerRect.bottom) / 2, 2);
}

TEST(MessageWindow, ABoxGoneWithItsOwnerEndsTheWait) {
    TestOwner owner;
    MessageWindow box;
    BoxScript script({[&] { DestroyWindow(owner.hwnd); }});
    EXPECT_EQ(box.ShowModal(owner.hwnd, "text", "caption", MB_OK, 0, 0, kWhite, kGrey), 0);
    EXPECT_EQ(box.hwnd, nullptr);
    EXPECT_EQ(BoxScript::FindBox(), nullptr);
}

TEST(MessageWindow, ALongPathWrapsAtBackslashesWithinTheWorkArea) {
    TestOwner owner;
    RECT work = {};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    const std::string name = "quarterly-report-final.txt";
    std::string path = "C:\\";
    while (path.size() + 20 + name.size() <= 256) {
        path += std::string(19, 'd') + "\\";
    }
    path += std::string(256 - path.size() - name.size() - 1, 'z') + "\\" + name;
    ASSERT_EQ(path.size(), 256u);
    const std::string question = "OK to delete?\n" + path;

    MessageWindow box;
    std::string shownText;
    RECT shown = {};
    BoxScript::Step look = [&box, &shownText, &shown] {
        shownText = box.text;
        GetWindowRect(BoxScript::FindBox(), &shown);
    };
    EXPECT_EQ(Ask(owner.hwnd, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, {look, Key('N')}, &box,
                  question.c_str(), "Delete"),
              IDNO);
    EXPECT_LE(shown.right - shown.left, work.right - work.left);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = shownText.find('\n', start)) != std::string::npos;
         start = end + 1) {
        lines.push_back(shownText.substr(start, end - start));
    }
    lines.push_back(shownText.substr(start));
    ASSERT_GE(lines.size(), 3u) << shownText;
    EXPECT_EQ(lines[0], "OK to delete?");
    std::string joined;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        joined += lines[i];
    }
    EXPECT_EQ(joined, path);
    EXPECT_EQ(lines.back().substr(lines.back().size() - name.size()), name);
    EXPECT_GE(shown.bottom - shown.top,
              static_cast<LONG>(lines.size() + 6) * box.measures.lineHeight - 1)
        << "the box grows in height";
}
