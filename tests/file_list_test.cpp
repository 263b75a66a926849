// Tests of FileList on a made-up directory tree.
#include "browser/file_list.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {
struct FakeItem {
    std::string name;
    bool isDirectory;
    std::uint64_t lastWrite;
};

// Directories by pattern; the current directory; drives that cannot be made current.
class FakeDirectories : public DirectorySystem {
public:
    void List(const char* pattern,
              const std::function<void(const DirectoryItem&)>& visit) override {
        ++listings;
        auto found = tree.find(pattern);
        if (found == tree.end()) {
            return;
        }
        for (const FakeItem& item : found->second) {
            visit(DirectoryItem{item.name.c_str(), item.isDirectory, item.lastWrite});
        }
    }
    bool MakeCurrent(const char* directory) override {
        made.push_back(directory);
        std::string text = directory;
        if (refused.count(text) != 0) {
            return false;
        }
        // A bare designator goes to the drive's recorded directory, or its root.
        if (text.size() == 2 && text[1] == ':') {
            auto recorded = driveDirectories.find(text);
            text = recorded != driveDirectories.end() ? recorded->second : text + "\\";
        }
        current = text;
        return true;
    }
    bool ReadCurrent(char* buffer, std::size_t size) override {
        if (current.size() + 1 > size) {
            return false;
        }
        std::memcpy(buffer, current.c_str(), current.size() + 1);
        return true;
    }

    std::map<std::string, std::vector<FakeItem>> tree;
    std::map<std::string, std::string> driveDirectories;
    std::set<std::string> refused;
    std::vector<std::string> made;
    std::string current = "C:\\Work";
    int listings = 0;
};

class FileListTest : public ::testing::Test {
protected:
    void SetUp() override {
        system.tree["C:\\Work\\*.*"] = {
            {".", true, 0},     {"..", true, 0},   {"notes.txt", false, 7}, {".cache", true, 0},
            {"Src", true, 0},   {"A.B", true, 0},  {".hidden", false, 8},   {"abc.txt", false, 9},
            {"ABD", false, 10}, {"..odd", true, 0}};
        system.tree["C:\\Work\\A.B\\*.*"] = {{".", true, 0}, {"..", true, 0}, {"in.c", false, 1}};
        system.tree["C:\\*.*"] = {{"Work", true, 0}, {"boot.ini", false, 2}};
        ASSERT_TRUE(list.Init(1000, 500, 32000, 16000, "C:\\Work\\*.*"));
        list.Rescan();
    }

    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (int i = 0; i < list.Count(); ++i) {
            rows.push_back(list.EntryText(i));
        }
        return rows;
    }

    int RowOf(const char* text) const {
        for (int i = 0; i < list.Count(); ++i) {
            if (std::strcmp(list.EntryText(i), text) == 0) {
                return i;
            }
        }
        return -1;
    }

    FakeDirectories system;
    FileList list{system};
};

const std::vector<std::string> kWorkRows = {"  .. previous", " A.B", " Src",     ".hidden",
                                            "abc.txt",       "ABD",  "notes.txt"};
}  // namespace

TEST_F(FileListTest, ParentFirstThenDirectoriesThenFiles) {
    EXPECT_EQ(Rows(), kWorkRows);
    EXPECT_EQ(list.EntryTime(RowOf("notes.txt")), 7u);
    EXPECT_EQ(list.EntryTime(RowOf(".hidden")), 8u);
    EXPECT_EQ(list.EntryTime(RowOf(" Src")), 0u);
}

TEST_F(FileListTest, HighBytesSortFirst) {
    system.tree["C:\\Work\\*.*"] = {
        {"..", true, 0}, {"\xe9t\xe9.txt", false, 0}, {"b", false, 0}, {"\xc4rger", true, 0}};
    list.Rescan();
    std::vector<std::string> expected = {"\xe9t\xe9.txt", " \xc4rger", "  .. previous", "b"};
    EXPECT_EQ(Rows(), expected);
}

TEST_F(FileListTest, AnUnreadableDirectoryListsEmpty) {
    ASSERT_TRUE(list.Init(10, 5, 100, 100, "C:\\Gone\\*.*"));
    list.Rescan();
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(FileListTest, KindsAreToldFromTheText) {
    EXPECT_EQ(FileList::KindOf("  .. previous"), EntryKind::Parent);
    EXPECT_EQ(FileList::KindOf(" Src"), EntryKind::Directory);
    EXPECT_EQ(FileList::KindOf("   .. previous"), EntryKind::Directory);
    EXPECT_EQ(FileList::KindOf("notes.txt"), EntryKind::File);
    EXPECT_EQ(FileList::KindOf(""), EntryKind::File);
}

TEST_F(FileListTest, RecordsAndPoolGrowByTheirSteps) {
    std::vector<FakeItem>& items = system.tree["C:\\Work\\*.*"];
    items.clear();
    for (int i = 0; i < 1200; ++i) {
        std::string name = "file-" + std::to_string(10000 + i) + std::string(16, 'x') + ".txt";
        ASSERT_EQ(name.size(), 30u);
        items.push_back({name, false, static_cast<std::uint64_t>(i)});
    }
    list.Rescan();
    EXPECT_EQ(list.Count(), 1200);
    EXPECT_EQ(list.Records().Capacity(), 1500u);
    EXPECT_EQ(list.Texts().Capacity(), 48000u);
    EXPECT_EQ(list.Texts().UsedBytes(), 1200u * 31);
    EXPECT_EQ(list.EntryText(1199), "file-11199" + std::string(16, 'x') + ".txt");
    EXPECT_EQ(list.EntryTime(1199), 1199u);
}

TEST_F(FileListTest, EntriesThatCannotBeStoredAreLeftOut) {
    ASSERT_TRUE(list.Init(2, 0, 100, 0, "C:\\Work\\*.*"));
    list.Rescan();
    std::vector<std::string> expected = {"  .. previous", " Src"};  // the first two stored
    EXPECT_EQ(Rows(), expected);
}

TEST_F(FileListTest, InitRefusesWhatItCannotHold) {
    EXPECT_FALSE(list.Init(10, 5, 0, 10, "C:\\*.*"));
    EXPECT_EQ(list.Records().Data(), nullptr);
    EXPECT_FALSE(list.Init(10, 5, 10, 10, nullptr));
    EXPECT_FALSE(list.Init(10, 5, 10, 10, ("C:\\" + std::string(258, 'x')).c_str()));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(list.Init(10, 5, 10, 10, ("C:\\" + std::string(257, 'x')).c_str()));
}

TEST_F(FileListTest, OpenEntryEntersADirectoryWithADot) {
    ASSERT_TRUE(list.OpenEntry(RowOf(" A.B")));
    EXPECT_STREQ(list.Path(), "C:\\Work\\A.B\\*.*");
    EXPECT_EQ(system.made.back(), "C:\\Work\\A.B");
    std::vector<std::string> expected = {"  .. previous", "in.c"};
    EXPECT_EQ(Rows(), expected);
}

TEST_F(FileListTest, OpenEntryOnTheParentGoesUpAndOnAFileDoesNothing) {
    int listings = system.listings;
    EXPECT_FALSE(list.OpenEntry(RowOf("notes.txt")));
    EXPECT_EQ(system.listings, listings);
    ASSERT_TRUE(list.OpenEntry(0));
    EXPECT_STREQ(list.Path(), "C:\\*.*");
    EXPECT_TRUE(system.made.empty());
    EXPECT_EQ(list.Count(), 2);
}

TEST_F(FileListTest, OpenEntryRefusesAPatternTooLong) {
    // "C:\Work\" is 8 characters; with a name of 248, "\*.*" makes 260: it just fits.
    std::string fits(248, 'f');
    std::string tooLong(249, 't');
    system.tree["C:\\Work\\*.*"] = {{fits, true, 0}, {tooLong, true, 0}};
    list.Rescan();
    ASSERT_FALSE(list.OpenEntry(RowOf((" " + tooLong).c_str())));
    EXPECT_STREQ(list.Path(), "C:\\Work\\*.*");
    EXPECT_TRUE(system.made.empty());
    EXPECT_EQ(list.Count(), 2);
    ASSERT_TRUE(list.OpenEntry(RowOf((" " + fits).c_str())));
    EXPECT_EQ(std::strlen(list.Path()), 260u);
}

TEST_F(FileListTest, BadIndicesAreRefused) {
    char path[260] = "x";
    for (int index : {-1, list.Count(), 1 << 30}) {
        EXPECT_FALSE(list.OpenEntry(index));
        EXPECT_FALSE(list.RemoveEntry(index));
        list.GetFilePath(index, path, sizeof path);
        EXPECT_STREQ(path, "");
        EXPECT_STREQ(list.EntryText(index), "");
        EXPECT_EQ(list.EntryTime(index), 0u);
    }
    EXPECT_EQ(Rows(), kWorkRows);
}

TEST_F(FileListTest, GoUpKeepsTheCurrentDirectory) {
    ASSERT_TRUE(list.Init(10, 5, 100, 100, "C:\\A\\B\\*.*"));
    EXPECT_TRUE(list.GoUp());
    EXPECT_STREQ(list.Path(), "C:\\A\\*.*");
    EXPECT_TRUE(list.GoUp());
    EXPECT_STREQ(list.Path(), "C:\\*.*");
    EXPECT_TRUE(system.made.empty());
    EXPECT_EQ(system.current, "C:\\Work");
}

TEST_F(FileListTest, GoUpWithoutAParentChangesNothing) {
    for (const char* pattern : {"C:\\*.*", "d:/*.*", "C:*.*", "*.*", ""}) {
        ASSERT_TRUE(list.Init(10, 5, 100, 100, pattern));
        int listings = system.listings;
        EXPECT_FALSE(list.GoUp()) << pattern;
        EXPECT_STREQ(list.Path(), pattern);
        EXPECT_EQ(system.listings, listings) << pattern;
    }
}

TEST_F(FileListTest, ChangeDriveListsTheDrivesCurrentDirectory) {
    system.driveDirectories["D:"] = "D:\\Data";
    system.tree["D:\\Data\\*.*"] = {{"d.txt", false, 3}};
    ASSERT_TRUE(list.ChangeDrive(3));
    EXPECT_STREQ(list.Path(), "D:\\Data\\*.*");
    EXPECT_EQ(list.PathDrive(), 3);
    EXPECT_EQ(list.Count(), 1);
    ASSERT_TRUE(list.ChangeDrive(2));
    EXPECT_STREQ(list.Path(), "C:\\*.*");
    EXPECT_EQ(list.Count(), 2);
}

TEST_F(FileListTest, ChangeDriveRefusalChangesNothing) {
    system.refused.insert("Q:");
    std::string longDirectory = "E:\\" + std::string(254, 'e');  // 257: no room for "\*.*"
    system.driveDirectories["E:"] = longDirectory;
    for (int drive : {-1, 26, 16, 4}) {
        EXPECT_FALSE(list.ChangeDrive(drive)) << drive;
        EXPECT_STREQ(list.Path(), "C:\\Work\\*.*");
        EXPECT_EQ(Rows(), kWorkRows);
        EXPECT_EQ(system.current, "C:\\Work") << drive;
    }
    system.driveDirectories["E:"] = longDirectory.substr(0, 256);
    EXPECT_TRUE(list.ChangeDrive(4));
    EXPECT_EQ(std::strlen(list.Path()), 260u);
}

TEST_F(FileListTest, RemoveEntryOnlyRemovesFiles) {
    int last = list.Count() - 1;
    ASSERT_TRUE(list.RemoveEntry(last));
    EXPECT_EQ(list.Count(), last);
    ASSERT_TRUE(list.RemoveEntry(RowOf("abc.txt")));
    std::vector<std::string> expected = {"  .. previous", " A.B", " Src", ".hidden", "ABD"};
    EXPECT_EQ(Rows(), expected);
    EXPECT_EQ(list.EntryTime(4), 10u);
    EXPECT_FALSE(list.RemoveEntry(0));
    EXPECT_FALSE(list.RemoveEntry(1));
    EXPECT_EQ(Rows(), expected);
}

TEST_F(FileListTest, GetFilePathOfFilesOnly) {
    char path[260];
    list.GetFilePath(RowOf("notes.txt"), path, sizeof path);
    EXPECT_STREQ(path, "C:\\Work\\notes.txt");
    list.GetFilePath(RowOf(" Src"), path, sizeof path);
    EXPECT_STREQ(path, "");
    list.GetFilePath(0, path, sizeof path);
    EXPECT_STREQ(path, "");
}

TEST_F(FileListTest, GetFilePathThatDoesNotFitIsEmpty) {
    char path[17];
    list.GetFilePath(RowOf("notes.txt"), path, sizeof path);  // needs 18 bytes
    EXPECT_STREQ(path, "");
    char exact[18];
    list.GetFilePath(RowOf("notes.txt"), exact, sizeof exact);
    EXPECT_STREQ(exact, "C:\\Work\\notes.txt");
}

TEST_F(FileListTest, PathDrive) {
    ASSERT_TRUE(list.Init(10, 5, 100, 100, "d:\\x\\*.*"));
    EXPECT_EQ(list.PathDrive(), 3);
    ASSERT_TRUE(list.Init(10, 5, 100, 100, "\\\\server\\share\\*.*"));
    EXPECT_EQ(list.PathDrive(), 2);
}

TEST_F(FileListTest, ReleaseLeavesNoRows) {
    list.Release();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Records().Data(), nullptr);
    list.Rescan();  // nothing can be stored now
    EXPECT_EQ(list.Count(), 0);
    EXPECT_STREQ(list.Path(), "C:\\Work\\*.*");
}
