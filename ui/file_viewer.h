// FileViewer: a window that shows one file, as text or as a hex dump, a screen of lines at a
// time in a TrueType fixed-pitch face, each character at its cell, with a vertical scroll bar,
// the cursor keys and the mouse wheel. Lines are drawn into a back buffer and copied to the
// window. The owner is disabled while the viewer is open.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/dpi_scale.h"
#include "ui/text_font.h"
#include "ui/viewer_document.h"
#include "ui/viewer_scroll.h"
#include "ui/window.h"
#include "ui/window_dpi.h"

class FileViewer : public Window {
public:
    static constexpr char kClassName[] = "FILEVIEWERCLS";
    // The face the text is drawn in: fixed-pitch, on every system, and linked by the system to
    // the fonts of the scripts it lacks.
    static constexpr char kFaceName[] = "Courier New";

    FileViewer();
    ~FileViewer() override;

    // Opens a viewer window of `width` by `height` titled `path` (which must live as long
    // as the window), centred on `owner`, showing the file as text (mode 1), hex (0) or as
    // its first bytes suggest (-1). 1 when the window was made; 0 when one is already open,
    // or the file cannot be read or indexed (no window, nothing said, owner untouched).
    int Open(HWND owner, const char* path, int width, int height, int mode);

    int RegisterWindowClass() override;
    // The viewer's own dispatcher; none of the base class's handlers is used.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Moves the top line by a scroll request (its low word): a scroll-bar code, or 0x465 and
    // 0x466 for the wheel. With `redraw`, draws the new screen.
    void Scroll(WPARAM request, bool redraw);
    // Draws the visible whole lines into the back buffer and copies it to the window.
    void Render();

    int mode = -1;
    int wheelStep = kWheelStep;
    const char* filePath = nullptr;
    HWND owner = nullptr;
    HDC memoryDC = nullptr;
    ViewerDocument document;
    HBRUSH backBrush = nullptr;
    COLORREF textColour;
    COLORREF backColour;
    // The font selected into memoryDC: textFont's, or the stock fixed font when that could
    // not be made.
    HFONT font = nullptr;
    TextFont textFont;
    // The resolution the window is shown at; the font is made for it.
    int dpi = kDefaultDpi;
    int clientWidth = 0;
    int clientHeight = 0;
    int maxLineChars = kViewerMaxLineChars;
    int linesPerPage = 0;
    std::uint64_t lineCount = 0;
    int lineHeight = 0;
    // The width of one cell: the font's average character width, pixels. A wide character
    // covers two.
    int cellWidth = 0;
    std::uint64_t topLine = 0;
    std::int32_t scrollMax = 1;
    std::uint32_t length = 0;
    int tabWidth = kViewerTabWidth;
    // The back buffer's size: the screen's at first, grown to cover a larger client area.
    SIZE bufferSize = {};

private:
    LRESULT HandleCreate();
    void HandleSize(LPARAM lParam);
    void HandlePaint();
    void HandleKeyDown(WPARAM key);
    // A move to a screen of another resolution: the suggested rectangle, the font for it.
    void HandleDpiChanged(int newDpi, const RECT& suggested);
    // Selects the font for `dpi` into the back buffer and measures its lines and cells.
    void UseFontForDpi();
    // Makes the back buffer at least `width` by `height`; false when it cannot grow.
    bool EnsureBackBuffer(int width, int height);
    // Sets the scroll bar's page from linesPerPage.
    void UpdateScrollPage();
    void ReleaseResources();

    HBITMAP backBitmap_ = nullptr;
    HGDIOBJ originalBitmap_ = nullptr;
    HGDIOBJ originalFont_ = nullptr;
    HGDIOBJ originalBrush_ = nullptr;
    static bool registered_;
};
