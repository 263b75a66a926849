// probe: looks at Quillmar's windows from outside, as an accessibility tool would, for the
// end-to-end scenarios. Finds windows with FindWindow, reads controls with SendMessage.
//   probe wait WINDOW [MS]       waits for WINDOW to exist; prints its screen rectangle
//   probe gone WINDOW [MS]       waits until WINDOW no longer exists
//   probe text WINDOW ID         the text of control ID (WM_GETTEXT)
//   probe list WINDOW ID         "count selection" of list box ID (the caret row of a list of
//                                several selected rows)
//   probe selected WINDOW ID     the selected rows of list box ID, ascending, blank-separated
//   probe enabled WINDOW         1 when WINDOW takes input, 0 when it is disabled
//   probe rect WINDOW ID         the control's screen rectangle "left top right bottom"
//   probe row WINDOW ID INDEX    the screen rectangle of a list box row
//   probe box TEXT [MS]          waits for a dialog box showing TEXT; prints its rectangle
//   probe nobox TEXT [MS]        waits until no dialog box shows TEXT
//   probe count TITLE            the number of visible top-level windows titled TITLE
//   probe client WINDOW          the screen rectangle of WINDOW's client area
//   probe font WINDOW ID         "height weight face" of the font control ID draws with
//                                (WM_GETFONT; the logical font's height as it was made)
//   probe item WINDOW ID         the item height of combo box ID's items (CB_GETITEMHEIGHT)
//   probe kids TEXT [MS]         waits for a window with a child showing TEXT; prints each of
//                                its children: "left top right bottom text" (screen pixels)
//   probe clip TEXT              puts TEXT (UTF-8) on the clipboard, as a user's copy would
// WINDOW is "main" for the main window (the dialog titled "Quillmar" that holds the file
// list), else a window title. Exit status 0 on success, 1 when not found in time.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kFileList = 1011;

bool IsMainWindow(HWND window) {
    return GetDlgItem(window, kFileList) != nullptr;
}

std::string TextOf(HWND window) {
    char text[4096] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    return text;
}

struct Search {
    const char* title;  // null: the main window
    const char* shows;  // a dialog box with a child showing this text
    HWND found;
};

BOOL CALLBACK FindChildText(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    if (TextOf(child) == search->shows) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindTopLevel(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    if (!IsWindowVisible(window)) {
        return TRUE;
    }
    if (search->shows != nullptr) {
        Search inner = {nullptr, search->shows, nullptr};
        EnumChildWindows(window, FindChildText, reinterpret_cast<LPARAM>(&inner));
        if (inner.found != nullptr) {
            search->found = window;
            return FALSE;
        }
        return TRUE;
    }
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    bool match = search->title == nullptr
                     ? std::strcmp(title, "Quillmar") == 0 && IsMainWindow(window)
                     : std::strcmp(title, search->title) == 0;
    if (match) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND Find(const char* window, const char* shows) {
    Search search = {window != nullptr && std::strcmp(window, "main") == 0 ? nullptr : window,
                     shows, nullptr};
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Polls every 50 ms until the window's presence is `present`, at most `ms`.
HWND WaitFor(const char* window, const char* shows, bool present, DWORD ms) {
    DWORD start = GetTickCount();
    for (;;) {
        HWND found = Find(window, shows);
        if ((found != nullptr) == present) {
            return present ? found : reinterpret_cast<HWND>(1);
        }
        if (GetTickCount() - start >= ms) {
            return nullptr;
        }
        Sleep(50);
    }
}

struct Count {
    const char* title;
    int count;
};

BOOL CALLBACK CountTitled(HWND window, LPARAM data) {
    auto* count = reinterpret_cast<Count*>(data);
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    if (IsWindowVisible(window) && std::strcmp(title, count->title) == 0) {
        ++count->count;
    }
    return TRUE;
}

void PrintRect(const RECT& rect) {
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
    RECT rect;
    GetWindowRect(child, &rect);
    std::printf("%ld %ld %ld %ld %s\n", rect.left, rect.top, rect.right, rect.bottom,
                TextOf(child).c_str());
    return TRUE;
}

HWND Control(const char* window, const char* id) {
    HWND parent = Find(window, nullptr);
    return parent != nullptr ? GetDlgItem(parent, std::atoi(id)) : nullptr;
}

// Replaces the clipboard's contents by `text` as Unicode text; the system makes the other text
// formats from it. The data belongs to the clipboard once set, so it outlives the probe.
bool PutOnClipboard(const char* text) {
    int units = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (units <= 0) {
        return false;
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(units) * sizeof(wchar_t));
    if (block == nullptr) {
        return false;
    }
    auto* wide = static_cast<wchar_t*>(GlobalLock(block));
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide, units);
    GlobalUnlock(block);
    // An owner window: a clipboard emptied without one takes no data.
    HWND owner =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (owner == nullptr || !OpenClipboard(owner)) {
        GlobalFree(block);
        return false;
    }
    bool put = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    CloseClipboard();
    if (!put) {
        GlobalFree(block);
    }
    return put;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: probe "
                 "wait|gone|text|list|rect|row|font|item|box|nobox|count|client|kids|clip ...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return Usage();
    }
    std::string command = argv[1];
    DWORD ms = argc > 3 ? static_cast<DWORD>(std::atol(argv[3])) : 10000;
    if (command == "wait" || command == "box") {
        HWND found = WaitFor(command == "wait" ? argv[2] : nullptr,
                             command == "box" ? argv[2] : nullptr, true, ms);
        if (found == nullptr) {
            return 1;
        }
        RECT rect;
        GetWindowRect(found, &rect);
        PrintRect(rect);
        return 0;
    }
    if (command == "kids") {
        HWND found = WaitFor(nullptr, argv[2], true, ms);
        if (found == nullptr) {
            return 1;
        }
        EnumChildWindows(found, PrintChild, 0);
        return 0;
    }
    if (command == "gone" || command == "nobox") {
        return WaitFor(command == "gone" ? argv[2] : nullptr,
                       command == "nobox" ? argv[2] : nullptr, false, ms) != nullptr
                   ? 0
                   : 1;
    }
    if (command == "client") {
        HWND found = Find(argv[2], nullptr);
        RECT rect;
        if (found == nullptr || !GetClientRect(found, &rect)) {
            return 1;
        }
        MapWindowPoints(found, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        PrintRect(rect);
        return 0;
    }
    if (command == "clip") {
        return PutOnClipboard(argv[2]) ? 0 : 1;
    }
    if (command == "count") {
        Count count = {argv[2], 0};
        EnumWindows(CountTitled, reinterpret_cast<LPARAM>(&count));
        std::printf("%d\n", count.count);
        return 0;
    }
    if (command == "enabled") {
        HWND found = Find(argv[2], nullptr);
        if (found == nullptr) {
            return 1;
        }
        std::printf("%d\n", IsWindowEnabled(found) ? 1 : 0);
        return 0;
    }
    if (argc < 4) {
        return Usage();
    }
    HWND control = Control(argv[2], argv[3]);
    if (control == nullptr) {
        return 1;
    }
    if (command == "text") {
        std::printf("%s\n", TextOf(control).c_str());
        return 0;
    }
    if (command == "font") {
        auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
        LOGFONTA logFont = {};
        if (font == nullptr || GetObjectA(font, sizeof logFont, &logFont) == 0) {
            return 1;
        }
        std::printf("%ld %ld %s\n", static_cast<long>(logFont.lfHeight),
                    static_cast<long>(logFont.lfWeight), logFont.lfFaceName);
        return 0;
    }
    if (command == "item") {
        std::printf("%ld\n", static_cast<long>(SendMessageA(control, CB_GETITEMHEIGHT, 0, 0)));
        return 0;
    }
    if (command == "list") {
        // A list of several selected rows tells its caret row.
        const bool several = (GetWindowLongA(control, GWL_STYLE) & LBS_EXTENDEDSEL) != 0;
        const long count = static_cast<long>(SendMessageA(control, LB_GETCOUNT, 0, 0));
        long selection = static_cast<long>(SendMessageA(control, LB_GETCURSEL, 0, 0));
        if (several) {
            selection =
                count > 0 ? static_cast<long>(SendMessageA(control, LB_GETCARETINDEX, 0, 0)) : -1;
        }
        std::printf("%ld %ld\n", count, selection);
        return 0;
    }
    if (command == "selected") {
        // Row by row: LB_GETSELITEMS would hand a pointer to another process.
        const long count = static_cast<long>(SendMessageA(control, LB_GETCOUNT, 0, 0));
        const char* gap = "";
        for (long row = 0; row < count; ++row) {
            if (SendMessageA(control, LB_GETSEL, static_cast<WPARAM>(row), 0) > 0) {
                std::printf("%s%ld", gap, row);
                gap = " ";
            }
        }
        std::printf("\n");
        return 0;
    }
    RECT rect;
    if (command == "rect") {
        GetWindowRect(control, &rect);
        PrintRect(rect);
        return 0;
    }
    if (command == "row" && argc > 4) {
        // From the row height and the first visible row: no pointer crosses the processes.
        LRESULT height = SendMessageA(control, LB_GETITEMHEIGHT, 0, 0);
        LRESULT top = SendMessageA(control, LB_GETTOPINDEX, 0, 0);
        RECT client;
        GetClientRect(control, &client);
        POINT origin = {0, 0};
        ClientToScreen(control, &origin);
        long index = std::atol(argv[4]);
        rect.left = origin.x;
        rect.right = origin.x + client.right;
        rect.top = origin.y + static_cast<LONG>((index - top) * height);
        rect.bottom = rect.top + static_cast<LONG>(height);
        PrintRect(rect);
        return 0;
    }
    return Usage();
}
