// ProgressJobHost on real windows with the recording printer and a clock the test moves: the
// window's 300 ms delay, its texts, owner and focus, the owner disabled while the job runs,
// the thread's messages let through, and each way of cancelling.
#include "app/progress_job_host_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "print/page_recorder.h"
#include "print/print_job.h"
#include "print/printer_device.h"
#include "print/recording_print_dialog.h"
#include "print/recording_surface.h"
#include "tests/print_rig.h"
#include "tests/temp_dir.h"
#include "text/text_buffer.h"

namespace {

// The test's clock: every reading moves it on by `clockStep` milliseconds.
std::uint64_t clockNow = 0;
std::uint64_t clockStep = 1;
std::uint64_t TestClock() {
    clockNow += clockStep;
    return clockNow;
}

// The main window's stand-in: counts the WM_APP messages it is given.
int appMessages = 0;
LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        ++appMessages;
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND MakeOwner() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = OwnerProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "PROGRESSTESTOWNER";
        registered = RegisterClassA(&windowClass) != 0;
    }
    return CreateWindowExA(0, "PROGRESSTESTOWNER", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50,
                           50, 400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

std::string TextOf(HWND window, int id) {
    char text[300] = {};
    GetWindowTextA(GetDlgItem(window, id), text, sizeof text);
    return text;
}

// What the job's progress looked like after each report.
struct Look {
    std::uint64_t time = 0;  // since the job started
    bool shown = false;
    bool ownedByOwner = false;
    bool cancelHasFocus = false;
    bool ownerEnabled = true;
    std::string file;
    std::string count;
    std::string page;
    int pumps = 0;
};

// The host with a look after each report and an action the test chooses.
class WatchedHost : public ProgressJobHost {
public:
    explicit WatchedHost(HWND owner) : ProgressJobHost(owner, TestClock), owner_(owner) {}

    bool Proceed(const JobProgress& progress) override {
        if (looks.empty()) {
            start_ = clockNow;
        }
        bool goOn = ProgressJobHost::Proceed(progress);
        Look look;
        look.time = clockNow - start_;
        HWND window = Window();
        look.shown = window != nullptr && IsWindowVisible(window);
        look.ownerEnabled = IsWindowEnabled(owner_) != FALSE;
        look.pumps = Pumps();
        if (window != nullptr) {
            look.ownedByOwner = GetWindow(window, GW_OWNER) == owner_;
            look.cancelHasFocus = GetFocus() == GetDlgItem(window, ProgressWindow::kCancelId);
            look.file = TextOf(window, ProgressWindow::kFileId);
            look.count = TextOf(window, ProgressWindow::kCountId);
            look.page = TextOf(window, ProgressWindow::kPageId);
        }
        looks.push_back(look);
        if (onShown && window != nullptr && !acted_) {
            acted_ = true;
            onShown(window);
        }
        return goOn;
    }

    std::vector<Look> looks;
    std::function<void(HWND)> onShown;

private:
    HWND owner_;
    std::uint64_t start_ = 0;
    bool acted_ = false;
};

std::string Lines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += "line " + std::to_string(i) + "\n";
    }
    return text;
}

class ProgressJobHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner = MakeOwner();
        ASSERT_NE(owner, nullptr);
        host = std::make_unique<WatchedHost>(owner);
        device.Attach(std::make_unique<RecordingSurface>(SmallPage(), recorder));
        char face[PrintSettings::kFaceSize];
        device.ReadFaceName(face, sizeof face);
        ApplyPresets(settings, face);
        ApplyPrinterFont(device, settings, geometry, printerFont);
        job = std::make_unique<PrintJob>(settings, geometry, device, text, dialog, *host);
        clockNow = 1000;
        clockStep = 1;
        appMessages = 0;
    }
    void TearDown() override {
        job.reset();
        host.reset();
        DestroyWindow(owner);
    }
    int PrintFiles(const std::vector<std::pair<std::string, std::string>>& files) {
        std::vector<JobFile> paths;
        for (const auto& [name, content] : files) {
            std::string path = dir.Write(name, content);
            paths.push_back(JobFile{path, path});
        }
        return job->PrintFiles(paths);
    }
    static bool WindowLeft() { return FindWindowA(ProgressWindow::kClassName, nullptr) != nullptr; }

    HWND owner = nullptr;
    TempDir dir;
    PageRecorder recorder;
    PrinterDevice device;
    PrintSettings settings;
    PageGeometry geometry;
    FontHandle printerFont = kNoFont;
    RecordingPrintDialog dialog{SmallPage(), recorder};
    TextBuffer text;
    std::unique_ptr<WatchedHost> host;
    std::unique_ptr<PrintJob> job;
};

}  // namespace

TEST_F(ProgressJobHostTest, AShortJobShowsNoWindowButKeepsTheOwnerDisabled) {
    clockStep = 1;
    ASSERT_EQ(PrintFiles({{"short.txt", Lines(40)}}), 1);
    ASSERT_FALSE(host->looks.empty());
    for (const Look& look : host->looks) {
        EXPECT_FALSE(look.shown) << "at " << look.time << " ms";
        EXPECT_FALSE(look.ownerEnabled) << "at " << look.time << " ms";
    }
    EXPECT_LT(host->looks.back().time, ProgressTiming::kShowAfterMs);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(WindowLeft());
    EXPECT_EQ(recorder.DocumentsEnded(), 1);
}

TEST_F(ProgressJobHostTest, TheWindowAppearsAfterThreeHundredMillisecondsAndFollowsThePages) {
    clockStep = 10;
    ASSERT_EQ(PrintFiles({{"a.txt", Lines(300)}, {"b.txt", Lines(300)}}), 1);
    bool seenShown = false;
    std::string lastPage;
    int pageTexts = 0;
    for (const Look& look : host->looks) {
        if (look.time < ProgressTiming::kShowAfterMs) {
            EXPECT_FALSE(look.shown) << "at " << look.time << " ms";
            continue;
        }
        if (!look.shown) {
            // Shown at the first look at the messages once the time has come.
            EXPECT_FALSE(seenShown) << "the window went at " << look.time << " ms";
            EXPECT_LT(look.time, ProgressTiming::kShowAfterMs + 3 * 10);
            continue;
        }
        seenShown = true;
        EXPECT_TRUE(look.ownedByOwner);
        EXPECT_TRUE(look.cancelHasFocus) << "at " << look.time << " ms";
        EXPECT_FALSE(look.ownerEnabled);
        EXPECT_NE(look.file.find(look.count == "File 1 of 2" ? "a.txt" : "b.txt"),
                  std::string::npos)
            << look.file << " / " << look.count;
        EXPECT_TRUE(look.count == "File 1 of 2" || look.count == "File 2 of 2") << look.count;
        EXPECT_EQ(look.page.rfind("Page ", 0), 0u) << look.page;
        if (look.page != lastPage) {
            lastPage = look.page;
            ++pageTexts;
        }
    }
    EXPECT_TRUE(seenShown);
    EXPECT_GT(pageTexts, 5) << "the page number follows the pages";
    EXPECT_EQ(host->looks.back().count, "File 2 of 2");
    EXPECT_EQ(recorder.DocumentsEnded(), 2);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(WindowLeft());
}

TEST_F(ProgressJobHostTest, OneFileShowsNoCount) {
    clockStep = 10;
    ASSERT_EQ(PrintFiles({{"one.txt", Lines(600)}}), 1);
    ASSERT_TRUE(host->looks.back().shown);
    EXPECT_EQ(host->looks.back().count, "");
    EXPECT_NE(host->looks.back().file.find("one.txt"), std::string::npos);
}

TEST_F(ProgressJobHostTest, MessagesGoThroughAtLeastEveryFiftyMilliseconds) {
    clockStep = 7;
    PostMessageA(owner, WM_APP, 0, 0);
    ASSERT_EQ(PrintFiles({{"a.txt", Lines(2000)}}), 1);
    EXPECT_EQ(appMessages, 1) << "a message posted before the job is dispatched during it";
    std::uint64_t lastPump = 0;
    int pumps = 0;
    std::uint64_t longest = 0;
    for (const Look& look : host->looks) {
        if (look.pumps != pumps) {
            pumps = look.pumps;
            longest = std::max(longest, look.time - lastPump);
            lastPump = look.time;
        }
    }
    EXPECT_GT(pumps, 10);
    EXPECT_LE(longest, 50u);
}

TEST_F(ProgressJobHostTest, EachWayOfCancellingAbandonsTheDocument) {
    struct Case {
        const char* name;
        std::function<void(HWND)> cancel;
    };
    const Case cases[] = {
        {"the Cancel button",
         [](HWND window) {
             HWND button = GetDlgItem(window, ProgressWindow::kCancelId);
             PostMessageA(window, WM_COMMAND, MAKEWPARAM(ProgressWindow::kCancelId, BN_CLICKED),
                          reinterpret_cast<LPARAM>(button));
         }},
        {"Esc",
         [](HWND window) {
             PostMessageA(GetDlgItem(window, ProgressWindow::kCancelId), WM_KEYDOWN, VK_ESCAPE, 0);
         }},
        {"Enter",
         [](HWND window) {
             PostMessageA(GetDlgItem(window, ProgressWindow::kCancelId), WM_KEYDOWN, VK_RETURN, 0);
         }},
        {"the close box", [](HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); }},
    };
    for (const Case& c : cases) {
        recorder = PageRecorder();
        auto watched = std::make_unique<WatchedHost>(owner);
        watched->onShown = c.cancel;
        PrintJob cancelled(settings, geometry, device, text, dialog, *watched);
        clockStep = 10;
        std::vector<JobFile> files;
        for (const char* name : {"a.txt", "b.txt"}) {
            std::string path = dir.Write(name, Lines(3000));
            files.push_back(JobFile{path, path});
        }
        ASSERT_EQ(cancelled.PrintFiles(files), 1) << c.name;
        EXPECT_TRUE(cancelled.Stopped()) << c.name;
        EXPECT_TRUE(watched->Cancelled()) << c.name;
        EXPECT_EQ(recorder.DocumentsAborted(), 1) << c.name;
        EXPECT_EQ(recorder.DocumentsEnded(), 0) << c.name;
        EXPECT_EQ(recorder.DocumentNames().size(), 1u) << c.name << ": b.txt never started";
        EXPECT_TRUE(recorder.Pages().empty()) << c.name;
        EXPECT_TRUE(IsWindowEnabled(owner)) << c.name;
        EXPECT_FALSE(WindowLeft()) << c.name;
        // The job ends at the first look at the messages after the cancel.
        auto firstShown = std::find_if(watched->looks.begin(), watched->looks.end(),
                                       [](const Look& look) { return look.shown; });
        ASSERT_NE(firstShown, watched->looks.end()) << c.name;
        EXPECT_LE(watched->looks.end() - firstShown, 4) << c.name;
    }
}
