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
        RegisterClassA(&windowClass);  // refused harmlessly when an earlier test registered it
        parent_ = CreateWindowA("QuillmarDriveListTest", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
        combo = CreateWindowA(
            "COMBOBOX", "",
            WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, 10, 10, 120,
            200, parent_, nullptr, windowClass.hInstance, nullptr);
        ASSERT_NE(combo, nullptr);
        for (int d = 0; d < 26; ++d) {
            if ((GetLogicalDrives() >> d) & 1) {
                present.push_back(d);
            }
        }
        ASSERT_GE(present.size(), 2u) << "Wine has C: and Z: at least";
    }
    void TearDown() override { DestroyWindow(parent_); }

    std::vector<int> ItemData() const {
        std::vector<int> data;
        for (LRESULT i = 0; i < SendMessageA(combo, CB_GETCOUNT, 0, 0); ++i) {
            data.push_back(static_cast<int>(SendMessageA(combo, CB_GETITEMDATA, i, 0)));
        }
        return data;
    }
    LRESULT Current() const { return SendMessageA(combo, CB_GETCURSEL, 0, 0); }

    HWND combo = nullptr;
    std::vector<int> present;
    DriveList drives;

private:
    HWND parent_ = nullptr;
};

// The pixels of one item drawn by DriveList, or of a text drawn where the item text goes,
// on white.
std::vector<DWORD> Pixels(const DriveList* drives, const char* text, UINT item, ULONG_PTR data,
                          UINT action) {
    constexpr int kWidth = 120, kHeight = 20;
    BITMAPINFO info = {};
    info.bmiHeader = {
        static_cast<DWORD>(sizeof info.bmiHeader), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC context = CreateCompatibleDC(nullptr);
    DWORD* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(context, &info, DIB_RGB_COLORS,
                                      reinterpret_cast<void**>(&bits), nullptr, 0);
    HGDIOBJ previous = SelectObject(context, bitmap);
    std::fill(bits, bits + kWidth * kHeight, 0xFFFFFFu);
    if (drives != nullptr) {
        DRAWITEMSTRUCT draw = {};
        draw.CtlType = ODT_COMBOBOX;
        draw.itemID = item;
        draw.itemAction = action;
        draw.hDC = context;
        draw.rcItem = {0, 0, kWidth, kHeight};
        draw.itemData = data;
        drives->DrawItem(draw);
    } else {
        RECT area = {20, 0, kWidth, kHeight};
        DrawTextA(context, text, -1, &area, DT_SINGLELINE | DT_VCENTER);
    }
    std::vector<DWORD> pixels(bits, bits + kWidth * kHeight);
    SelectObject(context, previous);
    DeleteObject(bitmap);
    DeleteDC(context);
    return pixels;
}

const std::vector<DWORD> kBlank(120 * 20, 0xFFFFFFu);
}  // namespace

TEST_F(DriveListTest, OneItemForEachDriveInAscendingOrderWithItsNumber) {
    drives.Init(combo, present.back(), 106);
    EXPECT_EQ(ItemData(), present);
    EXPECT_EQ(drives.DriveMask(), GetLogicalDrives());
    EXPECT_EQ(Current(), static_cast<LRESULT>(present.size() - 1));
    drives.Init(combo, present.front(), 106);  // again: the items are replaced, not added
    EXPECT_EQ(ItemData(), present);
    EXPECT_EQ(drives.Selected(), present.front());
}

TEST_F(DriveListTest, SelectFindsEachPresentDriveWhereverItStands) {
    drives.Init(combo, 2, 106);
    for (std::size_t i = 0; i < present.size(); ++i) {
        drives.Select(present[i]);
        EXPECT_EQ(Current(), static_cast<LRESULT>(i));
        EXPECT_EQ(drives.Selected(), present[i]);
    }
}

TEST_F(DriveListTest, NoItemForTheDriveOrNoSelectionGivesMinusOne) {
    EXPECT_EQ(drives.Selected(), -1);  // no combo box yet
    drives.Init(combo, present.front(), 106);
    int absent = 0;
    while ((GetLogicalDrives() >> absent) & 1) {
        ++absent;
    }
    for (int drive : {absent, -1, 26}) {
        drives.Select(present.front());
        drives.Select(drive);
        EXPECT_EQ(Current(), CB_ERR) << drive;
        EXPECT_EQ(drives.Selected(), -1) << drive;
    }
}

TEST_F(DriveListTest, AnItemDrawsAsDriveAndItsLetter) {
    drives.Init(combo, 2, 106);  // the test program has no icon 106: the text alone
    std::vector<DWORD> driveZ = Pixels(nullptr, "Drive Z", 0, 0, 0);
    EXPECT_NE(driveZ, kBlank);
    EXPECT_NE(driveZ, Pixels(nullptr, "Drive Y", 0, 0, 0));
    EXPECT_EQ(Pixels(&drives, nullptr, 0, 25, ODA_DRAWENTIRE), driveZ);
    EXPECT_EQ(Pixels(&drives, nullptr, 1, 3, ODA_SELECT), Pixels(nullptr, "Drive D", 0, 0, 0));
}

TEST_F(DriveListTest, FocusOnlyTheEmptyFieldAndNoDriveDrawNothing) {
    drives.Init(combo, 2, 106);
    EXPECT_EQ(Pixels(&drives, nullptr, 0, 2, ODA_FOCUS), kBlank);
    EXPECT_EQ(Pixels(&drives, nullptr, static_cast<UINT>(-1), 0, ODA_DRAWENTIRE), kBlank);
    EXPECT_EQ(Pixels(&drives, nullptr, 0, 26, ODA_DRAWENTIRE), kBlank);
}
