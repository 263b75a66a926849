// Printing for real: two files go through PrintFile, the system print dialog and GDI to the
// default printer (a PDF printer on the test machine), and the PDFs that come out must hold
// the pages the recording printer gets for the same printer metrics. Each file is printed
// twice: in the face a new user starts with, the printer's own fixed-pitch font, which goes
// to the printer as PostScript text, and in a TrueType face, drawn with TextOutA.
//
// Run by real_print_test.sh in two steps around the spooler: "RealPrint.*" prints and writes
// the expected pages into $QUILLMAR_REAL_PRINT_DIR; "RealPrintCheck.*" reads what pdftotext
// and pdftohtml made of the PDFs there and compares.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "print/gdi_print_surface_win.h"
#include "print/print_dialog_win.h"
#include "print/print_job_host_win.h"
#include "print/text_helpers.h"
#include "tests/dialog_answerer_win.h"
#include "tests/print_rig.h"
#include "tests/temp_dir.h"

namespace {

constexpr int kPagesButton = 1058;
constexpr int kFromEdit = 1152;
constexpr int kToEdit = 1153;
constexpr int kCopiesEdit = 1154;

// How a document's rows reach the printer.
enum class Path { PostScript, TextOut };

struct Document {
    const char* name;
    std::string content;
    bool lineNumbers;
    bool formFeed;
    int fromPage;  // 0: every page
    int toPage;
    int copies;
    int pdfPages;  // the pages of its PDF, whatever the printer's measures
};

std::vector<Document> Documents() {
    std::string source =
        "/*\n"
        " * sample.c - a small C source for the printing test.\n"
        " */\n"
        "#include <stdio.h>\n"
        "\n"
        "static int counter;\n"
        "\n"
        "int add(int a,\n"
        "        int b)\n"
        "{\n"
        "\treturn a + b;\t/* tab expanded */\n"
        "}\n"
        "/* (parentheses), \\backslashes\\ and 'quotes' `ticks` - caf\xE9 \xA3"
        "5 \x80"
        "3 "
        "\xBD \xFC */\n"
        "\f\n"
        "void long_line(void)\n"
        "{\n"
        "    printf(\"%s\\n\", \"a string that is long enough to wrap onto a second line of the "
        "page, and even onto a third one when the page is narrow\");\n"
        "}\f\n";  // the last page ends with a form feed: no page follows it
    std::string plain;
    for (int i = 1; i <= 150; ++i) {
        plain += "Plain text line " + std::to_string(i) + " of the second document.\n";
    }
    return {{"sample.c", source, false, true, 0, 0, 1, 2},
            {"plain.txt", plain, true, false, 2, 3, 2, 4}};
}

// The work folder shared with the script, as a Windows path.
std::string WorkDir() {
    const char* dir = std::getenv("QUILLMAR_REAL_PRINT_DIR");
    if (dir == nullptr || dir[0] == '\0') {
        return "";
    }
    return dir[0] == '/' ? std::string("Z:") + dir : dir;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteAll(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    EXPECT_TRUE(out.good()) << path;
}

void ApplyDocument(const Document& document, PrintSettings& settings) {
    settings.LineNumbers = document.lineNumbers;
    settings.FormFeed = document.formFeed;
}

// The face the printer's context holds before any font is selected: on the test machine a
// TrueType face that the system stands in with for the printer's own default font.
std::string RealisedDefaultFace() {
    char entry[512];
    GetProfileStringA("windows", "device", ",,,", entry, sizeof entry);
    DeviceEntry parts;
    if (!ParseDeviceEntry(entry, &parts)) {
        return "";
    }
    HDC dc = CreateDCA(parts.driver, parts.device, parts.port, nullptr);
    char face[LF_FACESIZE] = {};
    if (dc != nullptr) {
        GetTextFaceA(dc, sizeof face, face);
        DeleteDC(dc);
    }
    return face;
}

// Prints one document on the real default printer; answers the print dialog like a user.
void PrintForReal(const Document& document, const std::string& path, Path way,
                  RecordingMetrics* metrics) {
    PrinterDevice device;
    OpenDefaultPrinter(device);
    ASSERT_TRUE(device.HasDevice()) << "no default printer";
    PrintSettings settings;
    char face[32];
    device.ReadFaceName(face, sizeof face);
    ApplyPresets(settings, face);
    if (way == Path::TextOut) {
        std::string trueType = RealisedDefaultFace();
        ASSERT_FALSE(trueType.empty());
        CopyBounded(settings.font, sizeof settings.font, trueType.c_str());
    }
    ApplyDocument(document, settings);
    PageGeometry geometry;
    FontHandle printerFont = kNoFont;
    ApplyPrinterFont(device, settings, geometry, printerFont);

    TextBuffer text;
    SystemPrintDialog dialog;
    SystemPrintJobHost host;
    PrintJob job(settings, geometry, device, text, dialog, host);
    DialogAnswerer answerer("Print", [&document](HWND box) {
        if (document.fromPage > 0) {
            DialogAnswerer::Press(box, kPagesButton);
            Sleep(100);
            DialogAnswerer::SetText(box, kFromEdit, std::to_string(document.fromPage).c_str());
            DialogAnswerer::SetText(box, kToEdit, std::to_string(document.toPage).c_str());
        }
        DialogAnswerer::SetText(box, kCopiesEdit, std::to_string(document.copies).c_str());
        DialogAnswerer::Press(box, IDOK);
    });
    ASSERT_EQ(job.PrintFile(path.c_str()), 1);
    ASSERT_TRUE(answerer.Finish()) << "the print dialog did not show";
    EXPECT_EQ(device.PrintDialog.Copies, document.copies);
    auto* surface = dynamic_cast<GdiPrintSurface*>(device.Surface());
    ASSERT_NE(surface, nullptr);
    if (way == Path::PostScript) {
        EXPECT_TRUE(surface->TakesPostScript()) << "the test printer takes PostScript";
        EXPECT_GT(surface->PostScriptRows(), 0) << settings.font;
        EXPECT_EQ(surface->TextOutRows(), 0) << settings.font;
    } else {
        EXPECT_EQ(surface->PostScriptRows(), 0) << settings.font;
        EXPECT_GT(surface->TextOutRows(), 0) << settings.font;
    }

    ASSERT_EQ(device.Capability(DeviceCap::LogPixelsX), device.Capability(DeviceCap::LogPixelsY));
    metrics->horzRes = device.PageWidth;
    metrics->vertRes = device.PageHeight;
    metrics->dpi = device.Capability(DeviceCap::LogPixelsY);
    metrics->charWidth = device.CharWidth;
    metrics->lineHeight = device.LineHeight;
    device.SelectFont(kNoFont);
    device.FreeFont(printerFont);
}

// The same document on a recording printer with the real one's metrics.
std::string RecordedPages(const Document& document, const std::string& path,
                          const RecordingMetrics& metrics) {
    PrintRig rig(metrics);
    ApplyDocument(document, rig.settings);
    if (document.fromPage > 0) {
        rig.dialog.ChoosePages(document.fromPage, document.toPage);
    }
    rig.dialog.ChooseCopies(static_cast<std::uint16_t>(document.copies));
    rig.Apply();
    EXPECT_EQ(rig.job.PrintFile(path.c_str()), 1);
    return rig.Pages();
}

// One page as rows of text, and which rows are bold.
struct PageGrid {
    std::vector<std::string> rows;
    std::set<int> bold;
};

std::string Normalised(std::string text) {
    for (char& ch : text) {
        if (static_cast<unsigned char>(ch) < 0x20) {
            ch = ' ';
        }
    }
    std::size_t end = text.find_last_not_of(' ');
    return end == std::string::npos ? "" : text.substr(0, end + 1);
}

void TrimRows(PageGrid& page) {
    while (!page.rows.empty() && page.rows.back().empty()) {
        page.rows.pop_back();
    }
}

// Pages of the layout tool's format; bold counts only on rows with visible text.
std::vector<PageGrid> ExpectedPages(const std::string& rendered) {
    std::vector<PageGrid> pages;
    std::istringstream in(rendered);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("=== page", 0) == 0) {
            pages.emplace_back();
            continue;
        }
        if (pages.empty() || line.rfind("--- pause", 0) == 0) {
            continue;
        }
        std::string text = line.empty() ? "" : Normalised(line.substr(1));
        if (!line.empty() && line[0] == '*' && text.find_first_not_of(' ') != std::string::npos) {
            pages.back().bold.insert(static_cast<int>(pages.back().rows.size()));
        }
        pages.back().rows.push_back(text);
    }
    for (PageGrid& page : pages) {
        TrimRows(page);
    }
    return pages;
}

std::string Attribute(const std::string& tag, const std::string& name) {
    std::size_t at = tag.find(" " + name + "=\"");
    if (at == std::string::npos) {
        return "";
    }
    at += name.size() + 3;
    return tag.substr(at, tag.find('"', at) - at);
}

double Number(const std::string& tag, const std::string& name) {
    return std::strtod(Attribute(tag, name).c_str(), nullptr);
}

using Replacement = std::pair<const char*, const char*>;

// `text` with every occurrence of a replacement's first text replaced by its second.
template <std::size_t N>
std::string Replaced(const std::string& text, const Replacement (&replacements)[N]) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const Replacement& replacement : replacements) {
            std::size_t length = std::strlen(replacement.first);
            if (text.compare(i, length, replacement.first) == 0) {
                out += replacement.second;
                i += length;
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            out += text[i++];
        }
    }
    return out;
}

std::string DecodeEntities(const std::string& text) {
    static const Replacement entities[] = {{"&amp;", "&"},   {"&lt;", "<"},   {"&gt;", ">"},
                                           {"&quot;", "\""}, {"&apos;", "'"}, {"&#39;", "'"},
                                           {"&#34;", "\""}};
    return Replaced(text, entities);
}

// Every "<name ...>" tag of `text` with what follows it up to the next "<".
std::vector<std::pair<std::string, std::string>> Tags(const std::string& text,
                                                      const std::string& name) {
    std::vector<std::pair<std::string, std::string>> tags;
    std::size_t at = 0;
    while ((at = text.find("<" + name, at)) != std::string::npos) {
        std::size_t end = text.find('>', at);
        std::size_t close = text.find("</" + name + ">", end);
        tags.emplace_back(text.substr(at, end - at + 1), text.substr(end + 1, close - end - 1));
        at = end;
    }
    return tags;
}

// The PDF text is UTF-8, and the printer driver's fonts map a few ASCII glyphs onto look-alike
// code points: the soft hyphen for "-", the Greek question mark for ";", and so on.
std::string AsAscii(const std::string& text) {
    static const Replacement lookAlikes[] = {
        {"\xC2\xAD", "-"},     {"\xCD\xBE", ";"},     {"\xE2\x80\x90", "-"},
        {"\xE2\x80\x91", "-"}, {"\xE2\x88\x92", "-"}, {"\xC2\xA0", " "},
        {"\xE2\x80\x99", "'"}, {"\xCB\x9C", "~"},     {"\xCB\x86", "^"}};
    return Replaced(text, lookAlikes);
}

// UTF-8 text of the PDF in the program's 8-bit code page, one byte a cell like the rows sent.
std::string InCodePage(const std::string& utf8) {
    if (utf8.empty()) {
        return utf8;
    }
    int length = static_cast<int>(utf8.size());
    std::wstring wide(utf8.size(), L'\0');
    int wideLength = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), length);
    std::string text(static_cast<std::size_t>(wideLength) * 2, '\0');
    int textLength = WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, text.data(),
                                         static_cast<int>(text.size()), nullptr, nullptr);
    text.resize(static_cast<std::size_t>(textLength));
    return text;
}

// The PDF's pages as the grid: words from `pdftotext -bbox`, bold from `pdftohtml -xml`.
std::vector<PageGrid> PdfPages(const std::string& bbox, const std::string& xml,
                               const RecordingMetrics& m) {
    std::vector<PageGrid> pages;
    double deviceUnitsPerPoint = m.dpi / 72.0;
    std::size_t at = 0;
    std::vector<double> pageWidths;
    while ((at = bbox.find("<page ", at)) != std::string::npos) {
        std::size_t end = bbox.find("</page>", at);
        std::string body = bbox.substr(at, end - at);
        pageWidths.push_back(Number(body.substr(0, body.find('>') + 1), "width"));
        PageGrid page;
        for (const auto& word : Tags(body, "word")) {
            double x = Number(word.first, "xMin") * deviceUnitsPerPoint;
            double y =
                (Number(word.first, "yMin") + Number(word.first, "yMax")) / 2 * deviceUnitsPerPoint;
            int column = static_cast<int>(std::lround(x / m.charWidth));
            int row = static_cast<int>(std::floor(y / m.lineHeight));
            std::string text = InCodePage(AsAscii(DecodeEntities(word.second)));
            if (row < 0 || column < 0 || row > 10000) {
                continue;
            }
            if (page.rows.size() <= static_cast<std::size_t>(row)) {
                page.rows.resize(row + 1);
            }
            std::string& target = page.rows[row];
            if (target.size() < column + text.size()) {
                target.resize(column + text.size(), ' ');
            }
            target.replace(column, text.size(), text);
        }
        for (std::string& row : page.rows) {
            row = Normalised(row);
        }
        TrimRows(page);
        pages.push_back(page);
        at = end;
    }

    std::size_t index = 0;
    at = 0;
    while ((at = xml.find("<page ", at)) != std::string::npos && index < pages.size()) {
        std::size_t end = xml.find("</page>", at);
        std::string body = xml.substr(at, end - at);
        double zoom = Number(body.substr(0, body.find('>') + 1), "width") / pageWidths[index];
        for (const auto& text : Tags(body, "text")) {
            if (text.second.find("<b>") == std::string::npos) {
                continue;
            }
            double top = Number(text.first, "top") + Number(text.first, "height") / 2;
            pages[index].bold.insert(
                static_cast<int>(std::floor(top / zoom * deviceUnitsPerPoint / m.lineHeight)));
        }
        ++index;
        at = end;
    }
    return pages;
}

// Rows one a line, each behind a bar so that leading blanks show in a failure.
std::string Listed(const std::vector<std::string>& rows) {
    std::string text;
    for (const std::string& row : rows) {
        text += "|" + row + "\n";
    }
    return text;
}

}  // namespace

TEST(RealPrint, PrintsBothDocumentsOnTheDefaultPrinter) {
    std::string work = WorkDir();
    ASSERT_FALSE(work.empty()) << "run by real_print_test.sh, which sets QUILLMAR_REAL_PRINT_DIR";
    int number = 0;
    for (Path way : {Path::PostScript, Path::TextOut}) {
        for (const Document& document : Documents()) {
            ++number;
            SCOPED_TRACE(std::string(document.name) +
                         (way == Path::PostScript ? " as PostScript" : " with TextOutA"));
            std::string path = work + "\\" + document.name;
            WriteAll(path, document.content);
            RecordingMetrics metrics;
            PrintForReal(document, path, way, &metrics);
            if (HasFatalFailure()) {
                return;
            }
            std::string expected = RecordedPages(document, path, metrics);
            std::string stem = work + "\\doc" + std::to_string(number);
            WriteAll(stem + ".expected", expected);
            WriteAll(stem + ".metrics", std::to_string(metrics.dpi) + " " +
                                            std::to_string(metrics.charWidth) + " " +
                                            std::to_string(metrics.lineHeight) + "\n");
        }
    }
    WriteAll(work + "\\documents", std::to_string(number) + "\n");
}

TEST(RealPrintCheck, ThePdfsHoldTheRecordedPages) {
    std::string work = WorkDir();
    ASSERT_FALSE(work.empty()) << "run by real_print_test.sh, which sets QUILLMAR_REAL_PRINT_DIR";
    int documents = std::atoi(ReadAll(work + "\\documents").c_str());
    ASSERT_EQ(documents, 4) << "two files, each printed both ways";
    for (int number = 1; number <= documents; ++number) {
        SCOPED_TRACE("document " + std::to_string(number));
        std::string stem = work + "\\doc" + std::to_string(number);
        std::istringstream figures(ReadAll(stem + ".metrics"));
        RecordingMetrics metrics;
        figures >> metrics.dpi >> metrics.charWidth >> metrics.lineHeight;
        ASSERT_GT(metrics.charWidth, 0);
        std::vector<PageGrid> expected = ExpectedPages(ReadAll(stem + ".expected"));
        std::vector<PageGrid> printed =
            PdfPages(ReadAll(stem + ".bbox.html"), ReadAll(stem + ".xml"), metrics);
        ASSERT_FALSE(expected.empty());
        int pdfPages = std::atoi(ReadAll(stem + ".pages").c_str());
        EXPECT_EQ(pdfPages, Documents()[(number - 1) % 2].pdfPages) << "pages of the PDF";
        ASSERT_EQ(printed.size(), expected.size()) << "pages";
        for (std::size_t page = 0; page < expected.size(); ++page) {
            SCOPED_TRACE("page " + std::to_string(page + 1));
            EXPECT_EQ(Listed(printed[page].rows), Listed(expected[page].rows));
            EXPECT_EQ(printed[page].bold, expected[page].bold);
        }
    }
}
