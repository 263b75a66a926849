// AboutWindow: the about variant of the message box: an elliptic window without a title bar,
// with a red outline, the program's icon, centred text, a link line that opens with the
// shell, and one "&Ok" button. Shown with MessageWindow::ShowModal; the caption is the link.
#pragma once

#include <windows.h>

#include "ui/message_window.h"
#include "ui/push_button.h"
#include "ui/text_font.h"

class AboutWindow : public MessageWindow {
public:
    // Opens `target` with the shell's "open" verb on behalf of `owner`. Tests replace it.
    using ShellOpen = void (*)(HWND owner, const char* target);
    static void OpenWithShell(HWND owner, const char* target);
    static ShellOpen shellOpen;

    AboutWindow() = default;

    void OnDrawItem(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnOtherCommand(int id, HWND control) override;
    void CreateButtons() override;
    void CreateBox() override;

    int linkPlaced = 0;
    SIZE size = {};  // the client area's width and height, plus one each
    RECT linkRect = {};
    TextFont linkFont;
    PushButton link;

private:
    // Makes the link control below the text, in the underlined navy link font.
    void PlaceLink(HDC dc);
};
