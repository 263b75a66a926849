// Tests of DriveList on a real owner-drawn combo box without strings, in a test window.
#include "browser/drive_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {
class DriveListTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QuillmarDriveListTest";
        RegisterClassA(&windowClass);  // fails harmlessly when registered by an earlier test
        parent_ = CreateWindowA("QuillmarDriveListTest", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(parent_, nullptr);
        combo = CreateWindowA(
            "COMBOBOX", "",
            WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, 10, 10, 120,
            200, parent_, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(combo, nullptr);
    }
    void TearDown() override { DestroyWindow(parent_); }

    std::vector<int> PresentDrives() const {
        std::vector<int> drives;
        DWORD mask = GetLogicalDrives();
        for (int d = 0; d < 26; ++d) {
            if ((mask >> d) & 1) {
                drives.push_back(d);
            }
        }
        return drives;
    }
    std::vector<int> ItemData() const {
        std::vector<int> data;
        LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            data.push_back(static_cast<int>(SendMessageA(combo, CB_GETITEMDATA, i, 0)));
        }
        return data;
    }

    HWND combo = nullptr;
    DriveList drives;

private:
    HWND parent_ = nullptr;
};

// Renders one item, or the reference text at the text's place, into a white bitmap.
class Canvas {
public:
    Canvas() {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        context_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(context_, &info, DIB_RGB_COLORS,
                                   reinterpret_cast<void**>(&bits_), nullptr, 0);
        previous_ = SelectObject(context_, bitmap_);
        std::fill(bits_, bits_ + kWidth * kHeight, 0xFFFFFFu);
    }
    ~Canvas() {
        SelectObject(context_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(context_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void Draw(const DriveList& list, UINT item, ULONG_PTR data, UINT action) {
        DRAWITEMSTRUCT draw = {};
        draw.CtlType = ODT_COMBOBOX;
        draw.itemID = item;
        draw.itemAction = action;
        draw.hDC = context_;
        draw.rcItem = {0, 0, kWidth, kHeight};
        draw.itemData = data;
        list.DrawItem(draw);
    }
    void Text(const char* text) {
        RECT area = {20, 0, kWidth, kHeight};
        DrawTextA(context_, text, -1, &area, DT_SINGLELINE | DT_VCENTER);
    }
    std::vector<DWORD> Pixels() const {
        return std::vector<DWORD>(bits_, bits_ + kWidth * kHeight);
    }
    bool Blank() const {
        return std::all_of(bits_, bits_ + kWidth * kHeight, [](DWORD p) { return p == 0xFFFFFFu; });
    }

private:
    static constexpr int kWidth = 120;
    static constexpr int kHeight = 20;
    HDC context_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    DWORD* bits_ = nullptr;
};
}  // namespace

TEST_F(DriveListTest, OneItemForEachDriveInAscendingOrder) {
    std::vector<int> present = PresentDrives();
    ASSERT_GE(present.size(), 2u) << "Wine has C: and Z: at least";
    drives.Init(combo, present.back(), 106);
    EXPECT_EQ(ItemData(), present);
    EXPECT_EQ(drives.DriveMask(), GetLogicalDrives());
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), static_cast<LRESULT>(present.size() - 1));
    drives.Init(combo, present.front(), 106);  // again: the items are replaced, not doubled
    EXPECT_EQ(ItemData(), present);
    EXPECT_EQ(drives.Selected(), present.front());
}

TEST_F(DriveListTest, SelectFindsEachPresentDriveWhereverItStands) {
    std::vector<int> present = PresentDrives();
    drives.Init(combo, 2, 106);
    for (std::size_t i = 0; i < present.size(); ++i) {
        drives.Select(present[i]);
        EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), static_cast<LRESULT>(i));
        EXPECT_EQ(drives.Selected(), present[i]);
    }
}

TEST_F(DriveListTest, NoItemForTheDriveSelectsNothing) {
    std::vector<int> present = PresentDrives();
    drives.Init(combo, present.front(), 106);
    int absent = 0;
    while ((GetLogicalDrives() >> absent) & 1) {
        ++absent;
    }
    drives.Select(absent);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(drives.Selected(), -1);
    drives.Select(present.front());
    drives.Select(-1);
    EXPECT_EQ(drives.Selected(), -1);
}

TEST_F(DriveListTest, NoSelectionAndNoComboGiveMinusOne) {
    DriveList unset;
    EXPECT_EQ(unset.Selected(), -1);
    drives.Init(combo, 2, 106);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(drives.Selected(), -1);
}

TEST_F(DriveListTest, AnItemDrawsAsDriveAndItsLetter) {
    drives.Init(combo, 2, 106);  // the test program has no icon 106: text only
    Canvas drawn;
    drawn.Draw(drives, 0, 25, ODA_DRAWENTIRE);
    Canvas expected;
    expected.Text("Drive Z");
    Canvas other;
    other.Text("Drive Y");
    EXPECT_FALSE(expected.Blank());
    EXPECT_NE(expected.Pixels(), other.Pixels());
    EXPECT_EQ(drawn.Pixels(), expected.Pixels());

    Canvas selected;
    selected.Draw(drives, 1, 3, ODA_SELECT);
    Canvas driveD;
    driveD.Text("Drive D");
    EXPECT_EQ(selected.Pixels(), driveD.Pixels());
}

TEST_F(DriveListTest, FocusOnlyTheEmptyFieldAndNoDriveDrawNothing) {
    drives.Init(combo, 2, 106);
    Canvas focus;
    focus.Draw(drives, 0, 2, ODA_FOCUS);
    EXPECT_TRUE(focus.Blank());
    Canvas empty;
    empty.Draw(drives, static_cast<UINT>(-1), 0, ODA_DRAWENTIRE);
    EXPECT_TRUE(empty.Blank());
    Canvas bad;
    bad.Draw(drives, 0, 26, ODA_DRAWENTIRE);
    EXPECT_TRUE(bad.Blank());
}
