// The print engine on one file with the progress reports answered by a host that does
// nothing, against the program's own host (messages looked at, the progress window shown
// from the first look on and kept current), on the recording printer that only counts. Rounds
// alternate the two; the report gives each one's median and the ratio. Usage:
// progress_overhead_bench FILE [ROUNDS]   (default 5 rounds)
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "app/progress_job_host_win.h"
#include "bench/bench_timing_win.h"
#include "print/page_recorder.h"
#include "print/print_job.h"
#include "print/printer_device.h"
#include "print/recording_print_dialog.h"
#include "print/recording_surface.h"

namespace {

class QuietHost : public PrintJobHost {
public:
    void Warn(const char* text, const char*) override { std::fprintf(stderr, "%s\n", text); }
    bool AskNextSheet() override { return true; }
    void BeginWait() override {}
    void EndWait() override {}
};

// The program's clock, the tick count, 300 ms ahead from its second reading on: the progress
// window shows at the job's first look at the messages, so that its updates are in the time
// even of a fast job.
bool clockStarted = false;
std::uint64_t EarlyWindowClock() {
    std::uint64_t now = GetTickCount64();
    if (!clockStarted) {
        clockStarted = true;
        return now;
    }
    return now + ProgressTiming::kShowAfterMs;
}

// One job on `path`: milliseconds, and the pages in `pages`.
double TimeJob(const char* path, PrintJobHost& host, int* pages) {
    PageRecorder recorder(PageRecorder::Mode::Count);
    RecordingMetrics metrics;
    PrinterDevice device;
    device.Attach(std::make_unique<RecordingSurface>(metrics, recorder));
    PrintSettings settings;
    char face[PrintSettings::kFaceSize];
    device.ReadFaceName(face, sizeof face);
    ApplyPresets(settings, face);
    settings.LineNumbers = true;
    PageGeometry geometry;
    FontHandle printerFont = kNoFont;
    ApplyPrinterFont(device, settings, geometry, printerFont);
    RecordingPrintDialog dialog(metrics, recorder);
    TextBuffer text;
    PrintJob job(settings, geometry, device, text, dialog, host);
    double start = Now();
    job.PrintFile(path);
    double time = Now() - start;
    *pages = recorder.PagesEnded();
    device.SelectFont(kNoFont);
    device.FreeFont(printerFont);
    return time;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [ROUNDS]\n", argv[0]);
        return 2;
    }
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    // The main window's stand-in: the progress window is owned by it.
    HWND owner = CreateWindowExA(0, "STATIC", "Quillmar bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    std::vector<double> off;
    std::vector<double> on;
    std::vector<double> unseen;
    int pagesOff = 0;
    int pagesOn = 0;
    int pagesUnseen = 0;
    int pumps = 0;
    for (int round = 0; round < rounds; ++round) {
        for (int turn = 0; turn < 3; ++turn) {
            // The order turns from round to round.
            int way = (turn + round) % 3;
            if (way == 0) {
                QuietHost quiet;
                off.push_back(TimeJob(argv[1], quiet, &pagesOff));
            } else if (way == 1) {
                clockStarted = false;
                ProgressJobHost progress(owner, EarlyWindowClock);
                on.push_back(TimeJob(argv[1], progress, &pagesOn));
                pumps = progress.Pumps();
            } else {
                // The program's own clock: a job this short ends before its window is due.
                ProgressJobHost progress(owner);
                unseen.push_back(TimeJob(argv[1], progress, &pagesUnseen));
            }
        }
    }
    Report("progress off", off, 1);
    Report("progress on", on, 1);
    Report("progress on, no window yet", unseen, 1);
    std::printf("pages %d / %d / %d, looks at the messages in the last run: %d\n", pagesOff,
                pagesOn, pagesUnseen, pumps);
    auto ratio = [&](const char* what, const std::vector<double>& times) {
        std::printf("ratio %s / off: medians %.4f, best runs %.4f\n", what,
                    Median(times) / Median(off),
                    *std::min_element(times.begin(), times.end()) /
                        *std::min_element(off.begin(), off.end()));
    };
    ratio("on", on);
    ratio("on, no window yet", unseen);
    DestroyWindow(owner);
    return 0;
}
