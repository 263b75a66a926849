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

#include <algorithm>
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

// Documents printed by the two printing tests: the recorded ones first, then today's text.
constexpr int kRecordedDocuments = 4;

// Today's text in each of the encodings the program reads: the characters beyond ASCII, a
// tab, and a row of accented letters over a row of plain ones, every bar in the same column.
struct EncodedText {
    const char* name;
    std::string content;
    bool beyond1252;  // holds the Greek and Cyrillic words, which code page 1252 lacks
};

std::string TodaysText(bool beyond1252) {
    std::string text = "caf\u00E9\nGr\u00FC\u00DFe\n5 \u20AC\n\u00BD\n";
    if (beyond1252) {
        text += "\u03A9mega\n\u0416\u0443\u043A\n";
    }
    text += "\u201Cquoted\u201D\na\tb\n";
    for (int i = 0; i < 10; ++i) {
        text += "\u00E9| ";
    }
    text += "\n";
    for (int i = 0; i < 10; ++i) {
        text += "e| ";
    }
    return text + "\n";
}

std::wstring Widened(const std::string& utf8) {
    std::wstring wide(utf8.size(), L'\0');
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                     wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(length));
    return wide;
}

std::vector<EncodedText> EncodedTexts() {
    std::string utf8 = TodaysText(true);
    std::string utf16 = "\xFF\xFE";
    for (wchar_t unit : Widened(utf8)) {
        utf16 += static_cast<char>(unit & 0xFF);
        utf16 += static_cast<char>(unit >> 8);
    }
    std::wstring latin = Widened(TodaysText(false));
    std::string cp1252(latin.size() * 2, '\0');
    BOOL lacking = FALSE;
    int length = WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, latin.data(),
                                     static_cast<int>(latin.size()), cp1252.data(),
                                     static_cast<int>(cp1252.size()), "?", &lacking);
    cp1252.resize(static_cast<std::size_t>(length));
    EXPECT_FALSE(lacking);
    return {{"utf8.txt", utf8, true},
            {"utf8-mark.txt", "\xEF\xBB\xBF" + utf8, true},
            {"utf16.txt", utf16, true},
            {"cp1252.txt", cp1252, false}};
}

// A text that the printer's fonts cannot show: its page goes the TextOut way.
const char kEastAsianText[] = "\u65E5\u672C\u8A9E text\n";

constexpr int kAllDocuments = kRecordedDocuments + 2 * 4 + 1;

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

// What the printer's surface did with a document.
struct SurfaceCounts {
    long postScriptRows = 0;
    long textOutRows = 0;
    long coveredPages = 0;  // pages that went the TextOut way for what the printer lacks
    std::string coveringFace;
};

// Prints one document on the real default printer; answers the print dialog like a user.
void PrintForReal(const Document& document, const std::string& path, Path way,
                  RecordingMetrics* metrics, SurfaceCounts* counts = nullptr) {
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
    if (counts != nullptr) {
        counts->postScriptRows = surface->PostScriptRows();
        counts->textOutRows = surface->TextOutRows();
        counts->coveredPages = surface->CoveredPages();
        counts->coveringFace = surface->CoveringFace();
    } else if (way == Path::PostScript) {
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

TEST(RealPrint, PrintsTodaysTextOnBothPaths) {
    std::string work = WorkDir();
    ASSERT_FALSE(work.empty()) << "run by real_print_test.sh, which sets QUILLMAR_REAL_PRINT_DIR";
    Document document = {"", "", false, false, 0, 0, 1, 1};
    int number = kRecordedDocuments;
    for (Path way : {Path::PostScript, Path::TextOut}) {
        for (const EncodedText& text : EncodedTexts()) {
            ++number;
            SCOPED_TRACE(std::string(text.name) +
                         (way == Path::PostScript ? " as PostScript" : " the TextOut way"));
            std::string path = work + "\\" + text.name;
            WriteAll(path, text.content);
            RecordingMetrics metrics;
            SurfaceCounts counts;
            PrintForReal(document, path, way, &metrics, &counts);
            if (HasFatalFailure()) {
                return;
            }
            // The printer's fonts hold every one of these characters.
            EXPECT_EQ(counts.coveredPages, 0);
            EXPECT_EQ(counts.postScriptRows > 0, way == Path::PostScript);
            EXPECT_EQ(counts.textOutRows > 0, way == Path::TextOut);
            WriteAll(work + "\\doc" + std::to_string(number) + ".metrics",
                     std::to_string(metrics.dpi) + " " + std::to_string(metrics.charWidth) + " " +
                         std::to_string(metrics.lineHeight) + "\n");
        }
    }
    {
        ++number;
        SCOPED_TRACE("East Asian text as PostScript");
        std::string path = work + "\\cjk.txt";
        WriteAll(path, kEastAsianText);
        RecordingMetrics metrics;
        SurfaceCounts counts;
        PrintForReal(document, path, Path::PostScript, &metrics, &counts);
        if (HasFatalFailure()) {
            return;
        }
        EXPECT_EQ(counts.coveredPages, 1);
        EXPECT_EQ(counts.postScriptRows, 0) << "the whole page goes the TextOut way";
        EXPECT_GT(counts.textOutRows, 0);
        EXPECT_NE(counts.coveringFace.find("WenQuanYi"), std::string::npos) << counts.coveringFace;
        WriteAll(work + "\\doc" + std::to_string(number) + ".metrics",
                 std::to_string(metrics.dpi) + " " + std::to_string(metrics.charWidth) + " " +
                     std::to_string(metrics.lineHeight) + "\n");
    }
    EXPECT_EQ(number, kAllDocuments);
    WriteAll(work + "\\documents", std::to_string(number) + "\n");
}

namespace {

// A word of a PDF page as pdftotext places it, in points.
struct PdfWord {
    std::string text;  // UTF-8
    double xMin;
    double xMax;
    double y;  // middle
};

std::vector<PdfWord> FirstPageWords(const std::string& bbox) {
    std::vector<PdfWord> words;
    std::size_t at = bbox.find("<page ");
    if (at == std::string::npos) {
        return words;
    }
    std::string body = bbox.substr(at, bbox.find("</page>", at) - at);
    for (const auto& word : Tags(body, "word")) {
        // The TrueType faces' driver names the glyph of the Greek capital omega "Omega",
        // which the glyph list reads as the ohm sign.
        static const Replacement lookAlikes[] = {{"\u2126", "\u03A9"}};
        words.push_back({Replaced(DecodeEntities(word.second), lookAlikes),
                         Number(word.first, "xMin"), Number(word.first, "xMax"),
                         (Number(word.first, "yMin") + Number(word.first, "yMax")) / 2});
    }
    return words;
}

const PdfWord* FindWord(const std::vector<PdfWord>& words, const std::string& text) {
    for (const PdfWord& word : words) {
        if (word.text == text) {
            return &word;
        }
    }
    return nullptr;
}

// The words of one text, in the order of their x.
std::vector<PdfWord> WordsOf(const std::vector<PdfWord>& words, const std::string& text) {
    std::vector<PdfWord> found;
    for (const PdfWord& word : words) {
        if (word.text == text) {
            found.push_back(word);
        }
    }
    std::sort(found.begin(), found.end(),
              [](const PdfWord& a, const PdfWord& b) { return a.xMin < b.xMin; });
    return found;
}

}  // namespace

TEST(RealPrintCheck, TodaysTextShowsEveryCharacterAtItsCell) {
    std::string work = WorkDir();
    ASSERT_FALSE(work.empty()) << "run by real_print_test.sh, which sets QUILLMAR_REAL_PRINT_DIR";
    ASSERT_EQ(std::atoi(ReadAll(work + "\\documents").c_str()), kAllDocuments);
    std::vector<EncodedText> texts = EncodedTexts();
    for (int number = kRecordedDocuments + 1; number <= kAllDocuments; ++number) {
        std::string stem = work + "\\doc" + std::to_string(number);
        std::istringstream figures(ReadAll(stem + ".metrics"));
        RecordingMetrics metrics;
        figures >> metrics.dpi >> metrics.charWidth >> metrics.lineHeight;
        ASSERT_GT(metrics.charWidth, 0);
        double cell = metrics.charWidth * 72.0 / metrics.dpi;  // in points
        std::string bbox = ReadAll(stem + ".bbox.html");
        std::vector<PdfWord> words = FirstPageWords(bbox);
        EXPECT_EQ(std::atoi(ReadAll(stem + ".pages").c_str()), 1);
        EXPECT_EQ(bbox.find("\u00EF\u00BB\u00BF"), std::string::npos) << "a mark shown as 1252";
        EXPECT_EQ(bbox.find("\uFEFF"), std::string::npos) << "a mark shown";
        if (number == kAllDocuments) {
            SCOPED_TRACE("East Asian text");
            // pdftotext takes each wide character for a word: two cells apart.
            const char* const wide[] = {"\u65E5", "\u672C", "\u8A9E"};
            const PdfWord* first = FindWord(words, wide[0]);
            ASSERT_NE(first, nullptr) << bbox;
            for (int i = 1; i < 3; ++i) {
                const PdfWord* next = FindWord(words, wide[i]);
                ASSERT_NE(next, nullptr) << wide[i] << "\n" << bbox;
                EXPECT_NEAR(next->xMin - first->xMin, 2.0 * i * cell, cell / 4);
            }
            const PdfWord* after = FindWord(words, "text");
            ASSERT_NE(after, nullptr);
            EXPECT_NEAR(after->xMin - first->xMin, 7 * cell, cell / 4);
            continue;
        }
        std::size_t index = static_cast<std::size_t>(number - kRecordedDocuments - 1) % 4;
        const EncodedText& text = texts[index];
        SCOPED_TRACE(std::string(text.name) +
                     (number - kRecordedDocuments <= 4 ? " as PostScript" : " the TextOut way"));
        std::vector<std::string> expected = {"caf\u00E9", "Gr\u00FC\u00DFe", "5",
                                             "\u20AC",    "\u00BD",          "\u201Cquoted\u201D"};
        if (text.beyond1252) {
            expected.push_back("\u03A9mega");
            expected.push_back("\u0416\u0443\u043A");
        }
        for (const std::string& word : expected) {
            EXPECT_NE(FindWord(words, word), nullptr) << word << "\n" << bbox;
        }
        // The tab: "b" at the next stop, 8 cells after "a".
        const PdfWord* a = FindWord(words, "a");
        const PdfWord* b = FindWord(words, "b");
        ASSERT_NE(a, nullptr);
        ASSERT_NE(b, nullptr);
        EXPECT_NEAR(b->xMin - a->xMin, 8 * cell, cell / 4);
        EXPECT_NEAR(b->y, a->y, 1);
        // Each bar of the accented row exactly over the one of the plain row.
        std::vector<PdfWord> accented = WordsOf(words, "\u00E9|");
        std::vector<PdfWord> plain = WordsOf(words, "e|");
        ASSERT_EQ(accented.size(), 10u) << bbox;
        ASSERT_EQ(plain.size(), 10u) << bbox;
        for (std::size_t i = 0; i < 10; ++i) {
            SCOPED_TRACE("bar " + std::to_string(i + 1));
            EXPECT_NEAR(accented[i].xMax, plain[i].xMax, 0.2);
            EXPECT_NEAR(accented[i].xMin, plain[i].xMin, 0.2);
            EXPECT_NEAR(plain[i].xMin - plain[0].xMin, 3.0 * i * cell, cell / 4);
            EXPECT_GT(plain[i].y, accented[i].y);
        }
    }
}

TEST(RealPrintCheck, ThePdfsHoldTheRecordedPages) {
    std::string work = WorkDir();
    ASSERT_FALSE(work.empty()) << "run by real_print_test.sh, which sets QUILLMAR_REAL_PRINT_DIR";
    int documents = std::atoi(ReadAll(work + "\\documents").c_str());
    ASSERT_EQ(documents, kAllDocuments);
    for (int number = 1; number <= kRecordedDocuments; ++number) {
        SCOPED_TRACE("document " + std::to_string(number));
        std::string stem = work + "\\doc" + std::to_string(number);
        std::istringstream figures(ReadAll(stem + ".metrics"));
        RecordingMetrics metrics;
        figures >> metrics.dpi >> metrics.charWidth >> metrics.lineHeight;
        ASSERT_GT(metrics.charWidth, 0);
        // The recorded rows are UTF-8, a character a cell: in the code page, like the PDF's.
        std::vector<PageGrid> expected = ExpectedPages(InCodePage(ReadAll(stem + ".expected")));
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
