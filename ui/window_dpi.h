// WindowDpi: the resolution a window is shown at, and the system's fonts and the program's
// icons made for it.
#pragma once

#include <windows.h>

// The resolution of the screen `window` is on. Where the system has GetDpiForWindow (Windows
// 10 on), its answer; else, and for no window, the vertical pixels per inch of the screen's
// device context. Never 0.
int WindowDpi(HWND window);

// The resolution the system's stock fonts and metrics are made for.
int SystemDpi();

// A copy of a stock font for a resolution, at its height scaled from the system's resolution
// and in its face's own width. At 96 DPI on a 96-DPI system it holds no font and Handle gives
// the stock font itself, so that nothing changes there.
class DpiFont {
public:
    DpiFont() = default;
    ~DpiFont();
    DpiFont(const DpiFont&) = delete;
    DpiFont& operator=(const DpiFont&) = delete;

    // Makes the stock font `stockId` (GetStockObject) for `dpi`, replacing the font held; a
    // copy takes `face` when it is given (a stock face may be a bitmap face of a few sizes,
    // which the system stretches badly). False when no copy could be made; Handle then gives
    // the stock font.
    bool Make(int stockId, int dpi, const wchar_t* face = nullptr);
    HFONT Handle() const;
    // True while a copy of its own is held.
    bool OwnsFont() const { return own_ != nullptr; }
    void Release();

private:
    HFONT own_ = nullptr;
    HFONT stock_ = nullptr;
};

// An icon of the program's resources loaded at one size; destroyed with its holder.
class SizedIcon {
public:
    SizedIcon() = default;
    ~SizedIcon();
    SizedIcon(const SizedIcon&) = delete;
    SizedIcon& operator=(const SizedIcon&) = delete;

    // Loads icon `iconId` of `module` (null: the system's icons, `iconId` an IDI_ value) at
    // `size` by `size` pixels, replacing the icon held; keeps the one held when it is of that
    // size already. False when it cannot be loaded (none is held then).
    bool Load(HINSTANCE module, int iconId, int size);
    // Draws the icon with its top-left corner at x, y; nothing without an icon.
    void Draw(HDC dc, int x, int y) const;
    HICON Handle() const { return icon_; }
    int Size() const { return size_; }
    void Release();

private:
    HICON icon_ = nullptr;
    HINSTANCE module_ = nullptr;
    int iconId_ = 0;
    int size_ = 0;
};

// The face dialogs and the program's own texts take at resolutions other than 96: the
// TrueType form of MS Sans Serif. The templates' faces (System, MS Sans Serif) are bitmap
// faces of a few sizes, which the system stretches badly.
constexpr char kScalableFace[] = "Microsoft Sans Serif";
constexpr wchar_t kScalableFaceWide[] = L"Microsoft Sans Serif";

// Runs dialog template `templateId` of `module` modally, as DialogBoxParamA does. At 96 DPI
// the template as it is; at any other resolution a copy of it in kScalableFace, so that its
// texts and dialog units grow with the display (the controls keep their own fonts).
INT_PTR DialogBoxForDpi(HINSTANCE module, int templateId, HWND owner, DLGPROC procedure,
                        LPARAM parameter, int dpi);
