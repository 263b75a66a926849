// Tests of FileList on real directories through SystemDirectories, under Wine.
#include "browser/file_list.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "browser/system_directories.h"
#include "tests/temp_dir.h"

namespace {
std::string CurrentDirectory() {
    char text[MAX_PATH + 1] = "";
    GetCurrentDirectoryA(sizeof text, text);
    return text;
}

// A name in the ANSI code page; in those Wine uses, these begin with a byte of 0x80 or more.
std::string Ansi(const wchar_t* name) {
    char text[MAX_PATH] = "";
    WideCharToMultiByte(CP_ACP, 0, name, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

class FileListWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = CurrentDirectory();
        ASSERT_TRUE(SetCurrentDirectoryA(dir.Path().c_str()));
    }
    void TearDown() override { SetCurrentDirectoryA(previous_.c_str()); }

    // Joined here: std::filesystem's narrow texts are not in the ANSI code page.
    std::string PathOf(const std::string& name) const { return dir.Path() + "\\" + name; }
    std::wstring WidePath(const wchar_t* name) const {
        wchar_t base[MAX_PATH] = L"";
        MultiByteToWideChar(CP_ACP, 0, dir.Path().c_str(), -1, base, MAX_PATH);
        return std::wstring(base) + L"\\" + name;
    }
    void MakeDirectory(const std::string& name) {
        ASSERT_TRUE(CreateDirectoryA(PathOf(name).c_str(), nullptr)) << name;
    }
    void MakeFile(const std::string& name, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        HANDLE file = CreateFileA(PathOf(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  attributes, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << name;
        CloseHandle(file);
    }
    void List(const std::string& directory) {
        ASSERT_TRUE(list.Init(1000, 500, 32000, 16000, (directory + "\\*.*").c_str()));
        list.Rescan();
    }
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (int i = 0; i < list.Count(); ++i) {
            rows.push_back(list.EntryText(i));
        }
        return rows;
    }

    TempDir dir;
    SystemDirectories system;
    FileList list{system};

private:
    std::string previous_;
};

// Rows: "  .. previous", " A.B", " Src", "notes.txt", "secret.txt" (hidden), "zeta.txt".
class WorkDirectoryTest : public FileListWinTest {
protected:
    void SetUp() override {
        FileListWinTest::SetUp();
        MakeDirectory("Src");
        MakeDirectory("A.B");
        MakeDirectory(".cache");
        MakeFile("A.B\\inner.c");
        MakeFile("notes.txt");
        MakeFile("secret.txt", FILE_ATTRIBUTE_HIDDEN);
        MakeFile("zeta.txt");
        List(dir.Path());
    }
};

const std::vector<std::string> kWorkRows = {"  .. previous", " A.B",       " Src",
                                            "notes.txt",     "secret.txt", "zeta.txt"};
}  // namespace

TEST_F(WorkDirectoryTest, ParentDirectoriesFilesWithHiddenOnesWithoutDotDirectories) {
    EXPECT_EQ(Rows(), kWorkRows);
    EXPECT_NE(GetFileAttributesA(PathOf("secret.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA(PathOf("notes.txt").c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(list.EntryTime(3), (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                                     data.ftLastWriteTime.dwLowDateTime);
}

TEST_F(WorkDirectoryTest, ADirectoryWithADotIsEnteredAndGoUpLeavesTheCurrentDirectory) {
    ASSERT_TRUE(list.OpenEntry(1));
    EXPECT_EQ(list.Path(), PathOf("A.B\\*.*"));
    EXPECT_EQ(CurrentDirectory(), PathOf("A.B"));
    EXPECT_EQ(Rows(), (std::vector<std::string>{"  .. previous", "inner.c"}));
    ASSERT_TRUE(list.OpenEntry(0));
    EXPECT_EQ(list.Path(), PathOf("*.*"));
    EXPECT_EQ(Rows(), kWorkRows);
    EXPECT_EQ(CurrentDirectory(), PathOf("A.B"));
}

TEST_F(WorkDirectoryTest, RemoveEntryAndGetFilePathTakeFileRowsOnly) {
    char path[MAX_PATH];
    list.GetFilePath(3, path, sizeof path);
    EXPECT_EQ(path, PathOf("notes.txt"));
    for (int row : {0, 2}) {
        list.GetFilePath(row, path, sizeof path);
        EXPECT_STREQ(path, "");
        EXPECT_FALSE(list.RemoveEntry(row));
    }
    ASSERT_TRUE(list.RemoveEntry(5));
    EXPECT_EQ(Rows(), std::vector<std::string>(kWorkRows.begin(), kWorkRows.end() - 1));
}

TEST_F(WorkDirectoryTest, ChangeDriveToAnAbsentDriveChangesNothing) {
    int absent = 25;
    while (absent >= 0 && ((GetLogicalDrives() >> absent) & 1) != 0) {
        --absent;
    }
    ASSERT_GE(absent, 0);
    EXPECT_FALSE(list.ChangeDrive(absent));
    EXPECT_EQ(list.Path(), PathOf("*.*"));
    EXPECT_EQ(Rows(), kWorkRows);
    EXPECT_EQ(CurrentDirectory(), dir.Path());
}

TEST_F(WorkDirectoryTest, ChangeDriveListsTheDrivesCurrentDirectory) {
    ASSERT_EQ(list.PathDrive(), 2) << "the temporary directory lies on drive C";
    ASSERT_TRUE(list.ChangeDrive(2));  // the current directory is on C: already
    EXPECT_EQ(list.Path(), PathOf("*.*"));
    EXPECT_EQ(Rows(), kWorkRows);
    ASSERT_TRUE(list.ChangeDrive(25));  // Wine's Z: is the Unix root
    std::string current = CurrentDirectory();
    EXPECT_EQ(current.substr(0, 3), "Z:\\");
    EXPECT_EQ(list.Path(), current + (current.back() == '\\' ? "*.*" : "\\*.*"));
    EXPECT_EQ(list.PathDrive(), 25);
    EXPECT_GT(list.Count(), 0);
}

TEST_F(FileListWinTest, SortsAsciiCaseBlindWithHighBytesFirst) {
    const std::string highFile = Ansi(L"\u00e9t\u00e9.txt");
    const std::string highDirectory = Ansi(L"\u00c4rger");
    MakeDirectory("Sub");
    MakeDirectory("Sub\\" + highDirectory);
    for (const std::string& name :
         {highFile, std::string("ABD"), std::string("abc.txt"), std::string("Abc")}) {
        MakeFile("Sub\\" + name);
    }
    List(PathOf("Sub"));
    EXPECT_EQ(Rows(), (std::vector<std::string>{highFile, " " + highDirectory, "  .. previous",
                                                "Abc", "abc.txt", "ABD"}));
}

TEST_F(FileListWinTest, TwelveHundredEntriesGrowRecordsOnceAndThePoolOnce) {
    MakeDirectory("many");
    for (int i = 0; i < 1200; ++i) {
        MakeFile("many\\entry-" + std::to_string(10000 + i) + std::string(14, '_') + ".txt");
    }
    List(PathOf("many"));  // 1,201 rows with 36,014 bytes of text
    EXPECT_EQ(list.Count(), 1201);
    EXPECT_EQ(list.Records().Capacity(), 1500u);
    EXPECT_EQ(list.Texts().Capacity(), 48000u);
    EXPECT_EQ(list.EntryText(1200), "entry-11199" + std::string(14, '_') + ".txt");
}

TEST_F(FileListWinTest, AHundredThousandEntriesListInOrder) {
    // Made by a ctest fixture on the Linux side (tests/make_many_files.sh).
    const char* many = std::getenv("QUILLMAR_MANY_FILES");
    ASSERT_NE(many, nullptr) << "run through ctest, which makes the directory";
    List(many);
    ASSERT_EQ(list.Count(), 100001);
    EXPECT_STREQ(list.EntryText(0), "  .. previous");
    for (int i = 1; i < list.Count(); ++i) {
        char expected[32];  // File000000.TXT, file000001.txt, File000002.TXT, ...
        std::snprintf(expected, sizeof expected, i % 2 != 0 ? "File%06d.TXT" : "file%06d.txt",
                      i - 1);
        ASSERT_STREQ(list.EntryText(i), expected) << "row " << i;
    }
}

TEST_F(FileListWinTest, NamesTheAnsiCodePageCannotHoldAreListedButReachNoOtherFile) {
    // This test program runs in code page 1252 (it has no UTF-8 manifest), as the program does
    // where the system ignores the manifest's code page.
    ASSERT_NE(GetACP(), static_cast<UINT>(CP_UTF8));
    const std::wstring sub = WidePath(L"Names");
    ASSERT_TRUE(CreateDirectoryW(sub.c_str(), nullptr));
    for (const wchar_t* name :
         {L"\u03A9mega.txt", L"Omega.txt", L"caf\u00E9.txt", L"\u65E5\u672C\u8A9E.txt"}) {
        HANDLE file = CreateFileW((sub + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }
    ASSERT_TRUE(CreateDirectoryW((sub + L"\\\u03A9dir").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((sub + L"\\Odir").c_str(), nullptr));
    List(PathOf("Names"));
    // As the 8-bit calls give them: the Greek letters become the Latin ones they resemble, the
    // Japanese ones question marks.
    ASSERT_EQ(Rows(), (std::vector<std::string>{"  .. previous", " Odir", " Odir", "???.txt",
                                                Ansi(L"caf\u00E9.txt"), "Omega.txt", "Omega.txt"}));
    int reachable = 0;
    for (int row = 3; row < list.Count(); ++row) {
        char path[MAX_PATH] = "unchanged";
        list.GetFilePath(row, path, sizeof path);
        if (list.Unreachable(row)) {
            EXPECT_STREQ(path, "") << row;
            continue;
        }
        ++reachable;
        EXPECT_EQ(path, PathOf(std::string("Names\\") + list.EntryText(row)));
        EXPECT_NE(GetFileAttributesA(path), INVALID_FILE_ATTRIBUTES) << path;
    }
    EXPECT_EQ(reachable, 2) << "café.txt and the real Omega.txt";
    // Of the two " Odir" rows only the real one is entered.
    int entered = 0;
    for (int row = 1; row < 3; ++row) {
        List(PathOf("Names"));
        if (list.OpenEntry(row)) {
            ++entered;
            EXPECT_EQ(CurrentDirectory(), PathOf("Names\\Odir"));
        }
    }
    EXPECT_EQ(entered, 1);
}

TEST_F(WorkDirectoryTest, IsDirectoryFindsDirectoriesWithOrWithoutTheirSeparator) {
    struct Case {
        std::string path;
        bool directory;
    };
    const Case cases[] = {
        {PathOf("Src"), true},
        {PathOf("Src\\"), true},
        {PathOf("A.B/"), true},
        {PathOf(".cache\\"), true},
        {"C:\\", true},
        {"C:\\windows", true},
        {PathOf("notes.txt"), false},
        {PathOf("notes.txt\\"), false},
        {PathOf("gone\\"), false},
        {PathOf("gone\\x\\"), false},
        {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(system.IsDirectory(c.path.c_str()), c.directory) << c.path;
    }
}

TEST_F(WorkDirectoryTest, ARemovedDirectoryGivesWayToItsParentAndAVanishedOneLeadsUp) {
    ASSERT_TRUE(list.Init(1000, 500, 32000, 16000, PathOf("gone\\deeper\\*.*").c_str()));
    EXPECT_TRUE(list.MoveToExistingDirectory());
    EXPECT_EQ(list.Path(), PathOf("*.*"));
    list.Rescan();
    EXPECT_EQ(Rows(), kWorkRows);

    // " Src" listed, then removed before it is entered: it still leads up.
    ASSERT_TRUE(RemoveDirectoryA(PathOf("Src").c_str()));
    ASSERT_TRUE(list.OpenEntry(2));
    EXPECT_EQ(list.Path(), PathOf("Src\\*.*"));
    EXPECT_EQ(Rows(), std::vector<std::string>{"  .. previous"});
    ASSERT_TRUE(list.OpenEntry(0));
    EXPECT_EQ(list.Path(), PathOf("*.*"));
    EXPECT_EQ(list.Count(), static_cast<int>(kWorkRows.size()) - 1);
}
