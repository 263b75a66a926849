// FileViewer on real windows and files: text, hex and empty files, the keys, scroll messages
// and the wheel moving topLine, the page following the window's size, the back buffer
// covering the client area, the owner disabled while it is open, and the text drawn in a
// TrueType fixed-pitch face with every character at its cell.
#include "ui/file_viewer.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "tests/box_script_win.h"
#include "tests/temp_dir.h"

namespace {

std::string NumberedLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "line " + std::to_string(i) + "\n";
    }
    return text;
}

void Key(const FileViewer& viewer, UINT virtualKey) {
    SendMessageA(viewer.hwnd, WM_KEYDOWN, virtualKey, 0);
}

void Wheel(const FileViewer& viewer, int distance) {
    SendMessageA(viewer.hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(distance)), 0);
}

SCROLLINFO ScrollBar(const FileViewer& viewer) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(viewer.hwnd, SB_VERT, &info);
    return info;
}

// True when the back buffer holds anything but background in text row `row`.
bool RowHasInk(const FileViewer& viewer, int row) {
    const int top = row * viewer.lineHeight;
    for (int y = top; y < top + viewer.lineHeight; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (GetPixel(viewer.memoryDC, x, y) != viewer.backColour) {
                return true;
            }
        }
    }
    return false;
}

void Close(FileViewer& viewer) {
    SendMessageA(viewer.hwnd, WM_CLOSE, 0, 0);
}

}  // namespace

TEST(FileViewer, ShowsATextFileAndScrollsWithKeysWheelAndScrollBar) {
    TempDir dir;
    std::string path = dir.Write("numbers.txt", NumberedLines(1000));
    TestOwner owner;
    FileViewer viewer;
    ASSERT_EQ(viewer.Open(owner.hwnd, path.c_str(), 622, 402, -1), 1);
    EXPECT_FALSE(IsWindowEnabled(owner.hwnd)) << "the owner is disabled while the viewer is open";
    char title[MAX_PATH] = {};
    GetWindowTextA(viewer.hwnd, title, sizeof title);
    EXPECT_EQ(std::string(title), path);
    EXPECT_EQ(viewer.mode, 1);
    EXPECT_EQ(viewer.lineCount, 1001u) << "the last line feed ends an empty last line";
    ASSERT_GT(viewer.lineHeight, 0);
    RECT client;
    GetClientRect(viewer.hwnd, &client);
    const int page = client.bottom / viewer.lineHeight;
    EXPECT_EQ(viewer.linesPerPage, page);
    EXPECT_EQ(static_cast<int>(ScrollBar(viewer).nPage), page) << "the page follows the size";
    EXPECT_EQ(ScrollBar(viewer).nMax, 1000);

    struct Step {
        const char* what;
        std::function<void()> act;
        std::uint64_t top;
    };
    const Step steps[] = {
        {"Down", [&] { Key(viewer, VK_DOWN); }, 1},
        {"Up", [&] { Key(viewer, VK_UP); }, 0},
        {"Up at the top changes nothing", [&] { Key(viewer, VK_UP); }, 0},
        {"PageDown", [&] { Key(viewer, VK_NEXT); }, static_cast<std::uint64_t>(page)},
        {"PageUp", [&] { Key(viewer, VK_PRIOR); }, 0},
        {"End brings the last line to the top", [&] { Key(viewer, VK_END); }, 1000},
        {"Down at the end changes nothing", [&] { Key(viewer, VK_DOWN); }, 1000},
        {"Home", [&] { Key(viewer, VK_HOME); }, 0},
        {"Right does nothing", [&] { Key(viewer, VK_RIGHT); }, 0},
        {"the wheel down moves 16 lines", [&] { Wheel(viewer, -WHEEL_DELTA * 3); }, 16},
        {"the wheel up moves 16 lines", [&] { Wheel(viewer, WHEEL_DELTA); }, 0},
        {"SB_LINEDOWN", [&] { SendMessageA(viewer.hwnd, WM_VSCROLL, SB_LINEDOWN, 0); }, 1},
        {"SB_PAGEDOWN", [&] { SendMessageA(viewer.hwnd, WM_VSCROLL, SB_PAGEDOWN, 0); },
         static_cast<std::uint64_t>(page) + 1},
        {"SB_THUMBPOSITION keeps the top",
         [&] { SendMessageA(viewer.hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 500), 0); },
         static_cast<std::uint64_t>(page) + 1},
        {"SB_BOTTOM", [&] { SendMessageA(viewer.hwnd, WM_VSCROLL, SB_BOTTOM, 0); }, 1000},
        {"SB_TOP", [&] { SendMessageA(viewer.hwnd, WM_VSCROLL, SB_TOP, 0); }, 0},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(viewer.topLine, step.top) << step.what;
        SCROLLINFO bar = ScrollBar(viewer);
        // The system keeps the thumb within the last page.
        const int last = bar.nMax - static_cast<int>(bar.nPage) + 1;
        EXPECT_EQ(bar.nPos, std::min<int>(static_cast<int>(step.top), last)) << step.what;
    }

    EXPECT_EQ(viewer.Open(owner.hwnd, path.c_str(), 622, 402, -1), 0) << "one viewer at a time";
    Close(viewer);
    EXPECT_EQ(viewer.hwnd, nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd)) << "closing enables the owner";
    EXPECT_EQ(viewer.Open(owner.hwnd, path.c_str(), 622, 402, -1), 1) << "View again works";
    Close(viewer);
}

TEST(FileViewer, DrawsTheLinesFromTheTopLine) {
    TempDir dir;
    std::string path = dir.Write("gaps.txt", "first\n\nthird\n");
    TestOwner owner;
    FileViewer viewer;
    ASSERT_EQ(viewer.Open(owner.hwnd, path.c_str(), 400, 300, -1), 1);
    EXPECT_TRUE(RowHasInk(viewer, 0));
    EXPECT_FALSE(RowHasInk(viewer, 1)) << "the empty second line";
    EXPECT_TRUE(RowHasInk(viewer, 2));
    EXPECT_FALSE(RowHasInk(viewer, 3)) << "the empty last line";
    Key(viewer, VK_DOWN);
    EXPECT_FALSE(RowHasInk(viewer, 0));
    EXPECT_TRUE(RowHasInk(viewer, 1));
    EXPECT_FALSE(RowHasInk(viewer, 2)) << "nothing is left of the previous screen";
    Close(viewer);
}

TEST(FileViewer, ShowsBinaryAndEmptyFiles) {
    TempDir dir;
    std::string binary(1000, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i) {
        binary[i] = static_cast<char>(i * 7);
    }
    std::string binaryPath = dir.Write("data.bin", binary);
    std::string emptyPath = dir.Write("empty.txt", "");
    TestOwner owner;
    FileViewer viewer;

    ASSERT_EQ(viewer.Open(owner.hwnd, binaryPath.c_str(), 622, 402, -1), 1);
    EXPECT_EQ(viewer.mode, 0) << "shown as a hex dump";
    EXPECT_EQ(viewer.lineCount, 63u);
    Key(viewer, VK_END);
    EXPECT_EQ(viewer.topLine, 62u);
    EXPECT_TRUE(RowHasInk(viewer, 0));
    EXPECT_FALSE(RowHasInk(viewer, 1));
    Close(viewer);

    ASSERT_EQ(viewer.Open(owner.hwnd, emptyPath.c_str(), 622, 402, -1), 1);
    EXPECT_EQ(viewer.mode, 1);
    EXPECT_EQ(viewer.lineCount, 1u);
    Key(viewer, VK_NEXT);
    EXPECT_EQ(viewer.topLine, 0u);
    Close(viewer);

    ASSERT_EQ(viewer.Open(owner.hwnd, emptyPath.c_str(), 622, 402, 0), 1);
    EXPECT_EQ(viewer.lineCount, 0u) << "an empty file in hex has no lines";
    Key(viewer, VK_END);
    EXPECT_EQ(viewer.topLine, 0u);
    Close(viewer);
}

TEST(FileViewer, AFileThatCannotBeReadOpensNoWindow) {
    TempDir dir;
    TestOwner owner;
    FileViewer viewer;
    std::string missing = dir.File("missing.txt");
    EXPECT_EQ(viewer.Open(owner.hwnd, missing.c_str(), 622, 402, -1), 0);
    EXPECT_EQ(viewer.hwnd, nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd));
    EXPECT_EQ(viewer.memoryDC, nullptr) << "what creation made is released";
    EXPECT_EQ(viewer.Open(owner.hwnd, dir.Path().c_str(), 622, 402, -1), 0) << "a directory";
}

TEST(FileViewer, ThePageAndTheBackBufferFollowTheWindowSize) {
    TempDir dir;
    std::string path = dir.Write("numbers.txt", NumberedLines(5000));
    TestOwner owner;
    FileViewer viewer;
    ASSERT_EQ(viewer.Open(owner.hwnd, path.c_str(), 622, 402, -1), 1);
    const int before = viewer.linesPerPage;
    SetWindowPos(viewer.hwnd, nullptr, 0, 0, 622, 802, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_GT(viewer.linesPerPage, before);
    EXPECT_EQ(static_cast<int>(ScrollBar(viewer).nPage), viewer.linesPerPage);
    Key(viewer, VK_NEXT);
    EXPECT_EQ(viewer.topLine, static_cast<std::uint64_t>(viewer.linesPerPage));

    // Wider and taller than the screen, as across several monitors.
    const int wide = GetSystemMetrics(SM_CXSCREEN) + 500;
    const int tall = GetSystemMetrics(SM_CYSCREEN) + 300;
    SetWindowPos(viewer.hwnd, nullptr, 0, 0, wide, tall, SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(viewer.hwnd, &client);
    EXPECT_EQ(viewer.clientHeight, client.bottom);
    EXPECT_GE(viewer.bufferSize.cx, client.right);
    EXPECT_GE(viewer.bufferSize.cy, client.bottom);
    EXPECT_EQ(viewer.linesPerPage, client.bottom / viewer.lineHeight);
    Close(viewer);
}

TEST(FileViewer, AMoveToAScreenOfTwiceTheResolutionTakesTheSuggestedPlaceAndALargerFont) {
    TempDir dir;
    std::string path = dir.Write("numbers.txt", NumberedLines(5000));
    TestOwner owner;
    FileViewer viewer;
    ASSERT_EQ(viewer.Open(owner.hwnd, path.c_str(), 622, 402, -1), 1);
    const int dpi = viewer.dpi;
    EXPECT_EQ(dpi, WindowDpi(viewer.hwnd));
    const int lineHeight = viewer.lineHeight;
    const int cellWidth = viewer.cellWidth;
    HFONT before = viewer.font;

    // What the system sends when the window is moved to such a screen.
    RECT suggested = {40, 30, 40 + 1244, 30 + 804};
    SendMessageA(viewer.hwnd, WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    RECT now = {};
    GetWindowRect(viewer.hwnd, &now);
    EXPECT_EQ(now.left, suggested.left);
    EXPECT_EQ(now.top, suggested.top);
    EXPECT_EQ(now.right, suggested.right);
    EXPECT_EQ(now.bottom, suggested.bottom);
    EXPECT_EQ(viewer.dpi, 2 * dpi);
    EXPECT_NE(viewer.font, before);
    EXPECT_GE(viewer.lineHeight, 2 * lineHeight - 2);
    EXPECT_LE(viewer.lineHeight, 2 * lineHeight + 2);
    EXPECT_GE(viewer.cellWidth, 2 * cellWidth - 2);
    EXPECT_EQ(viewer.linesPerPage, viewer.clientHeight / viewer.lineHeight);
    EXPECT_EQ(static_cast<int>(ScrollBar(viewer).nPage), viewer.linesPerPage);
    EXPECT_TRUE(RowHasInk(viewer, 0)) << "redrawn in the new font";

    // And back: the measures of the start again.
    SendMessageA(viewer.hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(viewer.lineHeight, lineHeight);
    EXPECT_EQ(viewer.cellWidth, cellWidth);
    Close(viewer);
}

TEST(FileViewer, AViewerDestroyedWithItsOwnerCanOpenAgain) {
    TempDir dir;
    std::string path = dir.Write("a.txt", "text\n");
    FileViewer viewer;
    {
        TestOwner owner;
        ASSERT_EQ(viewer.Open(owner.hwnd, path.c_str(), 300, 200, -1), 1);
    }
    EXPECT_EQ(viewer.hwnd, nullptr);
    EXPECT_EQ(viewer.memoryDC, nullptr);
    TestOwner owner;
    EXPECT_EQ(viewer.Open(owner.hwnd, path.c_str(), 300, 200, -1), 1);
    Close(viewer);
}

namespace {

// True when the back buffer holds anything but background in cell `cell` of text row `row`.
bool CellHasInk(const FileViewer& viewer, int row, int cell) {
    const int top = row * viewer.lineHeight;
    const int left = cell * viewer.cellWidth;
    for (int y = top; y < top + viewer.lineHeight; ++y) {
        for (int x = left; x < left + viewer.cellWidth; ++x) {
            if (GetPixel(viewer.memoryDC, x, y) != viewer.backColour) {
                return true;
            }
        }
    }
    return false;
}

// The cells of `row` that hold ink, from 0 to `cells` - 1, as a text of "#" and ".".
std::string InkedCells(const FileViewer& viewer, int row, int cells) {
    std::string shown;
    for (int cell = 0; cell < cells; ++cell) {
        shown += CellHasInk(viewer, row, cell) ? '#' : '.';
    }
    return shown;
}

}  // namespace

TEST(FileViewer, DrawsInATrueTypeFixedPitchFaceThatHasTheCharacters) {
    TempDir dir;
    std::string path =
        dir.Write("letters.txt", "caf\xC3\xA9 \xCE\xA9mega \xD0\x96\xD1\x83\xD0\xBA\n");
    TestOwner owner;
    FileViewer viewer;
    ASSERT_EQ(viewer.Open(owner.hwnd, path.c_str(), 622, 402, -1), 1);
    EXPECT_EQ(viewer.mode, 1);
    TEXTMETRICW metrics = {};
    ASSERT_TRUE(GetTextMetricsW(viewer.memoryDC, &metrics));
    EXPECT_TRUE(metrics.tmPitchAndFamily & TMPF_TRUETYPE) << "a TrueType face";
    // The bit's name says the opposite of what it means: set, the pitch is variable.
    EXPECT_FALSE(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) << "a fixed pitch";
    EXPECT_GT(viewer.cellWidth, 0);
    EXPECT_EQ(viewer.cellWidth, metrics.tmAveCharWidth);
    // As tall as the stock font's cells, on its lines, so that a screen holds the lines it
    // always held.
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, GetStockObject(SYSTEM_FIXED_FONT));
    TEXTMETRICW stock = {};
    GetTextMetricsW(screen, &stock);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(viewer.memoryDC, LF_FACESIZE, face);
    EXPECT_LE(metrics.tmHeight, stock.tmHeight) << "the face chosen: " << face;
    EXPECT_GE(metrics.tmHeight, stock.tmHeight - 1) << "the face chosen: " << face;
    EXPECT_EQ(viewer.lineHeight, std::max(metrics.tmHeight + metrics.tmExternalLeading,
                                          stock.tmHeight + stock.tmExternalLeading));

    const wchar_t letters[] = L"\u00E9\u00FC\u00DF\u20AC\u00BD\u03A9\u0416\u201C\u201D";
    WORD glyphs[sizeof letters / sizeof letters[0]] = {};
    const int count = static_cast<int>(wcslen(letters));
    ASSERT_EQ(
        GetGlyphIndicesW(viewer.memoryDC, letters, count, glyphs, GGI_MARK_NONEXISTING_GLYPHS),
        static_cast<DWORD>(count));
    for (int i = 0; i < count; ++i) {
        EXPECT_NE(glyphs[i], 0xFFFF)
            << "the face lacks U+" << std::hex << static_cast<unsigned>(letters[i]);
    }
    Close(viewer);
}

TEST(FileViewer, EachCharacterAtItsCell) {
    TempDir dir;
    const struct {
        const char* what;
        const char* line;
        const char* ink;  // the cells 0 to 11 as they must be: "#" ink, "." blank, "?" either
    } rows[] = {
        {"a tab stops at cell 8", "\tX", "........#..."},
        {"a tab after a wide character", "\xE6\x97\xA5\tX|", "??......##.."},
        {"a wide character covers two cells", "\xE6\x97\xA5X", "??#........."},
        {"three wide characters", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9EX", "??????#....."},
        {"a combining mark over its letter", "e\xCC\x81X", "##.........."},
        {"letters beyond ASCII, one cell each", "\xC3\xA9\xCE\xA9\xD0\x96\xE2\x82\xAC|",
         "#####......."},
        {"ten e-acute and bars", "\xC3\xA9|\xC3\xA9|\xC3\xA9|\xC3\xA9|\xC3\xA9|\xC3\xA9|",
         "############"},
        {"a blank between", "X X", "#.#........."},
    };
    std::string text;
    for (const auto& row : rows) {
        text += row.line;
        text += '\n';
    }
    std::string path = dir.Write("cells.txt", text);
    TestOwner owner;
    FileViewer viewer;
    ASSERT_EQ(viewer.Open(owner.hwnd, path.c_str(), 622, 402, -1), 1);
    ASSERT_EQ(viewer.mode, 1) << "tabs and letters beyond ASCII are text";
    ASSERT_GT(viewer.cellWidth, 0);
    for (int i = 0; i < static_cast<int>(sizeof rows / sizeof rows[0]); ++i) {
        const std::string wanted = rows[i].ink;
        const std::string shown = InkedCells(viewer, i, static_cast<int>(wanted.size()));
        for (std::size_t cell = 0; cell < wanted.size(); ++cell) {
            if (wanted[cell] != '?') {
                EXPECT_EQ(shown[cell], wanted[cell])
                    << rows[i].what << ": cell " << cell << " of " << shown;
            }
        }
    }
    // The wide characters draw at all, from the face the system links for them.
    EXPECT_TRUE(CellHasInk(viewer, 2, 0) || CellHasInk(viewer, 2, 1));
    Close(viewer);
}
