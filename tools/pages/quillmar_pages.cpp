// quillmar-pages: prints one file through the print engine onto a virtual printer and writes
// what the printer received, page by page, for golden tests, debugging and benchmarks.
#include <cerrno>
#include <cfloat>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "app/decimal_text.h"
#include "print/page_geometry.h"
#include "print/page_recorder.h"
#include "print/print_job.h"
#include "print/print_settings.h"
#include "print/printer_device.h"
#include "print/recording_job_host.h"
#include "print/recording_print_dialog.h"
#include "print/recording_surface.h"
#include "text/code_page.h"
#include "text/text_buffer.h"

namespace {

const char kUsage[] =
    "usage: quillmar-pages [options] FILE\n"
    "  --device=HORZRES,VERTRES,DPI,CHARWIDTH,LINEHEIGHT\n"
    "        the virtual printer in device units (default 4800,6600,600,60,100)\n"
    "  --left=IN --right=IN --top=IN --bottom=IN     margins in inches\n"
    "  --line-numbers   --no-page-numbers   --form-feeds   --single-sheets   --tab-size=N\n"
    "  --pages=FROM-TO  the print dialog's page range        --copies=N   (default 1)\n"
    "  --cancel-at-pause=K   answer the K-th single-sheet pause with Cancel\n"
    "  --code-page=N    the legacy code page of texts that are not UTF-8 (default 1252)\n"
    "  --quiet          lay everything out, write nothing\n";

struct Options {
    RecordingMetrics metrics;
    PrintSettings settings;
    bool leftGiven = false, rightGiven = false, topGiven = false, bottomGiven = false;
    float left = 0, right = 0, top = 0, bottom = 0;
    bool lineNumbers = false, noPageNumbers = false, formFeeds = false, singleSheets = false;
    bool tabGiven = false;
    int tabSize = 8;
    bool range = false;
    int fromPage = 0, toPage = 0;
    long copies = 1;
    int cancelAtPause = 0;
    int codePage = kDefaultCodePage;
    bool quiet = false;
    const char* file = nullptr;
};

// Parses a whole decimal integer within [low, high].
bool ParseInt(const char* text, long low, long high, long* value) {
    errno = 0;
    char* end = nullptr;
    long parsed = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || parsed < low || parsed > high) {
        return false;
    }
    *value = parsed;
    return true;
}

// A margin as the settings store reads one (the same decimal parser: no hexadecimal), but
// the whole text must be the number. A value beyond the range of a float becomes the largest
// float of its sign, so that a huge margin stays huge.
bool ParseInches(const char* text, float* value) {
    const char* end = nullptr;
    double parsed = 0;
    if (!ReadDecimal(text, &parsed, &end) || *end != '\0') {
        return false;
    }
    if (parsed > FLT_MAX) {
        parsed = FLT_MAX;
    } else if (parsed < -FLT_MAX) {
        parsed = -FLT_MAX;
    }
    *value = static_cast<float>(parsed);  // NaN stays NaN: the geometry reads it as 0
    return true;
}

bool ParseDevice(const char* text, RecordingMetrics* metrics) {
    int* fields[] = {&metrics->horzRes, &metrics->vertRes, &metrics->dpi, &metrics->charWidth,
                     &metrics->lineHeight};
    std::string rest = text;
    for (std::size_t i = 0; i < 5; ++i) {
        std::size_t comma = rest.find(',');
        if ((i < 4) != (comma != std::string::npos)) {
            return false;
        }
        long value = 0;
        if (!ParseInt(rest.substr(0, comma).c_str(), 1, 1000000, &value)) {
            return false;
        }
        *fields[i] = static_cast<int>(value);
        rest = comma == std::string::npos ? "" : rest.substr(comma + 1);
    }
    return true;
}

bool ParsePages(const char* text, Options* options) {
    const char* dash = std::strchr(text, '-');
    if (dash == nullptr) {
        return false;
    }
    long from = 0, to = 0;
    std::string first(text, dash);
    if (!ParseInt(first.c_str(), 0, 65535, &from) || !ParseInt(dash + 1, 0, 65535, &to)) {
        return false;
    }
    options->range = true;
    options->fromPage = static_cast<int>(from);
    options->toPage = static_cast<int>(to);
    return true;
}

// The value of "--name=value" when `arg` is that option, else null.
const char* Value(const char* arg, const char* name) {
    std::size_t length = std::strlen(name);
    if (std::strncmp(arg, name, length) == 0 && arg[length] == '=') {
        return arg + length + 1;
    }
    return nullptr;
}

bool ParseOptions(int argc, char** argv, Options* o) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const char* v = nullptr;
        long number = 0;
        bool ok = true;
        if ((v = Value(arg, "--device")) != nullptr) {
            ok = ParseDevice(v, &o->metrics);
        } else if ((v = Value(arg, "--left")) != nullptr) {
            ok = o->leftGiven = ParseInches(v, &o->left);
        } else if ((v = Value(arg, "--right")) != nullptr) {
            ok = o->rightGiven = ParseInches(v, &o->right);
        } else if ((v = Value(arg, "--top")) != nullptr) {
            ok = o->topGiven = ParseInches(v, &o->top);
        } else if ((v = Value(arg, "--bottom")) != nullptr) {
            ok = o->bottomGiven = ParseInches(v, &o->bottom);
        } else if (std::strcmp(arg, "--line-numbers") == 0) {
            o->lineNumbers = true;
        } else if (std::strcmp(arg, "--no-page-numbers") == 0) {
            o->noPageNumbers = true;
        } else if (std::strcmp(arg, "--form-feeds") == 0) {
            o->formFeeds = true;
        } else if (std::strcmp(arg, "--single-sheets") == 0) {
            o->singleSheets = true;
        } else if ((v = Value(arg, "--tab-size")) != nullptr) {
            ok = ParseInt(v, -1000000, 1000000, &number);
            o->tabGiven = true;
            o->tabSize = static_cast<int>(number);
        } else if ((v = Value(arg, "--pages")) != nullptr) {
            ok = ParsePages(v, o);
        } else if ((v = Value(arg, "--copies")) != nullptr) {
            ok = ParseInt(v, 0, 65535, &o->copies);
        } else if ((v = Value(arg, "--cancel-at-pause")) != nullptr) {
            ok = ParseInt(v, 1, 1000000000, &number);
            o->cancelAtPause = static_cast<int>(number);
        } else if ((v = Value(arg, "--code-page")) != nullptr) {
            ok = ParseInt(v, 1, 65535, &number);
            o->codePage = static_cast<int>(number);
        } else if (std::strcmp(arg, "--quiet") == 0) {
            o->quiet = true;
        } else if (arg[0] == '-' && arg[1] == '-') {
            ok = false;
        } else if (o->file == nullptr) {
            o->file = arg;
        } else {
            ok = false;
        }
        if (!ok) {
            std::fprintf(stderr, "quillmar-pages: bad argument: %s\n", arg);
            return false;
        }
    }
    return o->file != nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, &options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::ios::sync_with_stdio(false);
    PageRecorder recorder(options.quiet ? PageRecorder::Mode::Count : PageRecorder::Mode::Stream,
                          &std::cout);

    // The printer as the program finds it at start: its own default font, the presets.
    PrinterDevice device;
    device.Attach(std::make_unique<RecordingSurface>(options.metrics, recorder));
    std::strcpy(device.DeviceName, "Virtual printer");
    PrintSettings& settings = options.settings;
    char face[PrintSettings::kFaceSize];
    device.ReadFaceName(face, sizeof face);
    ApplyPresets(settings, face);
    if (options.leftGiven)
        settings.LeftMargin = options.left;
    if (options.rightGiven)
        settings.RightMargin = options.right;
    if (options.topGiven)
        settings.TopMargin = options.top;
    if (options.bottomGiven)
        settings.BottomMargin = options.bottom;
    if (options.tabGiven)
        settings.TabSize = options.tabSize;
    settings.LineNumbers = options.lineNumbers;
    settings.PageNumbers = !options.noPageNumbers;
    settings.FormFeed = options.formFeeds;
    settings.SingleSheets = options.singleSheets;

    PageGeometry geometry;
    FontHandle printerFont = kNoFont;
    ApplyPrinterFont(device, settings, geometry, printerFont);

    RecordingPrintDialog dialog(options.metrics, recorder);
    if (options.range) {
        dialog.ChoosePages(options.fromPage, options.toPage);
    }
    dialog.ChooseCopies(static_cast<std::uint16_t>(options.copies));
    RecordingJobHost host(recorder);
    host.CancelAtPause(options.cancelAtPause);
    host.KeepReports(false);

    TextBuffer text;
    text.SetCodePage(options.codePage);
    PrintJob job(settings, geometry, device, text, dialog, host);
    int result = job.PrintFile(options.file);
    std::cout.flush();
    if (result == 0) {
        std::fputs("Can't open file\n", stderr);
        return 1;
    }
    if (!host.Warnings().empty()) {
        std::fputs(host.Warnings().c_str(), stderr);  // a printer with no room for text
        return 1;
    }
    return 0;
}
