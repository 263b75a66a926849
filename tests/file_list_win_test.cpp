// Tests of FileList on real directories through SystemDirectories, under Wine.
#include "browser/file_list.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "browser/entry_order.h"
#include "browser/system_directories.h"
#include "tests/temp_dir.h"

namespace {
// A name in the system's ANSI code page; both code pages Wine may use give a first byte of
// 0x80 or above for the names used here.
std::string Ansi(const wchar_t* name) {
    char text[MAX_PATH] = "";
    WideCharToMultiByte(CP_ACP, 0, name, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

std::string CurrentDirectory() {
    char text[MAX_PATH + 1] = "";
    GetCurrentDirectoryA(sizeof text, text);
    return text;
}

class FileListWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = CurrentDirectory();
        ASSERT_TRUE(SetCurrentDirectoryA(dir.Path().c_str()));
    }
    void TearDown() override { SetCurrentDirectoryA(previous_.c_str()); }

    // Paths are joined here, not with std::filesystem, whose narrow texts are not ANSI ones.
    std::string PathOf(const std::string& name) const { return dir.Path() + "\\" + name; }
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
    int RowOf(const std::string& text) const {
        for (int i = 0; i < list.Count(); ++i) {
            if (text == list.EntryText(i)) {
                return i;
            }
        }
        return -1;
    }

    TempDir dir;
    SystemDirectories system;
    FileList list{system};

private:
    std::string previous_;
};

// A directory with the usual kinds of entries.
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

TEST_F(WorkDirectoryTest, ParentThenDirectoriesThenFilesWithHiddenOnesAndNoDotDirectories) {
    EXPECT_EQ(Rows(), kWorkRows);
    DWORD attributes = GetFileAttributesA(PathOf("secret.txt").c_str());
    EXPECT_NE(attributes & FILE_ATTRIBUTE_HIDDEN, 0u);
}

TEST_F(WorkDirectoryTest, FilesCarryTheirLastWriteTime) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA(PathOf("notes.txt").c_str(), GetFileExInfoStandard, &data));
    std::uint64_t expected = (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                             data.ftLastWriteTime.dwLowDateTime;
    EXPECT_NE(expected, 0u);
    EXPECT_EQ(list.EntryTime(RowOf("notes.txt")), expected);
    EXPECT_EQ(list.EntryTime(RowOf(" Src")), 0u);
}

TEST_F(WorkDirectoryTest, ADirectoryWithADotIsEnteredAndGoUpStaysInIt) {
    ASSERT_TRUE(list.OpenEntry(RowOf(" A.B")));
    EXPECT_EQ(list.Path(), dir.Path() + "\\A.B\\*.*");
    EXPECT_EQ(CurrentDirectory(), dir.Path() + "\\A.B");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"  .. previous", "inner.c"}));

    ASSERT_TRUE(list.OpenEntry(0));  // the parent row
    EXPECT_EQ(list.Path(), dir.Path() + "\\*.*");
    EXPECT_EQ(Rows(), kWorkRows);
    EXPECT_EQ(CurrentDirectory(), dir.Path() + "\\A.B");
}

TEST_F(WorkDirectoryTest, RemoveEntryTakesFileRowsOnly) {
    ASSERT_TRUE(list.RemoveEntry(list.Count() - 1));
    EXPECT_FALSE(list.RemoveEntry(RowOf(" Src")));
    EXPECT_FALSE(list.RemoveEntry(0));
    EXPECT_EQ(Rows(), std::vector<std::string>(kWorkRows.begin(), kWorkRows.end() - 1));
}

TEST_F(WorkDirectoryTest, GetFilePathNamesTheFile) {
    char path[MAX_PATH];
    list.GetFilePath(RowOf("notes.txt"), path, sizeof path);
    EXPECT_EQ(path, PathOf("notes.txt"));
    EXPECT_NE(GetFileAttributesA(path), INVALID_FILE_ATTRIBUTES);
    list.GetFilePath(RowOf(" Src"), path, sizeof path);
    EXPECT_STREQ(path, "");
    list.GetFilePath(0, path, sizeof path);
    EXPECT_STREQ(path, "");
}

TEST_F(WorkDirectoryTest, ChangeDriveToAnAbsentDriveChangesNothing) {
    DWORD drives = GetLogicalDrives();
    int absent = 25;
    while (absent >= 0 && ((drives >> absent) & 1) != 0) {
        --absent;
    }
    ASSERT_GE(absent, 0);
    EXPECT_FALSE(list.ChangeDrive(absent));
    EXPECT_EQ(list.Path(), dir.Path() + "\\*.*");
    EXPECT_EQ(Rows(), kWorkRows);
    EXPECT_EQ(CurrentDirectory(), dir.Path());
}

TEST_F(WorkDirectoryTest, ChangeDriveListsThePresentDrive) {
    ASSERT_EQ(list.PathDrive(), 2) << "the temporary directory lies on drive C";
    ASSERT_TRUE(list.ChangeDrive(2));  // the current directory is on C: already
    EXPECT_EQ(list.Path(), dir.Path() + "\\*.*");
    EXPECT_EQ(Rows(), kWorkRows);

    ASSERT_NE(GetLogicalDrives() & (1u << 25), 0u) << "Wine maps Z: to the Unix root";
    ASSERT_TRUE(list.ChangeDrive(25));
    EXPECT_EQ(list.PathDrive(), 25);
    EXPECT_EQ(std::string(list.Path()).substr(0, 3), "Z:\\");
    EXPECT_EQ(list.Path(),
              CurrentDirectory() + (CurrentDirectory().back() == '\\' ? "" : "\\") + "*.*");
    EXPECT_GT(list.Count(), 0);
}

TEST_F(FileListWinTest, SortsAsciiCaseBlindWithHighBytesFirst) {
    const std::string highFile = Ansi(L"\u00e9t\u00e9.txt");
    const std::string highDirectory = Ansi(L"\u00c4rger");
    MakeDirectory("Sub");
    MakeDirectory("Sub\\" + highDirectory);
    MakeFile("Sub\\" + highFile);
    MakeFile("Sub\\ABD");
    MakeFile("Sub\\abc.txt");
    MakeFile("Sub\\Abc");
    List(PathOf("Sub"));
    std::vector<std::string> expected = {highFile, " " + highDirectory, "  .. previous",
                                         "Abc",    "abc.txt",           "ABD"};
    EXPECT_EQ(Rows(), expected);
    EXPECT_EQ(CompareEntryTexts("Abc", "abc.txt"), 0);
}

TEST_F(FileListWinTest, TwelveHundredEntriesGrowRecordsOnceAndThePoolOnce) {
    MakeDirectory("many");
    for (int i = 0; i < 1200; ++i) {
        MakeFile("many\\entry-" + std::to_string(10000 + i) + std::string(14, '_') + ".txt");
    }
    List(PathOf("many"));
    EXPECT_EQ(list.Count(), 1201);
    EXPECT_EQ(list.Records().Capacity(), 1500u);
    EXPECT_EQ(list.Texts().Capacity(), 48000u);
    EXPECT_EQ(list.EntryText(1200), "entry-11199" + std::string(14, '_') + ".txt");
}

TEST_F(FileListWinTest, AHundredThousandEntriesListInOrder) {
    // Made by the ctest fixture on the Linux side: under Wine each new name in a directory
    // costs a case-blind scan of it, and 100,000 files would take many minutes.
    const char* many = std::getenv("QUILLMAR_MANY_FILES");
    ASSERT_NE(many, nullptr) << "run through ctest, which makes the directory";
    List(many);
    ASSERT_EQ(list.Count(), 100001);
    EXPECT_STREQ(list.EntryText(0), "  .. previous");
    for (int i = 1; i < list.Count(); ++i) {
        // The names are numbered in order, in two cases: File000000.TXT, file000001.txt, ...
        char expected[32];
        std::snprintf(expected, sizeof expected, (i - 1) % 2 == 0 ? "File%06d.TXT" : "file%06d.txt",
                      i - 1);
        ASSERT_STREQ(list.EntryText(i), expected) << "row " << i;
    }
}
