// FileViewer: the viewer window's messages, its back buffer and its scroll bar.
#include "ui/file_viewer.h"

#include "ui/back_buffer_win.h"
#include "ui/cell_units.h"

bool FileViewer::registered_ = false;

FileViewer::FileViewer()
    : textColour(GetSysColor(COLOR_WINDOWTEXT)), backColour(GetSysColor(COLOR_WINDOW)) {
    RegisterWindowClass();
}

FileViewer::~FileViewer() {
    ReleaseResources();
}

int FileViewer::RegisterWindowClass() {
    return RegisterClassOnce(kClassName, registered_, false);
}

int FileViewer::Open(HWND owner, const char* path, int width, int height, int mode) {
    if (hwnd != nullptr) {
        return 0;
    }
    this->mode = mode;
    this->owner = owner;
    filePath = path;
    style = WS_VISIBLE | WS_OVERLAPPEDWINDOW | WS_VSCROLL;
    CreateHandle(kClassName, owner, 0, path, 0, 0, width, height);
    if (hwnd == nullptr) {
        return 0;
    }
    EnableWindow(owner, FALSE);
    return 1;
}

LRESULT FileViewer::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return HandleCreate();
        case WM_DESTROY:
            ReleaseResources();
            return 0;
        case WM_NCDESTROY: {
            // The last message of the window: from here on the object has none, whoever
            // destroyed it (its owner, for instance).
            LRESULT answer = DefWindowProcA(hwnd, message, wParam, lParam);
            hwnd = nullptr;
            return answer;
        }
        case WM_SIZE:
            HandleSize(lParam);
            return 0;
        case WM_PAINT:
            HandlePaint();
            return 0;
        case WM_CLOSE:
            EnableWindow(owner, TRUE);
            Destroy();
            return 0;
        case WM_KEYDOWN:
            HandleKeyDown(wParam);
            return 0;
        case WM_DPICHANGED:
            HandleDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_VSCROLL:
            Scroll(wParam, true);
            return 0;
        case WM_MOUSEWHEEL:
            Scroll(GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? scroll_request::kWheelUp
                                                      : scroll_request::kWheelDown,
                   true);
            return DefWindowProcA(hwnd, message, wParam, lParam);
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

void FileViewer::UseFontForDpi() {
    // The stock fixed font holds only the ANSI code page's characters: the text is drawn in a
    // TrueType face made as tall as its cells, on lines at least as far apart as the stock
    // font's (the face's height may round a pixel lower), so the viewer keeps its lines. The
    // stock font is made for the system's resolution, its measures scaled to the window's.
    // It also stands in while the face made for a former resolution is deleted.
    HGDIOBJ stock = GetStockObject(SYSTEM_FIXED_FONT);
    HGDIOBJ replaced = SelectObject(memoryDC, stock);
    if (originalFont_ == nullptr) {
        originalFont_ = replaced;
    }
    font = static_cast<HFONT>(stock);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(memoryDC, &metrics);
    const int system = SystemDpi();
    const int stockLineHeight =
        RescaleHeight(metrics.tmHeight + metrics.tmExternalLeading, system, dpi);
    lineHeight = stockLineHeight;
    cellWidth = RescaleHeight(metrics.tmAveCharWidth, system, dpi);
    if (textFont.CreateFixed(kFaceName, RescaleHeight(metrics.tmHeight, system, dpi)) != 0) {
        font = textFont.font;
        SelectObject(memoryDC, font);
        GetTextMetricsA(memoryDC, &metrics);
        lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
        cellWidth = metrics.tmAveCharWidth;
    }
    if (lineHeight < stockLineHeight) {
        lineHeight = stockLineHeight;
    }
}

void FileViewer::HandleDpiChanged(int newDpi, const RECT& suggested) {
    if (memoryDC == nullptr) {
        return;
    }
    dpi = newDpi > 0 ? newDpi : kDefaultDpi;
    UseFontForDpi();
    SetWindowPos(hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    linesPerPage = lineHeight > 0 ? clientHeight / lineHeight : 0;
    UpdateScrollPage();
    Render();
}

LRESULT FileViewer::HandleCreate() {
    dpi = WindowDpi(hwnd);
    const bool made = MakeBackBuffer(hwnd, memoryDC, backBitmap_, originalBitmap_, bufferSize);
    backBrush = made ? CreateSolidBrush(backColour) : nullptr;
    if (backBrush == nullptr) {
        ReleaseResources();
        return -1;
    }
    originalFont_ = nullptr;
    UseFontForDpi();
    SetTextColor(memoryDC, textColour);
    SetBkColor(memoryDC, backColour);
    originalBrush_ = SelectObject(memoryDC, backBrush);

    ViewKind asked = mode == 0 ? ViewKind::kHex : (mode == 1 ? ViewKind::kText : ViewKind::kChoose);
    if (!document.Open(filePath, asked)) {
        ReleaseResources();
        return -1;
    }
    mode = static_cast<int>(document.Kind());
    length = document.Length();
    lineCount = document.LineCount();

    topLine = 0;
    ScrollBarScale scale(lineCount);
    scrollMax = scale.Maximum();
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = scrollMax;
    info.nPage = scale.PageOf(linesPerPage);
    info.nPos = 0;
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
    CenterWindow(hwnd);
    return 0;
}

void FileViewer::ReleaseResources() {
    if (memoryDC != nullptr) {
        if (originalBrush_ != nullptr) {
            SelectObject(memoryDC, originalBrush_);
        }
        if (originalFont_ != nullptr) {
            SelectObject(memoryDC, originalFont_);
        }
        if (originalBitmap_ != nullptr) {
            SelectObject(memoryDC, originalBitmap_);
        }
        DeleteDC(memoryDC);
        memoryDC = nullptr;
    }
    originalBrush_ = originalFont_ = originalBitmap_ = nullptr;
    textFont.Release();
    font = nullptr;
    if (backBitmap_ != nullptr) {
        DeleteObject(backBitmap_);
        backBitmap_ = nullptr;
    }
    if (backBrush != nullptr) {
        DeleteObject(backBrush);
        backBrush = nullptr;
    }
    bufferSize = {};
    document.Close();
}

bool FileViewer::EnsureBackBuffer(int width, int height) {
    return GrowBackBuffer(hwnd, memoryDC, backBitmap_, bufferSize, width, height);
}

void FileViewer::UpdateScrollPage() {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_PAGE;
    info.nPage = ScrollBarScale(lineCount).PageOf(linesPerPage);
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
}

void FileViewer::HandleSize(LPARAM lParam) {
    clientWidth = LOWORD(lParam);
    clientHeight = HIWORD(lParam);
    if (lineHeight == 0) {
        return;
    }
    linesPerPage = clientHeight / lineHeight;
    EnsureBackBuffer(clientWidth, clientHeight);
    UpdateScrollPage();
    Render();
}

void FileViewer::HandlePaint() {
    PaintFromBackBuffer(hwnd, memoryDC);
}

void FileViewer::HandleKeyDown(WPARAM key) {
    switch (key) {
        case VK_PRIOR:
            Scroll(SB_PAGEUP, true);
            break;
        case VK_NEXT:
            Scroll(SB_PAGEDOWN, true);
            break;
        case VK_END:
            Scroll(SB_BOTTOM, true);
            break;
        case VK_HOME:
            Scroll(SB_TOP, true);
            break;
        case VK_UP:
            Scroll(SB_LINEUP, true);
            break;
        case VK_DOWN:
            Scroll(SB_LINEDOWN, true);
            break;
        default:
            break;
    }
}

void FileViewer::Scroll(WPARAM request, bool redraw) {
    const unsigned code = LOWORD(request);
    ScrollBarScale scale(lineCount);
    std::uint64_t trackLine = topLine;
    if (code == SB_THUMBTRACK) {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        if (GetScrollInfo(hwnd, SB_VERT, &info)) {
            trackLine = scale.LineAt(info.nTrackPos);
        }
    }
    ScrollView view;
    view.topLine = topLine;
    view.lineCount = lineCount;
    view.linesPerPage = linesPerPage;
    const std::uint64_t target = ScrollTarget(code, view, trackLine);
    if (target == topLine) {
        return;
    }
    topLine = target;
    if (redraw) {
        Render();
    }
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    info.nPos = scale.PositionOf(topLine);
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
}

void FileViewer::Render() {
    if (memoryDC == nullptr || hwnd == nullptr) {
        return;
    }
    // Only the client area is ever copied to the window, so only it is cleared.
    PatBlt(memoryDC, 0, 0, clientWidth, clientHeight, PATCOPY);
    static_assert(sizeof(WCHAR) == sizeof(char16_t), "the wide calls take UTF-16 units");
    char line[kViewerLineBufferSize];
    char16_t units[kViewerLineBufferSize];
    int cells[kViewerLineBufferSize];
    INT advances[kViewerLineBufferSize];
    std::uint64_t number = topLine;
    for (int row = 0; row < linesPerPage && number < lineCount; ++row, ++number) {
        // The lines come as UTF-8, their tabs already blanks; every character is placed at its
        // cell by an explicit advance, so a glyph of another width (one that the system takes
        // from a linked font, say) never moves the ones after it.
        std::size_t length = document.FormatLine(number, line);
        std::size_t count = CellUnits(line, length, units, cells, kViewerLineBufferSize);
        for (std::size_t i = 0; i < count; ++i) {
            advances[i] = cells[i] * cellWidth;
        }
        ExtTextOutW(memoryDC, 0, row * lineHeight, 0, nullptr,
                    reinterpret_cast<const WCHAR*>(units), static_cast<UINT>(count), advances);
    }
    HDC windowDC = GetDC(hwnd);
    if (windowDC != nullptr) {
        BitBlt(windowDC, 0, 0, clientWidth, clientHeight, memoryDC, 0, 0, SRCCOPY);
        ReleaseDC(hwnd, windowDC);
    }
}
