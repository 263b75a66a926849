// PrintRig: the print engine on a recording printer.
#include "tests/print_rig.h"

#include <memory>

PrintRig::PrintRig(const RecordingMetrics& m)
    : metrics(m),
      dialog(m, recorder),
      host(recorder),
      job(settings, geometry, device, text, dialog, host) {
    device.Attach(std::make_unique<RecordingSurface>(metrics, recorder));
    char face[PrintSettings::kFaceSize];
    device.ReadFaceName(face, sizeof face);
    ApplyPresets(settings, face);
}

void PrintRig::NoMargins() {
    settings.LeftMargin = 0;
    settings.RightMargin = 0;
    settings.TopMargin = 0;
    settings.BottomMargin = 0;
}

void PrintRig::Apply() {
    ApplyPrinterFont(device, settings, geometry, printerFont);
}

int PrintRig::Print(const std::string& content, const std::string& name) {
    std::string path = dir.Write(name, content);
    Apply();
    return job.PrintFile(path.c_str());
}

namespace {
const RecordedRow* FindRow(const PageRecorder& recorder, std::size_t page, std::size_t row) {
    const std::vector<RecordedPage>& pages = recorder.Pages();
    if (page >= pages.size() || row >= pages[page].rows.size() || !pages[page].rows[row].drawn) {
        return nullptr;
    }
    return &pages[page].rows[row];
}

std::string Trimmed(const std::string& text) {
    std::size_t end = text.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}
}  // namespace

std::string RowText(const PageRecorder& recorder, std::size_t page, std::size_t row) {
    const RecordedRow* found = FindRow(recorder, page, row);
    return found != nullptr ? Trimmed(found->Text()) : std::string();
}

bool RowBold(const PageRecorder& recorder, std::size_t page, std::size_t row) {
    const RecordedRow* found = FindRow(recorder, page, row);
    return found != nullptr && found->bold;
}

std::vector<std::string> DrawnRows(const PageRecorder& recorder, std::size_t page) {
    std::vector<std::string> rows;
    if (page >= recorder.Pages().size()) {
        return rows;
    }
    const RecordedPage& kept = recorder.Pages()[page];
    for (std::size_t i = 0; i < kept.rows.size(); ++i) {
        if (kept.rows[i].drawn) {
            std::string text = Trimmed(kept.rows[i].Text());
            rows.push_back(std::to_string(i) + ":" + (text.empty() ? "" : " " + text));
        }
    }
    return rows;
}
