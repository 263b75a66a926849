// AboutWindow: the elliptic box, its painting, the owner-drawn link line and its click.
#include "ui/about_window.h"

#include <shellapi.h>

#include <cstring>

#include "ui/wide_text.h"

AboutWindow::ShellOpen AboutWindow::shellOpen = AboutWindow::OpenWithShell;

void AboutWindow::OpenWithShell(HWND owner, const char* target) {
    // The shell's answer is not looked at: the box closes either way.
    ShellExecuteA(owner, "open", target, "", "", SW_SHOWNORMAL);
}

void AboutWindow::CreateBox() {
    style = WS_POPUP | WS_VISIBLE;
    BoxSize box = AboutBoxSize(measures, caption[0] != '\0');
    RECT ownerClient = {};
    if (owner != nullptr) {
        GetClientRect(owner, &ownerClient);
    }
    BoxPoint at = AboutBoxStart(ownerClient.right, ownerClient.bottom);
    CreateHandle(kClassName, owner, 0, "", at.x, at.y, box.width, box.height);
    linkPlaced = 0;
}

void AboutWindow::CreateButtons() {
    RECT client = {};
    GetClientRect(hwnd, &client);
    size.cx = client.right - client.left + 1;
    size.cy = client.bottom - client.top + 1;
    HRGN region = CreateEllipticRgn(0, 0, size.cx, size.cy);
    // On success the system owns the region; on failure it stays ours.
    if (region != nullptr && !SetWindowRgn(hwnd, region, TRUE)) {
        DeleteObject(region);
    }
    SetWindowPos(hwnd, HWND_TOP, 0, 0, size.cx, size.cy, SWP_NOMOVE);
    AnswerButtonSet set = AboutAnswerButtons(client.right, client.bottom, measures.lineHeight, dpi);
    const AnswerButtonSpec& ok = set.buttons[0];
    AnswerButtons[0].Create(hwnd, 0, ok.text, ok.x, ok.y, AnswerButtonWidth(dpi),
                            AnswerButtonHeight(dpi));
    UseBoxFont(AnswerButtons[0].hwnd);
    buttonResults[0] = ok.result;
    buttonCount = set.count;
}

void AboutWindow::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    if (dc == nullptr) {
        return;
    }
    HBRUSH brush = CreateSolidBrush(backColour);
    HPEN pen = CreatePen(PS_SOLID, ScaleToDpi(3, dpi), RGB(255, 0, 0));
    HGDIOBJ oldBrush = brush != nullptr ? SelectObject(dc, brush) : nullptr;
    HGDIOBJ oldPen = pen != nullptr ? SelectObject(dc, pen) : nullptr;
    Ellipse(dc, 1, 1, size.cx - 2, size.cy - 2);
    if (oldBrush != nullptr) {
        SelectObject(dc, oldBrush);
    }
    if (oldPen != nullptr) {
        SelectObject(dc, oldPen);
    }
    if (brush != nullptr) {
        DeleteObject(brush);
    }
    if (pen != nullptr) {
        DeleteObject(pen);
    }
    if (icon != nullptr) {
        sizedIcon.Draw(dc, size.cx / 2 - ScaleToDpi(16, dpi), ScaleToDpi(18, dpi));
    }
    DrawTextLines(dc, 0, size.cx, AboutTextTop(measures.lineHeight, dpi));
    if (caption[0] != '\0' && linkPlaced == 0) {
        PlaceLink(dc);
    }
    EndPaint(hwnd, &paint);
}

void AboutWindow::PlaceLink(HDC dc) {
    linkFont.logFont.lfUnderline = TRUE;
    linkFont.colour = RGB(0, 0, 128);
    linkFont.CreateAt(dpi == kDefaultDpi ? "MS Sans Serif" : kScalableFace, 12, dpi);
    HGDIOBJ previous = linkFont.Select(dc);
    SIZE extent = {};
    WideText shown(caption);
    GetTextExtentPoint32W(dc, shown.Text(), shown.Length(), &extent);
    if (previous != nullptr) {
        SelectObject(dc, previous);
    }
    LinkRect rect = AboutLinkRect(size.cx, measures, extent.cx, extent.cy);
    linkRect = {rect.left, rect.top, rect.right, rect.bottom};
    link.style = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
    link.Create(hwnd, 0, "", rect.left, rect.top, extent.cx, extent.cy);
    linkPlaced = 1;
}

void AboutWindow::OnDrawItem(WPARAM, LPARAM lParam) {
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    if (item == nullptr || link.id == 0 || item->hwndItem != link.hwnd) {
        return;
    }
    HGDIOBJ previous = linkFont.Select(item->hDC);
    SetBkColor(item->hDC, backColour);
    WideText shown(caption);
    TextOutW(item->hDC, 0, 0, shown.Text(), shown.Length());
    if (previous != nullptr) {
        SelectObject(item->hDC, previous);
    }
}

void AboutWindow::OnOtherCommand(int, HWND control) {
    if (control == nullptr || control != link.hwnd) {
        return;
    }
    shellOpen(owner, caption);
    WPARAM command = MAKEWPARAM(AnswerButtons[0].id & 0xFFFF, BN_CLICKED);
    SendMessageA(hwnd, WM_COMMAND, command, 0);
}
