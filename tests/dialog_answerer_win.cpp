// DialogAnswerer: a second thread that answers a dialog box of the test.
#include "tests/dialog_answerer_win.h"

namespace {

struct Search {
    const char* title;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[64] = {};
    char text[256] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, text, sizeof text);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        std::string(className) == "#32770" && std::string(text) == search->title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectControl(HWND control, LPARAM param) {
    auto* controls = reinterpret_cast<std::vector<std::string>*>(param);
    char className[64] = {};
    char text[512] = {};
    GetClassNameA(control, className, sizeof className);
    GetWindowTextA(control, text, sizeof text);
    controls->push_back(std::to_string(GetDlgCtrlID(control)) + ":" + className + ":" + text);
    return TRUE;
}

}  // namespace

DialogAnswerer::DialogAnswerer(std::string title, std::function<void(HWND)> answer, DWORD timeoutMs)
    : thread_([this, title, answer, timeoutMs] {
          DWORD start = GetTickCount();
          Search search{title.c_str(), nullptr};
          while (search.found == nullptr && GetTickCount() - start < timeoutMs) {
              Sleep(20);
              EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
          }
          if (search.found == nullptr) {
              return;
          }
          EnumChildWindows(search.found, CollectControl, reinterpret_cast<LPARAM>(&controls_));
          found_ = true;
          answer(search.found);
      }) {}

DialogAnswerer::~DialogAnswerer() {
    Finish();
}

bool DialogAnswerer::Finish() {
    if (thread_.joinable()) {
        thread_.join();
    }
    return found_;
}

bool DialogAnswerer::Shows(const std::string& text) const {
    for (const std::string& control : controls_) {
        std::size_t second = control.find(':', control.find(':') + 1);
        if (control.substr(second + 1) == text) {
            return true;
        }
    }
    return false;
}

void DialogAnswerer::Press(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void DialogAnswerer::SetText(HWND dialog, int id, const char* text) {
    SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}
