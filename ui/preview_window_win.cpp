// PreviewWindow: the preview's messages, its index slices and the page drawn at scale.
#include "ui/preview_window.h"

#include <cmath>
#include <vector>

#include "text/char_cells.h"
#include "ui/back_buffer_win.h"
#include "ui/wide_text.h"

bool PreviewWindow::registered_ = false;

namespace {

// Room around the page, in pixels.
constexpr int kPageGap = 8;
constexpr int kFewestRunPages = 16;
constexpr int kMostRunPages = 1 << 20;

// Milliseconds from the performance counter.
double Milliseconds() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / frequency;
}

// Owns a font made for one drawing of the page; deleted once deselected.
class ScaledFont {
public:
    ScaledFont(const LogicalFont& font, double scale) {
        LOGFONTW logical = {};
        double height = std::fabs(static_cast<double>(font.height)) * scale;
        logical.lfHeight = -(height < 1.0 ? 1 : static_cast<LONG>(height + 0.5));
        logical.lfWeight = font.weight;
        logical.lfCharSet = DEFAULT_CHARSET;
        logical.lfOutPrecision = OUT_TT_PRECIS;
        logical.lfQuality = ANTIALIASED_QUALITY;
        logical.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        WideText face(font.faceName);
        lstrcpynW(logical.lfFaceName, face.Text(), LF_FACESIZE);
        handle_ = CreateFontIndirectW(&logical);
    }
    ~ScaledFont() {
        if (handle_ != nullptr) {
            DeleteObject(handle_);
        }
    }
    ScaledFont(const ScaledFont&) = delete;
    ScaledFont& operator=(const ScaledFont&) = delete;
    HFONT Handle() const { return handle_; }

private:
    HFONT handle_ = nullptr;
};

// Selects an object into a context for its lifetime.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectGuard() {
        if (previous_ != nullptr) {
            SelectObject(dc_, previous_);
        }
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

void FillColour(HDC dc, const RECT& rect, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    if (brush != nullptr) {
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
    }
}

void OutlineColour(HDC dc, const RECT& rect, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    if (brush != nullptr) {
        FrameRect(dc, &rect, brush);
        DeleteObject(brush);
    }
}

}  // namespace

PreviewWindow::PreviewWindow() {
    RegisterWindowClass();
}

PreviewWindow::~PreviewWindow() {
    if (hwnd != nullptr) {
        DestroyWindow(hwnd);
    }
    ReleaseResources();
}

int PreviewWindow::RegisterWindowClass() {
    return RegisterClassOnce(kClassName, registered_, false);
}

int PreviewWindow::Open(HWND owner, const char* path, const PrintSettings& settings,
                        PrintSurface* printer, int width, int height, UINT printCommand) {
    if (hwnd != nullptr) {
        return 0;
    }
    path_ = path;
    settings_ = settings;
    noPrinter_ = printer == nullptr;
    printCommand_ = printCommand;
    if (noPrinter_) {
        virtualFonts_ = std::make_unique<PageRecorder>(PageRecorder::Mode::Count);
        virtualPrinter_ =
            std::make_unique<RecordingSurface>(NoPrinterPage(settings_), *virtualFonts_);
        printer = virtualPrinter_.get();
    }
    preview_ = std::make_unique<PrintPreview>(*printer);
    preview_->SetCodePage(codePage_);
    if (!preview_->Open(path_.c_str(), settings_)) {
        ReleaseResources();
        return 0;
    }
    this->owner = owner;
    shown_ = 0;
    style = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
    std::string title = PreviewTitle(path_.c_str(), 0, Count(), Final(), noPrinter_);
    CreateHandle(kClassName, owner, 0, title.c_str(), 0, 0, width, height);
    if (hwnd == nullptr) {
        ReleaseResources();
        return 0;
    }
    EnableWindow(owner, FALSE);
    GoTo(0);
    if (!Final()) {
        SetTimer(hwnd, kIndexTimer, USER_TIMER_MINIMUM, nullptr);
    }
    return 1;
}

LRESULT PreviewWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return HandleCreate();
        case WM_DESTROY:
            KillTimer(hwnd, kIndexTimer);
            return 0;
        case WM_NCDESTROY: {
            LRESULT answer = DefWindowProcA(hwnd, message, wParam, lParam);
            hwnd = nullptr;
            ReleaseResources();
            return answer;
        }
        case WM_SIZE:
            HandleSize(lParam);
            return 0;
        case WM_PAINT:
            HandlePaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the back buffer covers the client area
        case WM_CLOSE:
            Close();
            return 0;
        case WM_KEYDOWN:
            HandleKeyDown(wParam);
            return 0;
        case WM_MOUSEWHEEL:
            if (GET_WHEEL_DELTA_WPARAM(wParam) > 0) {
                GoTo(shown_ > 0 ? shown_ - 1 : 0);
            } else {
                GoTo(shown_ + 1);
            }
            return 0;
        case WM_TIMER:
            if (wParam == kIndexTimer) {
                IndexSlice();
            }
            return 0;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

LRESULT PreviewWindow::HandleCreate() {
    if (!MakeBackBuffer(hwnd, memoryDC, backBitmap_, originalBitmap_, bufferSize_)) {
        return -1;
    }
    SetBkMode(memoryDC, TRANSPARENT);
    SetTextColor(memoryDC, RGB(0, 0, 0));
    CenterWindow(hwnd);
    return 0;
}

void PreviewWindow::ReleaseResources() {
    if (memoryDC != nullptr) {
        if (originalBitmap_ != nullptr) {
            SelectObject(memoryDC, originalBitmap_);
        }
        DeleteDC(memoryDC);
        memoryDC = nullptr;
    }
    originalBitmap_ = nullptr;
    if (backBitmap_ != nullptr) {
        DeleteObject(backBitmap_);
        backBitmap_ = nullptr;
    }
    bufferSize_ = {};
    preview_.reset();
    virtualPrinter_.reset();
    virtualFonts_.reset();
}

bool PreviewWindow::EnsureBackBuffer(int width, int height) {
    return GrowBackBuffer(hwnd, memoryDC, backBitmap_, bufferSize_, width, height);
}

void PreviewWindow::Close() {
    if (hwnd == nullptr) {
        return;
    }
    // The owner first, so that it, not some other window, is activated.
    EnableWindow(owner, TRUE);
    Destroy();
}

void PreviewWindow::HandleSize(LPARAM lParam) {
    clientWidth_ = LOWORD(lParam);
    clientHeight_ = HIWORD(lParam);
    EnsureBackBuffer(clientWidth_, clientHeight_);
    Render();
}

void PreviewWindow::HandlePaint() {
    PaintFromBackBuffer(hwnd, memoryDC);
}

void PreviewWindow::HandleKeyDown(WPARAM key) {
    switch (key) {
        case VK_NEXT:
        case VK_DOWN:
            GoTo(shown_ + 1);
            break;
        case VK_PRIOR:
        case VK_UP:
            GoTo(shown_ > 0 ? shown_ - 1 : 0);
            break;
        case VK_HOME:
            GoTo(0);
            break;
        case VK_END:
            FinishIndex();
            GoTo(Count() > 0 ? Count() - 1 : 0);
            break;
        case VK_ESCAPE:
            Close();
            break;
        case 'P':
            if (GetKeyState(VK_CONTROL) < 0) {
                HWND target = owner;
                UINT command = printCommand_;
                Close();
                if (command != 0 && target != nullptr) {
                    PostMessageA(target, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
                }
            }
            break;
        default:
            break;
    }
}

void PreviewWindow::IndexSlice() {
    if (preview_ == nullptr) {
        return;
    }
    const double start = Milliseconds();
    while (!preview_->Final()) {
        const double runStart = Milliseconds();
        preview_->IndexMore(runPages_);
        const double now = Milliseconds();
        // Each run opens the file again: long runs cost the least, short ones answer sooner.
        if (now - runStart < kRunMilliseconds / 2 && runPages_ < kMostRunPages) {
            runPages_ *= 2;
        } else if (now - runStart > kRunMilliseconds * 2 && runPages_ > kFewestRunPages) {
            runPages_ /= 2;
        }
        if (now - start >= kSliceMilliseconds ||
            HIWORD(GetQueueStatus(QS_INPUT | QS_PAINT | QS_POSTMESSAGE | QS_SENDMESSAGE)) != 0) {
            break;
        }
    }
    if (preview_->Final() && hwnd != nullptr) {
        KillTimer(hwnd, kIndexTimer);
    }
    UpdateTitle();
}

void PreviewWindow::FinishIndex() {
    if (preview_ == nullptr || preview_->Final()) {
        return;
    }
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    while (!preview_->IndexMore(1024)) {
    }
    SetCursor(previous);
    if (hwnd != nullptr) {
        KillTimer(hwnd, kIndexTimer);
    }
    UpdateTitle();
}

void PreviewWindow::GoTo(std::size_t number) {
    if (preview_ == nullptr) {
        return;
    }
    // The page after the last one indexed is indexed first, when there is one.
    while (number >= Count() && !Final()) {
        preview_->IndexMore(1);
    }
    if (number >= Count()) {
        number = Count() > 0 ? Count() - 1 : 0;
    }
    shown_ = number;
    preview_->Show(shown_);
    UpdateTitle();
    Render();
}

void PreviewWindow::UpdateTitle() {
    if (hwnd == nullptr || preview_ == nullptr) {
        return;
    }
    std::string title = PreviewTitle(path_.c_str(), shown_, Count(), Final(), noPrinter_);
    WideText wide(title.c_str());
    SetWindowTextW(hwnd, wide.Text());
}

void PreviewWindow::Render() {
    if (memoryDC == nullptr || hwnd == nullptr || preview_ == nullptr) {
        return;
    }
    RECT client = {0, 0, clientWidth_, clientHeight_};
    FillColour(memoryDC, client, backColour);
    const int horz = preview_->HorzRes();
    const int vert = preview_->VertRes();
    const int roomX = clientWidth_ - 2 * kPageGap;
    const int roomY = clientHeight_ - 2 * kPageGap;
    runsDrawn_ = 0;
    pageRect_ = {};
    frameRect_ = {};
    if (horz > 0 && vert > 0 && roomX > 0 && roomY > 0) {
        // The printer's page in its proportions, as large as the window allows.
        double scale = static_cast<double>(roomX) / horz;
        if (static_cast<double>(roomY) / vert < scale) {
            scale = static_cast<double>(roomY) / vert;
        }
        int width = static_cast<int>(horz * scale + 0.5);
        int height = static_cast<int>(vert * scale + 0.5);
        int left = (clientWidth_ - width) / 2;
        int top = (clientHeight_ - height) / 2;
        pageRect_ = {left, top, left + width, top + height};
        FillColour(memoryDC, pageRect_, pageColour);
        OutlineColour(memoryDC, pageRect_, RGB(0, 0, 0));
        // The text area: inside the margins, from the top margin to the last text line.
        const PageGeometry& grid = preview_->Geometry();
        const PreviewPage& page = preview_->Page();
        auto across = [&](double units) { return left + static_cast<int>(units * scale + 0.5); };
        auto down = [&](double units) { return top + static_cast<int>(units * scale + 0.5); };
        double cw = page.charWidth;
        double lh = page.lineHeight;
        frameRect_ = {across(grid.LeftMarginCols * cw), down(grid.TopMarginLines * lh),
                      across((grid.LeftMarginCols + grid.UsableWidthCols) * cw),
                      down(grid.LastLine * lh)};
        OutlineColour(memoryDC, frameRect_, frameColour);
        DrawRuns(pageRect_, scale);
    }
    HDC windowDC = GetDC(hwnd);
    if (windowDC != nullptr) {
        BitBlt(windowDC, 0, 0, clientWidth_, clientHeight_, memoryDC, 0, 0, SRCCOPY);
        ReleaseDC(hwnd, windowDC);
    }
}

void PreviewWindow::DrawRuns(const RECT& page, double scale) {
    const PreviewPage& shown = preview_->Page();
    // The two printing fonts at scale, made once for the page.
    std::unique_ptr<ScaledFont> fonts[2];
    IntersectClipRect(memoryDC, page.left, page.top, page.right, page.bottom);
    std::vector<wchar_t> units;
    std::vector<INT> advances;
    for (const PreviewRun& run : shown.runs) {
        int bold = run.font.weight >= 700 ? 1 : 0;
        if (fonts[bold] == nullptr) {
            fonts[bold] = std::make_unique<ScaledFont>(run.font, scale);
        }
        SelectGuard font(memoryDC, fonts[bold]->Handle());
        // Each character at its own cell: the advances are the distances between the cells'
        // places on the screen, so the grid stays exact at any scale.
        units.clear();
        advances.clear();
        auto place = [&](std::size_t cell) {
            return page.left +
                   static_cast<int>((run.x + static_cast<double>(cell) * run.cellWidth) * scale +
                                    0.5);
        };
        std::size_t cell = 0;
        for (std::size_t at = 0; at < run.text.size();) {
            CellChar ch = NextCellChar(run.text.data(), run.text.size(), at);
            at += ch.bytes;
            int advance = ch.cells > 0 ? place(cell + ch.cells) - place(cell) : 0;
            cell += static_cast<std::size_t>(ch.cells);
            if (ch.code >= 0x10000) {
                units.push_back(static_cast<wchar_t>(0xD800 + ((ch.code - 0x10000) >> 10)));
                units.push_back(static_cast<wchar_t>(0xDC00 + ((ch.code - 0x10000) & 0x3FF)));
                advances.push_back(advance);
                advances.push_back(0);
            } else {
                units.push_back(static_cast<wchar_t>(ch.code));
                advances.push_back(advance);
            }
        }
        if (units.empty()) {
            continue;
        }
        int y = page.top + static_cast<int>(run.y * scale + 0.5);
        ExtTextOutW(memoryDC, place(0), y, 0, nullptr, units.data(),
                    static_cast<UINT>(units.size()), advances.data());
        ++runsDrawn_;
    }
    SelectClipRgn(memoryDC, nullptr);
}
