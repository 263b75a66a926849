// MessageWindow: measuring, creating, painting and answering the program's own message box,
// and the wait that keeps the thread's messages flowing while it is shown.
#include "ui/message_window.h"

#include <climits>
#include <cstring>
#include <new>
#include <string>

#include "ui/wide_text.h"

int MessageWindow::buttonCount = 0;
int MessageWindow::currentButton = 0;
WNDPROC MessageWindow::buttonProc = nullptr;
bool MessageWindow::registered_ = false;

namespace {

// The box being shown: the answer buttons and their state are shared, so a second box may
// not be shown while one is.
MessageWindow* shownBox = nullptr;

int LineWidth(HDC dc, const WideText& line) {
    SIZE extent = {};
    if (!GetTextExtentPoint32W(dc, line.Text(), line.Length(), &extent)) {
        return 0;
    }
    return extent.cx;
}

// The width of the work area (the screen less the task bar) of the monitor that shows most of
// `window`, or of the primary one.
int WorkAreaWidth(HWND window) {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    HMONITOR handle = MonitorFromWindow(window != nullptr ? window : GetDesktopWindow(),
                                        MONITOR_DEFAULTTOPRIMARY);
    if (handle != nullptr && GetMonitorInfoA(handle, &monitor)) {
        return monitor.rcWork.right - monitor.rcWork.left;
    }
    RECT area = {};
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
        return area.right - area.left;
    }
    return GetSystemMetrics(SM_CXSCREEN);
}

// Loads the box's icon at `size` pixels; none for BoxIcon::kNone.
void LoadBoxIcon(BoxIcon kind, int iconId, int size, SizedIcon& icon) {
    icon.Release();
    switch (kind) {
        case BoxIcon::kHand:
            icon.Load(nullptr, 32513, size);  // IDI_HAND
            break;
        case BoxIcon::kQuestion:
            icon.Load(nullptr, 32514, size);  // IDI_QUESTION
            break;
        case BoxIcon::kExclamation:
            icon.Load(nullptr, 32515, size);  // IDI_EXCLAMATION
            break;
        case BoxIcon::kAsterisk:
            icon.Load(nullptr, 32516, size);  // IDI_ASTERISK
            break;
        case BoxIcon::kProgram:
            icon.Load(GetModuleHandleA(nullptr), iconId, size);
            break;
        case BoxIcon::kNone:
            break;
    }
}

}  // namespace

int PumpPendingMessages() {
    MSG message;
    for (;;) {
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            return 0;
        }
        if (message.message == WM_QUIT) {
            return 1;
        }
        // Removed with PeekMessage rather than GetMessage, so that a queue emptied in the
        // meantime (a sent message handled inside the look) never blocks the pass.
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            continue;
        }
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return 1;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

MessageWindow::MessageWindow() {
    RegisterWindowClass();
}

MessageWindow::~MessageWindow() {
    ReleaseText();
}

int MessageWindow::RegisterWindowClass() {
    return RegisterClassOnce(kClassName, registered_, true);
}

char* MessageWindow::CopyText(const char* source) {
    std::size_t length = std::strlen(source);
    char* copy = new (std::nothrow) char[length + 2];
    if (copy != nullptr) {
        std::memcpy(copy, source, length);
        copy[length] = '\0';
        copy[length + 1] = '\0';
    }
    return copy;
}

void MessageWindow::ReleaseText() {
    if (text != nullptr && text != kOutOfMemory) {
        delete[] text;
    }
    text = nullptr;
}

void MessageWindow::WrapText(HDC info, int maxWidth) {
    if (text == nullptr || text == kOutOfMemory) {
        return;
    }
    try {
        std::string wrapped =
            WrapWideLines(text, maxWidth, [info](const char* start, std::size_t length) {
                return LineWidth(info, WideText(start, length));
            });
        if (wrapped == text) {
            return;
        }
        char* copy = CopyText(wrapped.c_str());
        if (copy != nullptr) {
            ReleaseText();
            text = copy;
        }
    } catch (const std::bad_alloc&) {
        // Without memory for the cut lines the box shows them uncut.
    }
}

bool MessageWindow::MeasureText(const char* textToMeasure, const char* captionToMeasure,
                                BoxIcon iconKind) {
    HDC info = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    if (info == nullptr) {
        return false;
    }
    // At 96 DPI the context's own default font; else a copy of it for the box's resolution.
    HGDIOBJ previousFont = nullptr;
    // The system font's face is a bitmap one: its copy is in the TrueType face of the
    // interface font.
    if (boxFont.Make(SYSTEM_FONT, dpi, kScalableFaceWide) && boxFont.OwnsFont()) {
        previousFont = SelectObject(info, boxFont.Handle());
    }
    TEXTMETRICA metrics;
    if (!GetTextMetricsA(info, &metrics)) {
        DeleteDC(info);
        return false;
    }
    measures.dpi = dpi;
    measures.maxCharWidth = metrics.tmMaxCharWidth;
    measures.lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    measures.lineCount = 0;
    measures.textWidth = 0;
    const bool hasIcon = iconKind != BoxIcon::kNone;
    if (textToMeasure == text) {
        WrapText(info, MaxBoxTextWidth(WorkAreaWidth(owner), measures, hasIcon));
        textToMeasure = text;
    }
    TextLines lines(textToMeasure);
    TextLine line;
    while (lines.Next(&line)) {
        int width = LineWidth(info, WideText(line.start, line.length));
        if (width > measures.textWidth) {
            measures.textWidth = width;
        }
        if (measures.lineCount < kMaxBoxExtent) {
            ++measures.lineCount;
        }
    }
    if (!hasIcon && captionToMeasure[0] != '\0') {
        measures.textWidth = WidenedTextWidth(measures.textWidth,
                                              LineWidth(info, WideText(captionToMeasure)), hasIcon);
    }
    panel = ComputePanel(measures, hasIcon, flags);
    if (previousFont != nullptr) {
        SelectObject(info, previousFont);
    }
    DeleteDC(info);
    return true;
}

int MessageWindow::ShowModal(HWND owner, const char* text, const char* caption, std::uint32_t flags,
                             int iconId, COLORREF textColour, COLORREF backColour,
                             COLORREF shadowColour) {
    if (shownBox != nullptr || hwnd != nullptr) {
        return 0;
    }
    this->owner = owner;
    this->flags = flags;
    this->textColour = textColour;
    this->backColour = backColour;
    running = 1;
    result = 0;
    frame.highlight = RGB(255, 255, 255);
    frame.shadow = shadowColour;

    char* copy = CopyText(text != nullptr ? text : "");
    this->text = copy != nullptr ? copy : kOutOfMemory;
    this->caption = caption != nullptr ? caption : "";

    dpi = WindowDpi(owner);
    const BoxIcon iconKind = ChooseBoxIcon(flags, iconId);
    if (!MeasureText(this->text, this->caption, iconKind)) {
        ReleaseText();
        running = 0;
        return 0;
    }
    // Loaded before the window exists, so that its first paint has it.
    LoadBoxIcon(iconKind, iconId, ScaleToDpi(32, dpi), sizedIcon);
    icon = sizedIcon.Handle();

    shownBox = this;
    CreateBox();
    AfterCreateBox();
    if (hwnd == nullptr) {
        shownBox = nullptr;
        ReleaseText();
        running = 0;
        return 0;
    }
    EnableWindow(owner, FALSE);

    // Each pass dispatches every waiting message; between passes the thread sleeps until a
    // new one arrives, so an open question costs no processor time.
    while (running) {
        if (PumpPendingMessages()) {
            result = 0;  // WM_QUIT stays queued for the caller's loop
            break;
        }
        if (!running) {
            break;
        }
        if (!IsWindow(hwnd)) {
            result = 0;  // destroyed by someone else, with its owner for instance
            break;
        }
        WaitMessage();
    }
    running = 0;
    EnableWindow(owner, TRUE);
    if (hwnd != nullptr && IsWindow(hwnd)) {
        Destroy();
    }
    hwnd = nullptr;
    ReleaseText();
    boxFont.Release();
    shownBox = nullptr;
    return result;
}

void MessageWindow::CreateBox() {
    BoxSize size = PlainBoxSize(panel, measures);
    style = WS_POPUP | WS_VISIBLE | WS_CAPTION;
    RECT ownerClient = {};
    if (owner != nullptr) {
        GetClientRect(owner, &ownerClient);
    }
    BoxPoint at = PlainBoxStart(ownerClient.right, ownerClient.bottom, size);
    CreateHandle(kClassName, owner, 0, caption, at.x, at.y, size.width, size.height);
}

void MessageWindow::AfterCreateBox() {}

void MessageWindow::UseBoxFont(HWND control) const {
    // A control made without a font draws in the stock one, made for the system's resolution.
    if (control != nullptr && boxFont.OwnsFont()) {
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(boxFont.Handle()), FALSE);
    }
}

void MessageWindow::CreateButtons() {
    RECT client = {};
    GetClientRect(hwnd, &client);
    AnswerButtonSet set =
        PlainAnswerButtons(flags, client.right, client.bottom, measures.lineHeight, dpi);
    for (int i = 0; i < set.count; ++i) {
        const AnswerButtonSpec& spec = set.buttons[i];
        AnswerButtons[i].Create(hwnd, 0, spec.text, spec.x, spec.y, AnswerButtonWidth(dpi),
                                AnswerButtonHeight(dpi));
        UseBoxFont(AnswerButtons[i].hwnd);
        buttonResults[i] = spec.result;
    }
    buttonCount = set.count;
}

void MessageWindow::FocusAnswerButton(int index) {
    if (index >= 0 && index < buttonCount && AnswerButtons[index].hwnd != nullptr) {
        SetFocus(AnswerButtons[index].hwnd);
    }
}

int MessageWindow::OnCreate() {
    CreateButtons();
    currentButton = DefaultButtonIndex(flags, buttonCount);
    FocusAnswerButton(currentButton);
    buttonProc =
        buttonCount > 0
            ? reinterpret_cast<WNDPROC>(GetWindowLongPtrA(AnswerButtons[0].hwnd, GWLP_WNDPROC))
            : nullptr;
    for (int i = 0; i < buttonCount; ++i) {
        SubclassWindow(AnswerButtons[i].hwnd, ButtonKeyProc);
    }
    CenterWindow(hwnd);
    return 1;
}

LRESULT CALLBACK MessageWindow::ButtonKeyProc(HWND hwnd, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    HWND focus = GetFocus();
    for (int i = 0; i < buttonCount; ++i) {
        if (focus != nullptr && AnswerButtons[i].hwnd == focus) {
            currentButton = i;
        }
    }
    if (message == WM_KEYDOWN) {
        char mnemonics[kMaxAnswerButtons] = {};
        for (int i = 0; i < buttonCount; ++i) {
            mnemonics[i] = AnswerButtons[i].mnemonic;
        }
        ButtonKeyOutcome outcome =
            ButtonKeyMove(static_cast<unsigned>(wParam), currentButton, buttonCount, mnemonics);
        if (outcome.moveFocus) {
            currentButton = outcome.current;
            FocusAnswerButton(currentButton);
        }
        if (outcome.press >= 0) {
            WPARAM command = MAKEWPARAM(AnswerButtons[outcome.press].id & 0xFFFF, BN_CLICKED);
            SendMessageA(GetParent(hwnd), WM_COMMAND, command, 0);
        }
    }
    if (buttonProc == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return CallWindowProcA(buttonProc, hwnd, message, wParam, lParam);
}

void MessageWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return;
    }
    const int id = LOWORD(wParam);
    bool answered = false;
    // Only the buttons of this box count: the others hold the ids of dead controls.
    for (int i = 0; i < buttonCount; ++i) {
        if ((AnswerButtons[i].id & 0xFFFF) == id) {
            result = buttonResults[i];
            answered = true;
            break;
        }
    }
    if (!answered) {
        OnOtherCommand(id, reinterpret_cast<HWND>(lParam));
    }
    if (result != 0) {
        PostMessageA(hwnd, WM_CLOSE, 0, 0);
        running = 0;
    }
}

void MessageWindow::OnOtherCommand(int, HWND) {}

void MessageWindow::OnClose() {
    EnableWindow(owner, TRUE);
    Destroy();
    ReleaseText();
    running = 0;
}

void MessageWindow::OnLButtonDown(WPARAM, LPARAM) {
    // A press anywhere on the background moves the box, as on a title bar.
    SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(5, 5));
}

void MessageWindow::OnSetFocus() {
    FocusAnswerButton(currentButton);
}

void MessageWindow::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    if (dc == nullptr) {
        return;
    }
    HBRUSH brush = CreateSolidBrush(backColour);
    if (brush != nullptr) {
        FillRect(dc, &paint.rcPaint, brush);
        DeleteObject(brush);
    }
    if (icon != nullptr) {
        const int half = ScaleToDpi(16, dpi);
        sizedIcon.Draw(dc, half, (panel.bottom - panel.top) / 2 + panel.top - half);
        frame.SetRect(panel.left, panel.top, panel.right, panel.bottom);
        frame.Draw(dc);
    }
    DrawTextLines(dc, panel.left, panel.right - panel.left, panel.top + 3);
    EndPaint(hwnd, &paint);
}

void MessageWindow::DrawTextLines(HDC dc, int left, int width, int top) const {
    if (boxFont.OwnsFont()) {
        SelectObject(dc, boxFont.Handle());  // the paint context ends with the paint
    }
    SetTextColor(dc, textColour);
    SetBkColor(dc, backColour);
    int y = top;
    TextLines lines(text);
    TextLine line;
    while (lines.Next(&line)) {
        WideText shown(line.start, line.length);
        TextOutW(dc, left + (width - LineWidth(dc, shown)) / 2, y, shown.Text(), shown.Length());
        y += measures.lineHeight;
    }
}
