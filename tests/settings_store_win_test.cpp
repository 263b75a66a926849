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
// The question seam: records what was asked and gives the planned answer.
struct Question {
    int answer = IDYES;
    int count = 0;
    HWND owner = nullptr;
    std::string text, caption;
    UINT type = 0;
} question;

int Answer(HWND owner, const char* text, const char* caption, UINT type) {
    question.count++;
    question.owner = owner;
    question.text = text;
    question.caption = caption;
    question.type = type;
    return question.answer;
}

// A setup unlike the presets in every value.
PrintSettings Changed() {
    PrintSettings s;
    std::strcpy(s.font, "Lucida Console");
    s.Pitch = 10;
    s.LeftMargin = 1.0f;
    s.RightMargin = 0.25f;
    s.TopMargin = 1.5f;
    s.BottomMargin = 2.0f;
    s.TabSize = 4;
    s.SingleSheets = s.LineNumbers = s.FormFeed = true;
    s.PageNumbers = false;
    std::strcpy(s.Path, "D:\\Work\\*.*");
    return s;
}

PrintSettings Presets(const char* face = "Courier New") {
    PrintSettings s;
    ApplyPresets(s, face);
    return s;
}

void ExpectSame(const PrintSettings& a, const PrintSettings& e, const std::string& context) {
    SCOPED_TRACE(context);
    EXPECT_STREQ(a.font, e.font);
    EXPECT_EQ(a.Pitch, e.Pitch);
    EXPECT_EQ(a.LeftMargin, e.LeftMargin);
    EXPECT_EQ(a.RightMargin, e.RightMargin);
    EXPECT_EQ(a.TopMargin, e.TopMargin);
    EXPECT_EQ(a.BottomMargin, e.BottomMargin);
    EXPECT_EQ(a.TabSize, e.TabSize);
    EXPECT_EQ(a.SingleSheets, e.SingleSheets);
    EXPECT_EQ(a.PageNumbers, e.PageNumbers);
    EXPECT_EQ(a.LineNumbers, e.LineNumbers);
    EXPECT_EQ(a.FormFeed, e.FormFeed);
    EXPECT_STREQ(a.Path, e.Path);
}

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Vornhald Freeware");
        question = Question();
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Vornhald Freeware"); }

    // The names of the values under the key; none when there is no key.
    static std::set<std::string> StoredNames() {
        std::set<std::string> names;
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &key) == 0) {
            char name[64];
            DWORD length = sizeof name;
            for (DWORD i = 0;
                 RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) == 0;
                 ++i, length = sizeof name) {
                names.insert(name);
            }
            RegCloseKey(key);
        }
        return names;
    }
    // Stores the bytes as they are; "#" follows them, so no terminator is counted in.
    static void Store(const char* name, DWORD type, std::string bytes) {
        DWORD size = static_cast<DWORD>(bytes.size());
        bytes += '#';
        ASSERT_EQ(
            RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKeyPath, name, type, bytes.data(), size),
            ERROR_SUCCESS);
    }
    static void StoreText(const char* name, const std::string& text) {
        Store(name, REG_SZ, text + '\0');
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
    PrintSettings expected = Presets();  // a key with only Path keeps the other presets
    std::strcpy(expected.Path, "D:\\Work\\*.*");
    ExpectSame(Loaded(), expected, "only Path stored");
    EXPECT_EQ(SaveSettings(Changed(), false, false, Answer), 0);
    EXPECT_EQ(question.count, 0);
}

TEST_F(SettingsStoreTest, TheAnswerDecidesWhatIsWritten) {
    MainWindowHandle = GetDesktopWindow();
    for (int answer : {IDYES, IDNO, IDCANCEL}) {
        for (bool directoryChanged : {false, true}) {
            SetUp();
            question.answer = answer;
            std::string context = std::to_string(answer) + (directoryChanged ? " path" : "");
            EXPECT_EQ(SaveSettings(Changed(), directoryChanged, true, Answer), answer) << context;
            EXPECT_EQ(question.count, 1) << context;
            std::set<std::string> expected;
            if (answer == IDYES) {
                expected = kElevenValues;
            }
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

TEST_F(SettingsStoreTest, SavedValuesComeBackWithMarginsToOneDecimal) {
    PrintSettings saved = Changed();
    saved.TopMargin = -1.0f;
    ASSERT_EQ(SaveSettings(saved, true, true, Answer), IDYES);
    EXPECT_EQ(StoredText("RightMargin"), " 0.3");  // 0.25
    EXPECT_EQ(StoredText("TopMargin"), " 0.0");    // never -1 saved as 1
    EXPECT_EQ(StoredText("BottomMargin"), " 2.0");
    PrintSettings expected = saved;
    expected.RightMargin = 0.3f;
    expected.TopMargin = 0.0f;
    ExpectSame(Loaded(), expected, "saved with Yes");
}

TEST_F(SettingsStoreTest, MalformedValuesKeepTheirPresetsButFlagsReadFalse) {
    const std::string four("\x04\0\0\0", 4), eight("\x04\0\0\0\0\0\0\0", 8);
    struct Case {
        const char* name;
        DWORD type;
        std::string bytes;
    };
    std::vector<Case> cases;
    for (const char* name :
         {"font", "LeftMargin", "RightMargin", "TopMargin", "BottomMargin", "Path"}) {
        bool face = name[0] == 'f', path = name[0] == 'P';
        std::string good = face ? "Arial" : path ? "D:\\*.*" : " 2.5";
        std::string tooLong = face   ? std::string(32, 'F')
                              : path ? "D:\\" + std::string(253, 'p') + "\\*.*"  // 260
                                     : std::string(29, ' ') + "1";
        cases.push_back({name, REG_BINARY, good + '\0'});
        cases.push_back({name, REG_SZ, tooLong + '\0'});
        cases.push_back({name, REG_SZ, good});  // no terminator
        cases.push_back({name, REG_EXPAND_SZ, ""});
    }
    for (const char* name : {"Pitch", "TabSize"}) {
        cases.push_back({name, REG_BINARY, four});
        cases.push_back({name, REG_DWORD, eight});
        cases.push_back({name, REG_SZ, "4"});  // another type, and no terminator
    }
    for (const char* name : {"SingleSheets", "PageNumbers", "LineNumbers", "FormFeed"}) {
        cases.push_back({name, REG_DWORD, four});
        cases.push_back({name, REG_BINARY, "\x01\x01"});  // a flag of more than one byte
        cases.push_back({name, REG_SZ, "1"});
    }
    for (const Case& c : cases) {
        SetUp();
        Store(c.name, c.type, c.bytes);
        PrintSettings expected = Presets();
        expected.PageNumbers = std::strcmp(c.name, "PageNumbers") != 0;
        ExpectSame(Loaded(), expected,
                   std::string(c.name) + ", type " + std::to_string(c.type) + ", " +
                       std::to_string(c.bytes.size()) + " bytes");
    }
}

TEST_F(SettingsStoreTest, ValuesAtTheirLimitsAreRead) {
    const std::string face(31, 'F'), path = "D:\\" + std::string(252, 'p') + "\\*.*";
    StoreText("font", face);
    StoreText("Path", path);  // 259 characters
    StoreText("LeftMargin", std::string(28, ' ') + "1");
    Store("Pitch", REG_DWORD, std::string("\xE7\x03\0\0", 4));        // 999
    Store("TabSize", REG_DWORD, std::string("\xFF\xFF\xFF\xFF", 4));  // read as stored
    PrintSettings loaded = Loaded();
    EXPECT_EQ(loaded.font, face);
    EXPECT_EQ(loaded.Path, path);
    EXPECT_EQ(loaded.LeftMargin, 1.0f);
    EXPECT_EQ(loaded.Pitch, 999);
    EXPECT_EQ(loaded.TabSize, -1);
}

TEST_F(SettingsStoreTest, StoredValuesThatCannotBeUsedFollowTheirRules) {
    const char* pitches[] = {"\0\0\0\0", "\xE8\x03\0\0", "\xFF\xFF\xFF\xFF"};  // 0, 1000, -1
    const char* margins[] = {"abc", " -1.0", "inf"};
    const char* paths[] = {"", "*.*", "\\*.*"};
    for (int i = 0; i < 3; ++i) {
        SetUp();
        Store("Pitch", REG_DWORD, std::string(pitches[i], 4));
        StoreText("LeftMargin", margins[i]);
        StoreText("Path", paths[i]);
        StoreText("font", "");
        PrintSettings expected = Presets("Lucida Console");
        expected.LeftMargin = 0;  // read, but no usable number: 0, not the preset 0.5
        ExpectSame(Loaded("Lucida Console"), expected, margins[i]);
    }
}
