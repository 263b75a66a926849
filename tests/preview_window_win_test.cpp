// PreviewWindow on real windows: the first page drawn into the back buffer, the index built on
// the timer, the keys and the wheel moving the page with the title, the page re-fitted to a new
// size in the printer's proportions, Ctrl+P and Esc, and the page without a printer.
#include "ui/preview_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "print/page_recorder.h"
#include "print/recording_surface.h"
#include "tests/box_script_win.h"
#include "tests/print_rig.h"
#include "tests/temp_dir.h"

namespace {

// 25 lines: three pages of ten text lines on the small page.
std::string ThreePages() {
    std::string text;
    for (int i = 1; i <= 25; ++i) {
        text += "line " + std::to_string(i) + " of the preview\n";
    }
    return text;
}

std::string Title(const PreviewWindow& preview) {
    wchar_t title[256] = {};
    GetWindowTextW(preview.hwnd, title, 256);
    char utf8[512] = {};
    WideCharToMultiByte(CP_UTF8, 0, title, -1, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

void Key(const PreviewWindow& preview, UINT key) {
    SendMessageA(preview.hwnd, WM_KEYDOWN, key, 0);
}

void Wheel(const PreviewWindow& preview, int distance) {
    SendMessageA(preview.hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(distance)), 0);
}

// Pixels inside `rect` of the back buffer that are neither the page's nor the frame's colour.
// The buffer is read once: a GetPixel for each pixel would take seconds.
int Ink(const PreviewWindow& preview, const RECT& rect) {
    HBITMAP bitmap = static_cast<HBITMAP>(GetCurrentObject(preview.memoryDC, OBJ_BITMAP));
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = -info.bmHeight;  // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(info.bmWidth) * info.bmHeight);
    EXPECT_EQ(GetDIBits(preview.memoryDC, bitmap, 0, static_cast<UINT>(info.bmHeight),
                        pixels.data(), &format, DIB_RGB_COLORS),
              info.bmHeight);
    auto colour = [](COLORREF c) {
        return static_cast<std::uint32_t>(GetRValue(c)) << 16 |
               static_cast<std::uint32_t>(GetGValue(c)) << 8 | GetBValue(c);
    };
    const std::uint32_t page = colour(preview.pageColour);
    const std::uint32_t frame = colour(preview.frameColour);
    int ink = 0;
    for (int y = rect.top + 1; y < rect.bottom - 1 && y < info.bmHeight; ++y) {
        for (int x = rect.left + 1; x < rect.right - 1 && x < info.bmWidth; ++x) {
            std::uint32_t pixel =
                pixels[static_cast<std::size_t>(y) * info.bmWidth + x] & 0xFFFFFFu;
            if (pixel != page && pixel != frame) {
                ++ink;
            }
        }
    }
    return ink;
}

void Resize(const PreviewWindow& preview, int width, int height) {
    SetWindowPos(preview.hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
}

// The page's width over its height matches the printer's within a pixel.
void ExpectProportions(const PreviewWindow& preview, int horz, int vert) {
    RECT page = preview.PageRect();
    RECT client;
    GetClientRect(preview.hwnd, &client);
    EXPECT_GE(page.left, 0);
    EXPECT_GE(page.top, 0);
    EXPECT_LE(page.right, client.right);
    EXPECT_LE(page.bottom, client.bottom);
    int width = page.right - page.left;
    int height = page.bottom - page.top;
    ASSERT_GT(width, 0);
    ASSERT_GT(height, 0);
    EXPECT_LE(std::abs(width * vert - height * horz), horz + vert) << width << " x " << height;
    // It fills the room one way: the client less the gaps.
    EXPECT_TRUE(width >= client.right - 17 || height >= client.bottom - 17);
}

struct PreviewFixture {
    PreviewFixture() : printer(SmallPage(), fonts) {}
    TempDir dir;
    PageRecorder fonts;
    RecordingSurface printer;
    PrintSettings settings;
    TestOwner owner;
    PreviewWindow preview;
};

}  // namespace

TEST(PreviewWindow, DrawsTheFirstPageAndBuildsTheIndexOnItsTimer) {
    PreviewFixture f;
    f.settings.LeftMargin = 0.5f;
    std::string path = f.dir.Write("three.txt", ThreePages());
    ASSERT_EQ(f.preview.Open(f.owner.hwnd, path.c_str(), f.settings, &f.printer, 500, 400, 0), 1);
    EXPECT_FALSE(IsWindowEnabled(f.owner.hwnd));
    EXPECT_EQ(f.preview.Shown(), 0u);
    // The first page shows at once; the count grows on the timer until it is final.
    EXPECT_EQ(Title(f.preview), "Preview - three.txt - page 1 of 2+");
    ASSERT_TRUE(PumpUntil([&] { return f.preview.Final(); }));
    EXPECT_EQ(Title(f.preview), "Preview - three.txt - page 1 of 3");

    // Grey around the page, white page, text inside the frame, the margin outside it blank.
    EXPECT_EQ(GetPixel(f.preview.memoryDC, 2, 2), f.preview.backColour);
    RECT page = f.preview.PageRect();
    RECT frame = f.preview.FrameRect();
    EXPECT_GT(frame.left, page.left + 5) << "half an inch of left margin";
    EXPECT_EQ(frame.top, page.top);
    EXPECT_LT(frame.bottom, page.bottom);
    EXPECT_EQ(f.preview.RunsDrawn(), 11u) << "ten lines and the footer";
    EXPECT_GT(Ink(f.preview, frame), 50);
    RECT margin = {page.left, page.top, frame.left, frame.bottom};
    EXPECT_EQ(Ink(f.preview, margin), 0);
    EXPECT_EQ(f.fonts.PagesStarted(), 0) << "nothing reaches the printer";
    SendMessageA(f.preview.hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(f.preview.hwnd, nullptr);
    EXPECT_TRUE(IsWindowEnabled(f.owner.hwnd));
    EXPECT_EQ(f.fonts.LiveFonts(), 0);
}

TEST(PreviewWindow, KeysAndTheWheelMoveThePageAndTheTitleFollows) {
    PreviewFixture f;
    std::string path = f.dir.Write("three.txt", ThreePages());
    ASSERT_EQ(f.preview.Open(f.owner.hwnd, path.c_str(), f.settings, &f.printer, 500, 400, 0), 1);
    ASSERT_TRUE(PumpUntil([&] { return f.preview.Final(); }));
    struct Step {
        UINT key;  // 0: the wheel by `wheel`
        int wheel;
        std::size_t shown;
        const char* title;
    };
    const Step steps[] = {
        {VK_NEXT, 0, 1, "Preview - three.txt - page 2 of 3"},
        {VK_NEXT, 0, 2, "Preview - three.txt - page 3 of 3"},
        {VK_NEXT, 0, 2, "Preview - three.txt - page 3 of 3"},
        {VK_HOME, 0, 0, "Preview - three.txt - page 1 of 3"},
        {VK_PRIOR, 0, 0, "Preview - three.txt - page 1 of 3"},
        {VK_END, 0, 2, "Preview - three.txt - page 3 of 3"},
        {VK_PRIOR, 0, 1, "Preview - three.txt - page 2 of 3"},
        {0, 120, 0, "Preview - three.txt - page 1 of 3"},
        {0, -120, 1, "Preview - three.txt - page 2 of 3"},
    };
    for (const Step& step : steps) {
        if (step.key != 0) {
            Key(f.preview, step.key);
        } else {
            Wheel(f.preview, step.wheel);
        }
        EXPECT_EQ(f.preview.Shown(), step.shown) << step.title;
        EXPECT_EQ(Title(f.preview), step.title);
    }
    // The last page holds five lines and the footer.
    Key(f.preview, VK_END);
    EXPECT_EQ(f.preview.RunsDrawn(), 6u);
    Key(f.preview, VK_ESCAPE);
    EXPECT_EQ(f.preview.hwnd, nullptr);
    EXPECT_TRUE(IsWindowEnabled(f.owner.hwnd));
}

TEST(PreviewWindow, ResizingRefitsThePageInThePrintersProportions) {
    PreviewFixture f;
    std::string path = f.dir.Write("three.txt", ThreePages());
    ASSERT_EQ(f.preview.Open(f.owner.hwnd, path.c_str(), f.settings, &f.printer, 500, 400, 0), 1);
    const RecordingMetrics page = SmallPage();
    ExpectProportions(f.preview, page.horzRes, page.vertRes);
    RECT before = f.preview.PageRect();
    const int sizes[][2] = {{300, 700}, {900, 300}, {1600, 1100}};
    for (const auto& size : sizes) {
        Resize(f.preview, size[0], size[1]);
        ExpectProportions(f.preview, page.horzRes, page.vertRes);
        EXPECT_GT(Ink(f.preview, f.preview.FrameRect()), 0) << size[0] << " x " << size[1];
    }
    EXPECT_NE(f.preview.PageRect().right - f.preview.PageRect().left, before.right - before.left);
    Key(f.preview, VK_ESCAPE);
}

TEST(PreviewWindow, CtrlPClosesItAndAsksTheOwnerToPrint) {
    PreviewFixture f;
    std::string path = f.dir.Write("three.txt", ThreePages());
    constexpr UINT kPrint = 40003;
    ASSERT_EQ(f.preview.Open(f.owner.hwnd, path.c_str(), f.settings, &f.printer, 500, 400, kPrint),
              1);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    Key(f.preview, 'P');
    EXPECT_NE(f.preview.hwnd, nullptr) << "P alone does nothing";
    BYTE pressed[256];
    std::memcpy(pressed, keys, sizeof pressed);
    pressed[VK_CONTROL] = 0x80;
    SetKeyboardState(pressed);
    Key(f.preview, 'P');
    SetKeyboardState(keys);
    EXPECT_EQ(f.preview.hwnd, nullptr);
    EXPECT_TRUE(IsWindowEnabled(f.owner.hwnd));
    MSG message = {};
    ASSERT_TRUE(PeekMessageA(&message, f.owner.hwnd, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(LOWORD(message.wParam), kPrint);
}

TEST(PreviewWindow, WithoutAPrinterTheVirtualLetterPageInTheSettingsFace) {
    PreviewFixture f;
    std::string path = f.dir.Write("three.txt", ThreePages());
    ASSERT_EQ(f.preview.Open(f.owner.hwnd, path.c_str(), f.settings, nullptr, 500, 400, 0), 1);
    ASSERT_TRUE(PumpUntil([&] { return f.preview.Final(); }));
    EXPECT_EQ(Title(f.preview), "Preview - three.txt - page 1 of 1 (no printer)");
    ExpectProportions(f.preview, 5100, 6600);
    EXPECT_GT(Ink(f.preview, f.preview.FrameRect()), 50);
    Key(f.preview, VK_ESCAPE);
}

TEST(PreviewWindow, NothingOpensForAFileWithoutPagesAndOnlyOneAtATime) {
    PreviewFixture f;
    EXPECT_EQ(f.preview.Open(f.owner.hwnd, f.dir.File("missing.txt").c_str(), f.settings,
                             &f.printer, 500, 400, 0),
              0);
    EXPECT_EQ(f.preview.hwnd, nullptr);
    EXPECT_TRUE(IsWindowEnabled(f.owner.hwnd));
    std::string path = f.dir.Write("three.txt", ThreePages());
    ASSERT_EQ(f.preview.Open(f.owner.hwnd, path.c_str(), f.settings, &f.printer, 500, 400, 0), 1);
    EXPECT_EQ(f.preview.Open(f.owner.hwnd, path.c_str(), f.settings, &f.printer, 500, 400, 0), 0);
    Key(f.preview, VK_ESCAPE);
}
