// Times the print preview on one file, on the layout tool's virtual printer: from the command
// (PreviewWindow::Open) to the first page drawn, to the final page count (the index built on
// the window's timer, messages pumped), End to the last page drawn, and a page in the middle;
// beside the engine alone printing the whole file onto the same printer (PrintJob::PrintFile,
// pages only counted). The first run also gives the memory the preview adds to the process at
// its peak. Median of RUNS.
// Usage: preview_bench FILE [RUNS]
#include <windows.h>
// After windows.h, whose types it uses.
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/bench_timing_win.h"
#include "print/page_geometry.h"
#include "print/page_recorder.h"
#include "print/print_job.h"
#include "print/print_settings.h"
#include "print/printer_device.h"
#include "print/recording_job_host.h"
#include "print/recording_print_dialog.h"
#include "print/recording_surface.h"
#include "text/text_buffer.h"
#include "ui/preview_window.h"

namespace {

double TimeKey(PreviewWindow& preview, UINT key) {
    double start = Now();
    SendMessageA(preview.hwnd, WM_KEYDOWN, key, 0);
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

// The committed bytes of the process now, and the most it ever had.
void Memory(std::size_t* now, std::size_t* peak) {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    *now = counters.PagefileUsage;
    *peak = counters.PeakPagefileUsage;
}

// The engine alone: the whole file onto the virtual printer, pages counted.
double EngineOnce(const char* path, int* pages) {
    PageRecorder recorder(PageRecorder::Mode::Count);
    RecordingMetrics metrics;
    PrinterDevice device;
    device.Attach(std::make_unique<RecordingSurface>(metrics, recorder));
    PrintSettings settings;
    ApplyPresets(settings, "Courier New");
    PageGeometry geometry;
    FontHandle font = kNoFont;
    ApplyPrinterFont(device, settings, geometry, font);
    RecordingPrintDialog dialog(metrics, recorder);
    RecordingJobHost host(recorder);
    TextBuffer text;
    PrintJob job(settings, geometry, device, text, dialog, host);
    double start = Now();
    job.PrintFile(path);
    double elapsed = Now() - start;
    *pages = recorder.PagesStarted();
    return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [RUNS]\n", argv[0]);
        return 2;
    }
    const char* path = argv[1];
    int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    if (runs < 1) {
        runs = 1;
    }
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800,
                                 600, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    PageRecorder fonts(PageRecorder::Mode::Count);
    RecordingSurface printer(RecordingMetrics{}, fonts);
    PrintSettings settings;
    ApplyPresets(settings, "Courier New");
    std::size_t idle = 0;
    std::size_t peakBefore = 0;
    Memory(&idle, &peakBefore);
    std::size_t peakAdded = 0;

    std::vector<double> firstPage, finalCount, end, middle, engine;
    std::size_t pages = 0;
    int enginePages = 0;
    for (int run = 0; run < runs; ++run) {
        PreviewWindow preview;
        double start = Now();
        if (!preview.Open(owner, path, settings, &printer, 520, 660, 0)) {
            std::fprintf(stderr, "the preview did not open %s\n", path);
            return 1;
        }
        GdiFlush();
        firstPage.push_back(Now() - start);
        while (!preview.Final()) {
            // The index grows on the timer, between the window's messages.
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
            Pump();
        }
        finalCount.push_back(Now() - start);
        pages = preview.Count();
        end.push_back(TimeKey(preview, VK_END));
        if (run == 0) {
            std::size_t now = 0;
            std::size_t peak = 0;
            Memory(&now, &peak);
            peakAdded = peak > idle ? peak - idle : 0;
        }
        // A page in the middle: Home, then half the pages on.
        TimeKey(preview, VK_HOME);
        double jump = Now();
        preview.GoTo(pages / 2);
        GdiFlush();
        middle.push_back(Now() - jump);
        SendMessageA(preview.hwnd, WM_CLOSE, 0, 0);
        Pump();
        engine.push_back(EngineOnce(path, &enginePages));
    }
    std::printf("%s: %zu pages (the engine alone: %d)\n", path, pages, enginePages);
    Report("command to the first page drawn", firstPage, 2);
    Report("command to the final page count", finalCount, 2);
    Report("the engine alone, whole file", engine, 2);
    Report("End to the last page drawn", end, 2);
    Report("a page in the middle drawn", middle, 2);
    std::printf("final count / engine alone: %.2f\n", Median(finalCount) / Median(engine));
    std::printf("peak memory added: %.2f MB (%.1f bytes a page); 8 MB + 64 bytes a page: %.2f MB\n",
                peakAdded / 1048576.0, pages > 0 ? static_cast<double>(peakAdded) / pages : 0.0,
                (8.0 * 1048576 + 64.0 * pages) / 1048576.0);
    DestroyWindow(owner);
    return 0;
}
