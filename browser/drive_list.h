// DriveList: the drive selector, an owner-drawn combo box without strings whose items carry
// drive numbers (0 for A to 25 for Z) and draw as a drive picture and "Drive x".
#pragma once

#include <windows.h>

#include "ui/dpi_scale.h"
#include "ui/window_dpi.h"

class DriveList {
public:
    // Fills `combo` (a drop-down list, owner-drawn with fixed heights, without stored
    // strings or sorting) with one item for each drive present now, A first, replacing any
    // items it had; loads icon `iconId` of the program's module for the pictures; selects
    // `drive`.
    void Init(HWND combo, int drive, int iconId);

    // Selects the item of `drive`, wherever it stands. With no item for it, nothing is
    // selected, so Selected gives -1.
    void Select(int drive) const;

    // The drive of the selected item; -1 when none is selected or there is no combo box.
    int Selected() const;

    // The resolution the items are drawn for (96 until told).
    void SetDpi(int dpi) { dpi_ = dpi > 0 ? dpi : kDefaultDpi; }

    // Draws one item for WM_DRAWITEM: the picture at its top-left corner, at the size that
    // fits the item's height (RowIconSize), and "Drive x" 20 pixels (at 96 DPI) to the right,
    // on one line, vertically centred, in the context's font and colours, with no background.
    // Focus-only actions, the empty selection field (item -1) and data that is no drive number
    // draw nothing.
    void DrawItem(const DRAWITEMSTRUCT& item) const;

    // The drives present when Init ran: bit 0 for A to bit 25 for Z.
    DWORD DriveMask() const { return driveMask_; }

private:
    HWND comboWindow_ = nullptr;
    DWORD driveMask_ = 0;
    int iconId_ = 0;
    int dpi_ = kDefaultDpi;
    mutable SizedIcon icon_;  // loaded at the size the items ask for
};
