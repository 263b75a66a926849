// Tests of the settings store on the registry of the test's Wine prefix.
#include "app/settings_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "app/app_globals.h"
#include "app/settings_values.h"

namespace {
constexpr char kMakerKey[] = "Software\\Vornhald Freeware";

// The question seam: records what was asked and gives the planned answer.
struct Question {
    int answer = IDYES;
    int count = 0;
    HWND owner = nullptr;
    std::string text;
    std::string caption;
    UINT type = 0;
};
Question question;

int Answer(HWND owner, const char* text, const char* caption, UINT type) {
    ++question.count;
    question.owner = owner;
    question.text = text;
    question.caption = caption;
    question.type = type;
    return question.answer;
}

// A setup unlike the presets in every value.
PrintSettings Changed() {
    PrintSettings settings;
    std::strcpy(settings.font, "Lucida Console");
    settings.Pitch = 10;
    settings.LeftMargin = 1.0f;
    settings.RightMargin = 0.25f;
    settings.TopMargin = 1.5f;
    settings.BottomMargin = 2.0f;
    settings.TabSize = 4;
    settings.SingleSheets = true;
    settings.PageNumbers = false;
    settings.LineNumbers = true;
    settings.FormFeed = true;
    std::strcpy(settings.Path, "D:\\Work\\*.*");
    return settings;
}

PrintSettings Presets(const char* face = "Courier New") {
    PrintSettings settings;
    ApplyPresets(settings, face);
    return settings;
}

void ExpectSame(const PrintSettings& actual, const PrintSettings& expected,
                const std::string& context) {
    SCOPED_TRACE(context);
    EXPECT_STREQ(actual.font, expected.font);
    EXPECT_EQ(actual.Pitch, expected.Pitch);
    EXPECT_EQ(actual.LeftMargin, expected.LeftMargin);
    EXPECT_EQ(actual.RightMargin, expected.RightMargin);
    EXPECT_EQ(actual.TopMargin, expected.TopMargin);
    EXPECT_EQ(actual.BottomMargin, expected.BottomMargin);
    EXPECT_EQ(actual.TabSize, expected.TabSize);
    EXPECT_EQ(actual.SingleSheets, expected.SingleSheets);
    EXPECT_EQ(actual.PageNumbers, expected.PageNumbers);
    EXPECT_EQ(actual.LineNumbers, expected.LineNumbers);
    EXPECT_EQ(actual.FormFeed, expected.FormFeed);
    EXPECT_STREQ(actual.Path, expected.Path);
}

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kMakerKey);
        question = Question();
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kMakerKey); }

    // The names of the values under the key; none when there is no key.
    static std::set<std::string> StoredNames() {
        std::set<std::string> names;
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &key) != 0) {
            return names;
        }
        char name[64];
        for (DWORD i = 0;; ++i) {
            DWORD length = sizeof name;
            if (RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != 0) {
                break;
            }
            names.insert(name);
        }
        RegCloseKey(key);
        return names;
    }

    static void Store(const char* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    static void StoreText(const char* name, const std::string& text) {
        Store(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }
    static void StoreDword(const char* name, DWORD value) {
        Store(name, REG_DWORD, &value, sizeof value);
    }

    static std::string StoredText(const char* name) {
        char text[300] = "";
        DWORD size = sizeof text;
        RegGetValueA(HKEY_CURRENT_USER, kSettingsKeyPath, name, RRF_RT_REG_SZ, nullptr, text,
                     &size);
        return text;
    }

    static PrintSettings Loaded(const char* face = "Courier New") {
        PrintSettings settings = Changed();
        LoadSettings(settings, face);
        return settings;
    }
};

const std::set<std::string> kElevenValues = {
    "font",    "Pitch",        "LeftMargin",  "RightMargin", "TopMargin", "BottomMargin",
    "TabSize", "SingleSheets", "PageNumbers", "LineNumbers", "FormFeed"};
}  // namespace

TEST_F(SettingsStoreTest, TheFirstRunGivesEveryPreset) {
    ExpectSame(Loaded("Lucida Console"), Presets("Lucida Console"), "printer face");
    ExpectSame(Loaded(""), Presets(), "empty face");
    ExpectSame(Loaded(nullptr), Presets(), "no printer");
    EXPECT_STREQ(Loaded().Path, "C:\\*.*");
    EXPECT_TRUE(StoredNames().empty());
}

TEST_F(SettingsStoreTest, ADirectoryChangeAloneWritesPathAndAsksNothing) {
    EXPECT_EQ(SaveSettings(Changed(), true, false, Answer), 0);
    EXPECT_EQ(question.count, 0);
    EXPECT_EQ(StoredNames(), std::set<std::string>{"Path"});
    EXPECT_EQ(StoredText("Path"), "D:\\Work\\*.*");
    ExpectSame(
        Loaded(),
        [] {
            PrintSettings expected = Presets();
            std::strcpy(expected.Path, "D:\\Work\\*.*");
            return expected;
        }(),
        "a key that holds only Path keeps the other presets");
}

TEST_F(SettingsStoreTest, NothingChangedWritesNothing) {
    EXPECT_EQ(SaveSettings(Changed(), false, false, Answer), 0);
    EXPECT_EQ(question.count, 0);
    EXPECT_TRUE(StoredNames().empty());
}

TEST_F(SettingsStoreTest, TheAnswerDecidesWhatIsWritten) {
    MainWindowHandle = GetDesktopWindow();
    for (int answer : {IDYES, IDNO, IDCANCEL}) {
        for (bool directoryChanged : {false, true}) {
            SetUp();
            question.answer = answer;
            std::string context = "answer " + std::to_string(answer) +
                                  (directoryChanged ? ", directory changed" : "");
            EXPECT_EQ(SaveSettings(Changed(), directoryChanged, true, Answer), answer) << context;
            EXPECT_EQ(question.count, 1) << context;
            std::set<std::string> expected =
                answer == IDYES ? kElevenValues : std::set<std::string>();
            if (directoryChanged) {
                expected.insert("Path");
            }
            EXPECT_EQ(StoredNames(), expected) << context;
        }
    }
    EXPECT_EQ(question.owner, GetDesktopWindow());
    EXPECT_EQ(question.text, "Save settings?");
    EXPECT_EQ(question.caption, "Quillmar");
    EXPECT_EQ(question.type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
    MainWindowHandle = nullptr;
}

TEST_F(SettingsStoreTest, SavedValuesComeBack) {
    ASSERT_EQ(SaveSettings(Changed(), true, true, Answer), IDYES);
    PrintSettings loaded = Presets();
    LoadSettings(loaded, "Courier New");
    PrintSettings expected = Changed();
    expected.RightMargin = 0.3f;  // saved with one decimal
    ExpectSame(loaded, expected, "saved with Yes");
}

TEST_F(SettingsStoreTest, MarginsAreSavedWithOneDecimal) {
    PrintSettings settings = Changed();
    settings.LeftMargin = 0.25f;
    settings.RightMargin = -1.0f;
    settings.TopMargin = 12.0f;
    ASSERT_EQ(SaveSettings(settings, false, true, Answer), IDYES);
    EXPECT_EQ(StoredText("LeftMargin"), " 0.3");
    EXPECT_EQ(StoredText("RightMargin"), " 0.0");  // never -1 saved as 1
    EXPECT_EQ(StoredText("TopMargin"), "12.0");
    EXPECT_EQ(Loaded().LeftMargin, 0.3f);
}

TEST_F(SettingsStoreTest, AFlagOfMoreThanOneByteReadsAsFalse) {
    Store("PageNumbers", REG_BINARY, "\x01\x01\x01\x01", 4);
    Store("LineNumbers", REG_BINARY, "\x01", 1);
    PrintSettings loaded = Loaded();
    EXPECT_FALSE(loaded.PageNumbers);
    EXPECT_TRUE(loaded.LineNumbers);
}

TEST_F(SettingsStoreTest, MalformedValuesKeepTheirPresetsAndFlagsReadFalse) {
    const std::string longFace(32, 'F');
    const std::string longMargin = std::string(29, ' ') + "1";
    const std::string longPath = "D:\\" + std::string(253, 'p') + "\\*.*";  // 260 characters
    DWORD four = 4;
    unsigned long long eight = 4;
    struct Case {
        const char* name;
        DWORD type;
        std::string bytes;
    };
    std::vector<Case> cases;
    for (const char* text :
         {"font", "LeftMargin", "RightMargin", "TopMargin", "BottomMargin", "Path"}) {
        std::string good = text[0] == 'f' ? "Arial" : text[0] == 'P' ? "D:\\*.*" : " 2.5";
        std::string bad = text[0] == 'f' ? longFace : text[0] == 'P' ? longPath : longMargin;
        cases.push_back({text, REG_BINARY, good + '\0'});       // another type
        cases.push_back({text, REG_SZ, bad + '\0'});            // too long with its terminator
        cases.push_back({text, REG_SZ, good});                  // no terminator
        cases.push_back({text, REG_EXPAND_SZ, std::string()});  // nothing at all
    }
    for (const char* number : {"Pitch", "TabSize"}) {
        cases.push_back({number, REG_BINARY, std::string(reinterpret_cast<char*>(&four), 4)});
        cases.push_back({number, REG_DWORD, std::string(reinterpret_cast<char*>(&eight), 8)});
        cases.push_back({number, REG_SZ, "4"});
    }
    for (const char* flag : {"SingleSheets", "PageNumbers", "LineNumbers", "FormFeed"}) {
        cases.push_back({flag, REG_DWORD, std::string(reinterpret_cast<char*>(&four), 4)});
        cases.push_back({flag, REG_BINARY, "\x01\x01"});
        cases.push_back({flag, REG_SZ, "1"});
    }
    for (const Case& c : cases) {
        SetUp();
        // Stored as they are. A byte other than 0 follows them in memory, or the system would
        // count a terminator that lies just past the given size.
        std::string padded = c.bytes + '#';
        Store(c.name, c.type, padded.data(), static_cast<DWORD>(c.bytes.size()));
        PrintSettings expected = Presets();
        if (std::strcmp(c.name, "PageNumbers") == 0) {
            expected.PageNumbers = false;
        }
        ExpectSame(Loaded(), expected,
                   std::string(c.name) + " type " + std::to_string(c.type) + " of " +
                       std::to_string(c.bytes.size()) + " bytes");
    }
}

TEST_F(SettingsStoreTest, ValuesAtTheirLimitsAreRead) {
    const std::string face(31, 'F');
    const std::string path = "D:\\" + std::string(252, 'p') + "\\*.*";  // 259 characters
    StoreText("font", face);
    StoreText("Path", path);
    StoreText("LeftMargin", std::string(28, ' ') + "1");
    StoreDword("Pitch", 999);
    StoreDword("TabSize", 0xFFFFFFFFu);
    PrintSettings loaded = Loaded();
    EXPECT_EQ(loaded.font, face);
    EXPECT_EQ(loaded.Path, path);
    EXPECT_EQ(loaded.LeftMargin, 1.0f);
    EXPECT_EQ(loaded.Pitch, 999);
    EXPECT_EQ(loaded.TabSize, -1);  // as stored; printing uses only 1 to 16
}

TEST_F(SettingsStoreTest, UnusableNumbersAndTextsReadAsTheirRules) {
    const struct {
        DWORD pitch;
        const char* margin;
        const char* path;
        const char* font;
    } cases[] = {{0, "abc", "", ""},
                 {1000, " -1.0", "*.*", ""},
                 {0xFFFFFFFFu, "inf", "notes", ""},
                 {0x80000000u, "1e39", "\\*.*", ""}};
    for (const auto& c : cases) {
        SetUp();
        StoreDword("Pitch", c.pitch);
        StoreText("LeftMargin", c.margin);
        StoreText("Path", c.path);
        StoreText("font", c.font);
        PrintSettings expected = Presets("Lucida Console");
        expected.LeftMargin = 0;  // read, but no usable number: 0, not the preset 0.5
        ExpectSame(Loaded("Lucida Console"), expected, c.margin);
    }
}
