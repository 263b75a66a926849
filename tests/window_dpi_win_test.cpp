// WindowDpi on real windows: the resolution asked of the system, stock fonts made for another
// resolution and their release, icons loaded at the row sizes and their release.
#include "ui/window_dpi.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "ui/dpi_scale.h"

namespace {

// The folder icon, linked into this test executable under its program number.
constexpr int kFolderIcon = 105;

int IconWidth(HICON icon) {
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info)) {
        return 0;
    }
    BITMAP bitmap = {};
    GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor != nullptr) {
        DeleteObject(info.hbmColor);
    }
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

LOGFONTW FontOf(HFONT font) {
    LOGFONTW logFont = {};
    GetObjectW(font, sizeof logFont, &logFont);
    return logFont;
}

}  // namespace

TEST(WindowDpi, AWindowAndNoWindowGiveTheScreensResolution) {
    const int system = SystemDpi();
    EXPECT_GT(system, 0);
    EXPECT_EQ(WindowDpi(nullptr), system);
    HWND window = CreateWindowExA(0, "STATIC", "dpi", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowDpi(window), system) << "a system-wide resolution: every window has it";
    DestroyWindow(window);
}

TEST(DpiFont, TheStockFontItselfAt96OnA96System) {
    if (SystemDpi() != kDefaultDpi) {
        GTEST_SKIP() << "the prefix runs at " << SystemDpi() << " DPI";
    }
    DpiFont font;
    EXPECT_TRUE(font.Make(SYSTEM_FONT, 96));
    EXPECT_FALSE(font.OwnsFont());
    EXPECT_EQ(font.Handle(), GetStockObject(SYSTEM_FONT));
    font.Release();
    EXPECT_NE(GetObjectType(GetStockObject(SYSTEM_FONT)), 0u) << "a stock font is never deleted";
}

TEST(DpiFont, ACopyAtTwiceTheResolutionIsTwiceAsHighAndItsOwn) {
    const int system = SystemDpi();
    const LOGFONTW stock = FontOf(static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT)));
    DpiFont font;
    ASSERT_TRUE(font.Make(SYSTEM_FIXED_FONT, 2 * system));
    ASSERT_TRUE(font.OwnsFont());
    HFONT first = font.Handle();
    const LOGFONTW copy = FontOf(first);
    EXPECT_EQ(copy.lfHeight, 2 * stock.lfHeight);
    EXPECT_EQ(copy.lfWidth, 0) << "the face's own width";
    EXPECT_STREQ(copy.lfFaceName, stock.lfFaceName);

    // Made again for another resolution: the first copy is deleted.
    ASSERT_TRUE(font.Make(SYSTEM_FIXED_FONT, 3 * system / 2));
    EXPECT_EQ(GetObjectType(first), 0u);
    HFONT second = font.Handle();
    EXPECT_EQ(FontOf(second).lfHeight, RescaleHeight(stock.lfHeight, system, 3 * system / 2));
    font.Release();
    EXPECT_EQ(GetObjectType(second), 0u);
    EXPECT_FALSE(font.OwnsFont());

    ASSERT_TRUE(font.Make(SYSTEM_FONT, 2 * system, L"Microsoft Sans Serif"));
    EXPECT_STREQ(FontOf(font.Handle()).lfFaceName, L"Microsoft Sans Serif");
    EXPECT_EQ(FontOf(font.Handle()).lfWeight,
              FontOf(static_cast<HFONT>(GetStockObject(SYSTEM_FONT))).lfWeight);
}

TEST(DpiFont, ReleasedWhenItsHolderEnds) {
    HFONT held = nullptr;
    {
        DpiFont font;
        ASSERT_TRUE(font.Make(SYSTEM_FONT, 2 * SystemDpi()));
        held = font.Handle();
        EXPECT_EQ(GetObjectType(held), static_cast<DWORD>(OBJ_FONT));
    }
    EXPECT_EQ(GetObjectType(held), 0u);
}

TEST(SizedIcon, LoadedAtEachRowSizeAndReplaced) {
    HINSTANCE module = GetModuleHandleA(nullptr);
    SizedIcon icon;
    for (int size : kRowIconSizes) {
        ASSERT_TRUE(icon.Load(module, kFolderIcon, size)) << size;
        EXPECT_EQ(icon.Size(), size);
        EXPECT_EQ(IconWidth(icon.Handle()), size);
    }
    HICON at64 = icon.Handle();
    ASSERT_TRUE(icon.Load(module, kFolderIcon, 64));
    EXPECT_EQ(icon.Handle(), at64) << "the same size keeps the icon held";
    ASSERT_TRUE(icon.Load(module, kFolderIcon, 32));
    EXPECT_NE(icon.Handle(), at64);
    EXPECT_EQ(IconWidth(at64), 0) << "the replaced icon is destroyed";
}

TEST(SizedIcon, AMissingIconLeavesNoneAndDrawsNothing) {
    SizedIcon icon;
    ASSERT_TRUE(icon.Load(GetModuleHandleA(nullptr), kFolderIcon, 32));
    EXPECT_FALSE(icon.Load(GetModuleHandleA(nullptr), 999, 32));
    EXPECT_EQ(icon.Handle(), nullptr);
    EXPECT_EQ(icon.Size(), 0);
    HDC dc = CreateCompatibleDC(nullptr);
    icon.Draw(dc, 0, 0);  // nothing to draw: no crash, nothing drawn
    DeleteDC(dc);
}

TEST(SizedIcon, DestroyedWhenItsHolderEnds) {
    HICON held = nullptr;
    {
        SizedIcon icon;
        ASSERT_TRUE(icon.Load(GetModuleHandleA(nullptr), kFolderIcon, 48));
        held = icon.Handle();
        EXPECT_EQ(IconWidth(held), 48);
    }
    EXPECT_EQ(IconWidth(held), 0);
}

TEST(SizedIcon, DrawsThePictureInTheTopLeftPartAtItsSize) {
    SizedIcon icon;
    ASSERT_TRUE(icon.Load(GetModuleHandleA(nullptr), kFolderIcon, 64));
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 80, 80);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    RECT all = {0, 0, 80, 80};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    icon.Draw(dc, 0, 0);
    // The picture's fill inside its 36 by 28 pixels, nothing beyond them.
    EXPECT_EQ(GetPixel(dc, 10, 15), RGB(240, 200, 70));
    EXPECT_EQ(GetPixel(dc, RowPictureWidth(64) + 1, 15), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 10, RowPictureHeight(64) + 1), RGB(255, 255, 255));
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
