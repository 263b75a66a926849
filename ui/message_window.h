// MessageWindow: the program's own message box. It takes the system message box's flags and
// adds text, background and frame-shadow colours; it sizes itself to its text, makes its
// answer buttons, centres itself on its owner, disables the owner and waits for an answer.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/dpi_scale.h"
#include "ui/message_box_layout.h"
#include "ui/push_button.h"
#include "ui/sunken_frame.h"
#include "ui/window.h"
#include "ui/window_dpi.h"

// The answer buttons of whichever box is shown. The program defines them, as the last of its
// global objects; a test defines its own.
extern PushButton AnswerButtons[kMaxAnswerButtons];

// Looks at the thread's queue and dispatches every waiting message, those of other windows
// included, without waiting for new ones. 1 when the next waiting message is WM_QUIT (left in
// the queue), 0 when the queue is empty.
int PumpPendingMessages();

class MessageWindow : public Window {
public:
    static constexpr char kClassName[] = "CMSGCLASS";

    MessageWindow();
    ~MessageWindow() override;

    // Shows the box and waits for an answer: IDOK, IDCANCEL, IDYES or IDNO from the answer
    // buttons; 0 when the box cannot be shown, is closed without an answer, or the wait meets
    // WM_QUIT (which stays in the queue for the caller's loop). `text` holds lines separated
    // by "\n"; `caption` is the title (the link line of the about box) and must live until
    // the call returns; `iconId` names the program's icon used when the flags name no system
    // icon (0: none).
    int ShowModal(HWND owner, const char* text, const char* caption, std::uint32_t flags,
                  int iconId, COLORREF textColour, COLORREF backColour, COLORREF shadowColour);

    int RegisterWindowClass() override;
    void OnClose() override;
    void OnCommand(WPARAM wParam, LPARAM lParam) override;
    int OnCreate() override;
    void OnLButtonDown(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnSetFocus() override;

    // Called by ShowModal right after CreateBox.
    virtual void AfterCreateBox();
    // A button click that comes from no answer button.
    virtual void OnOtherCommand(int id, HWND control);
    // Makes the answer buttons of the box (WM_CREATE).
    virtual void CreateButtons();
    // Computes the box's rectangle and creates its window.
    virtual void CreateBox();

    // The window procedure of every answer button: Tab and the arrows move between them,
    // Enter and the "&" letters answer; every message then goes on to the button's own
    // procedure.
    static LRESULT CALLBACK ButtonKeyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Shared by all message windows; only one box is shown at a time.
    static int buttonCount;
    static int currentButton;
    static WNDPROC buttonProc;

    int running = 0;
    HWND owner = nullptr;
    HICON icon = nullptr;
    BoxText measures;  // maxCharWidth, lineHeight, lineCount, textWidth
    int result = 0;
    int buttonResults[kMaxAnswerButtons] = {};
    std::uint32_t flags = 0;
    COLORREF textColour = 0;
    COLORREF backColour = 0;
    const char* text = nullptr;  // the box's own copy, or kOutOfMemory
    const char* caption = "";
    BoxPanel panel;
    SunkenFrame frame;
    // The resolution the box is shown at (its owner's), and the display's default font for
    // it: the stock font where that is the system's resolution.
    int dpi = kDefaultDpi;
    DpiFont boxFont;
    // The box's icon at the size for `dpi`.
    SizedIcon sizedIcon;

    static constexpr char kOutOfMemory[] = "Out of memory";

protected:
    // The copy of the message text; null when memory runs out. Tests replace it.
    virtual char* CopyText(const char* source);
    // Gives `control` the box's font when the box has one of its own.
    void UseBoxFont(HWND control) const;
    // Gives the answer button `index` the focus.
    static void FocusAnswerButton(int index);
    // Draws the lines of the box's text from `top` down, one line height apart, each centred
    // between `left` and `left + width`, in the text and back colours.
    void DrawTextLines(HDC dc, int left, int width, int top) const;

private:
    void ReleaseText();
    // Cuts the lines of `text` wider than `maxWidth` pixels, as `info` measures them, onto
    // further lines (WrapWideLines), so that the box fits the screen's work area.
    void WrapText(HDC info, int maxWidth);
    bool MeasureText(const char* textToMeasure, const char* captionToMeasure, BoxIcon iconKind);
    static bool registered_;
};
