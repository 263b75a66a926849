// PreviewWindow: the print preview: one page at a time as the print job lays it out for the
// printer in force, scaled to fit the window on a grey background, with a light frame around
// the text area. The page index is built in slices on a timer while the window answers its
// keys; the owner is disabled while the preview is open.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>

#include "print/page_recorder.h"
#include "print/print_preview.h"
#include "print/recording_surface.h"
#include "text/code_page.h"
#include "ui/window.h"

class PreviewWindow : public Window {
public:
    static constexpr char kClassName[] = "PREVIEWCLS";
    static constexpr UINT_PTR kIndexTimer = 1;
    // The longest an index slice runs; it ends sooner when input waits. Its runs of pages
    // grow or shrink to take about kRunMilliseconds each, so that input waits no longer.
    static constexpr DWORD kSliceMilliseconds = 250;
    static constexpr double kRunMilliseconds = 40;

    PreviewWindow();
    ~PreviewWindow() override;

    // Opens the preview of `path` laid out with `settings` on `printer` (null: no printer,
    // then the virtual letter page of NoPrinterPage, and the title says so), `width` by
    // `height`, centred on `owner`. Ctrl+P closes it and posts `printCommand` to the owner as
    // a WM_COMMAND. 1 when the window was made; 0 when one is open already or the file shows
    // no page (no window, owner untouched).
    int Open(HWND owner, const char* path, const PrintSettings& settings, PrintSurface* printer,
             int width, int height, UINT printCommand);

    // The legacy code page files are read in, as printing reads them.
    void SetCodePage(int codePage) { codePage_ = codePage; }

    int RegisterWindowClass() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Shows page `number` (from 0; past the pages indexed: the last of them).
    void GoTo(std::size_t number);
    // Indexes the rest of the file at once.
    void FinishIndex();
    // One slice of the index: runs of pages until the count is final, the slice's time is up
    // or input waits.
    void IndexSlice();

    std::size_t Shown() const { return shown_; }
    std::size_t Count() const { return preview_ != nullptr ? preview_->PageCount() : 0; }
    bool Final() const { return preview_ != nullptr && preview_->Final(); }
    // The page's place in the client area, as last drawn.
    RECT PageRect() const { return pageRect_; }
    // The text area's frame inside it.
    RECT FrameRect() const { return frameRect_; }
    // Runs drawn on the last page, and the size in pixels of its font's cells.
    std::size_t RunsDrawn() const { return runsDrawn_; }

    HDC memoryDC = nullptr;
    HWND owner = nullptr;
    COLORREF backColour = RGB(128, 128, 128);
    COLORREF pageColour = RGB(255, 255, 255);
    COLORREF frameColour = RGB(176, 196, 222);

private:
    LRESULT HandleCreate();
    void HandleSize(LPARAM lParam);
    void HandlePaint();
    void HandleKeyDown(WPARAM key);
    void Close();
    bool EnsureBackBuffer(int width, int height);
    void ReleaseResources();
    void UpdateTitle();
    // Draws the page into the back buffer and copies it to the window.
    void Render();
    void DrawRuns(const RECT& page, double scale);

    std::unique_ptr<PrintPreview> preview_;
    // Without a printer: the virtual page and the fonts it makes.
    std::unique_ptr<PageRecorder> virtualFonts_;
    std::unique_ptr<RecordingSurface> virtualPrinter_;
    std::string path_;
    PrintSettings settings_;
    bool noPrinter_ = false;
    int codePage_ = kDefaultCodePage;
    UINT printCommand_ = 0;
    std::size_t shown_ = 0;
    int runPages_ = 256;  // pages of the next index run
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    RECT pageRect_ = {};
    RECT frameRect_ = {};
    std::size_t runsDrawn_ = 0;
    SIZE bufferSize_ = {};
    HBITMAP backBitmap_ = nullptr;
    HGDIOBJ originalBitmap_ = nullptr;
    static bool registered_;
};
