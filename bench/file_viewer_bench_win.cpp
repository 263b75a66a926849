// Times the file viewer on one file: from View (FileViewer::Open) to the first drawn screen,
// and the End, PageDown and Home keys after it; with the reading alone (TextBuffer::Load) and
// the reading with counting and indexing (ViewerDocument::Open) beside them. Median of RUNS.
// Usage: file_viewer_bench FILE [RUNS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/bench_timing_win.h"
#include "text/text_buffer.h"
#include "ui/file_viewer.h"
#include "ui/viewer_document.h"

namespace {

// Times one key in the open viewer, drawing included.
double TimeKey(FileViewer& viewer, UINT key) {
    double start = Now();
    SendMessageA(viewer.hwnd, WM_KEYDOWN, key, 0);
    GdiFlush();
    return Now() - start;
}

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [RUNS]\n", argv[0]);
        return 2;
    }
    const char* path = argv[1];
    int runs = argc > 2 ? std::atoi(argv[2]) : 7;
    if (runs < 1) {
        runs = 1;
    }
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800,
                                 600, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    FileViewer viewer;
    std::vector<double> load, document, firstScreen, end, pageDown, home;
    std::uint64_t lines = 0;
    for (int run = 0; run < runs; ++run) {
        {
            TextBuffer buffer;
            double start = Now();
            if (!buffer.Load(path, 2)) {
                std::fprintf(stderr, "cannot read %s\n", path);
                return 1;
            }
            load.push_back(Now() - start);
        }
        {
            ViewerDocument alone;
            double start = Now();
            alone.Open(path, ViewKind::kChoose);
            document.push_back(Now() - start);
        }
        double start = Now();
        if (!viewer.Open(owner, path, 622, 402, -1)) {
            std::fprintf(stderr, "the viewer did not open %s\n", path);
            return 1;
        }
        GdiFlush();  // the first screen is drawn inside Open, by the first WM_SIZE
        firstScreen.push_back(Now() - start);
        lines = viewer.lineCount;
        Pump();
        end.push_back(TimeKey(viewer, VK_END));
        TimeKey(viewer, VK_HOME);
        pageDown.push_back(TimeKey(viewer, VK_NEXT));
        home.push_back(TimeKey(viewer, VK_HOME));
        SendMessageA(viewer.hwnd, WM_CLOSE, 0, 0);
        Pump();
    }
    std::printf("%s: %llu display lines\n", path, static_cast<unsigned long long>(lines));
    Report("TextBuffer::Load (reading alone)", load, 3);
    Report("ViewerDocument::Open (+count, index)", document, 3);
    Report("View to the first drawn screen", firstScreen, 3);
    Report("End", end, 3);
    Report("PageDown", pageDown, 3);
    Report("Home", home, 3);
    DestroyWindow(owner);
    return 0;
}
