// DriveList: the drive selector on a Win32 combo box.
#include "browser/drive_list.h"

namespace {
constexpr int kDriveCount = 26;
}  // namespace

void DriveList::Init(HWND combo, int drive, int iconId) {
    comboWindow_ = combo;
    driveMask_ = GetLogicalDrives();
    SendMessageA(comboWindow_, CB_RESETCONTENT, 0, 0);
    for (int d = 0; d < kDriveCount; ++d) {
        if ((driveMask_ >> d) & 1) {
            // Without CBS_HASSTRINGS the "string" is stored as the item's data.
            SendMessageA(comboWindow_, CB_ADDSTRING, 0, static_cast<LPARAM>(d));
        }
    }
    iconId_ = iconId;
    icon_.Release();
    Select(drive);
}

void DriveList::Select(int drive) const {
    LRESULT count = SendMessageA(comboWindow_, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (SendMessageA(comboWindow_, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == drive) {
            SendMessageA(comboWindow_, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            return;
        }
    }
    SendMessageA(comboWindow_, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

int DriveList::Selected() const {
    if (comboWindow_ == nullptr) {
        return -1;
    }
    LRESULT index = SendMessageA(comboWindow_, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) {
        return -1;
    }
    LRESULT data = SendMessageA(comboWindow_, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    return (data >= 0 && data < kDriveCount) ? static_cast<int>(data) : -1;
}

void DriveList::DrawItem(const DRAWITEMSTRUCT& item) const {
    if ((item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) == 0) {
        return;
    }
    if (item.itemID == static_cast<UINT>(-1) || item.itemData >= kDriveCount) {
        return;
    }
    const int height = item.rcItem.bottom - item.rcItem.top;
    if (icon_.Load(GetModuleHandleA(nullptr), iconId_, RowIconSize(height, dpi_))) {
        icon_.Draw(item.hDC, item.rcItem.left, item.rcItem.top);
    }
    char text[] = "Drive x";
    text[sizeof text - 2] = static_cast<char>('A' + item.itemData);
    RECT area = item.rcItem;
    area.left += RowTextIndent(dpi_);
    DrawTextA(item.hDC, text, -1, &area, DT_SINGLELINE | DT_VCENTER);
}
