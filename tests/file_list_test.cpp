// Tests of FileList's rules on a made-up directory tree; the real one is in
// file_list_win_test.cpp.
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
    bool exactName = true;
};

// Directories by pattern, a current directory, and a directory for each drive designator;
// "Q:" is refused.
class FakeDirectories : public DirectorySystem {
public:
    void List(const char* pattern,
              const std::function<void(const DirectoryItem&)>& visit) override {
        ++listings;
        for (const FakeItem& item : tree[pattern]) {
            visit(DirectoryItem{item.name.c_str(), item.isDirectory, 5, item.exactName});
        }
    }
    bool MakeCurrent(const char* directory) override {
        ++changes;
        std::string text = directory;
        if (text == "Q:") {
            return false;
        }
        current = drives.count(text) != 0 ? drives[text] : text;
        return true;
    }
    bool ReadCurrent(char* buffer, std::size_t size) override {
        if (current.size() >= size) {
            return false;
        }
        std::memcpy(buffer, current.c_str(), current.size() + 1);
        return true;
    }
    bool IsDirectory(const char* directory) override {
        asked.push_back(directory);
        return existing.count(directory) != 0;
    }

    std::map<std::string, std::vector<FakeItem>> tree;
    std::set<std::string> existing;  // what IsDirectory finds
    std::vector<std::string> asked;
    std::map<std::string, std::string> drives;
    std::string current = "C:\\Work";
    int listings = 0;
    int changes = 0;
};

class FileListTest : public ::testing::Test {
protected:
    void SetUp() override {
        system.tree["C:\\Work\\*.*"] = {{".", true},         {"..", true},  {"..odd", true},
                                        {".cache", true},    {"Src", true}, {".profile", false},
                                        {"notes.txt", false}};
        Open("C:\\Work\\*.*");
    }
    void Open(const std::string& pattern) {
        ASSERT_TRUE(list.Init(1000, 500, 32000, 16000, pattern.c_str()));
        list.Rescan();
    }
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (int i = 0; i < list.Count(); ++i) {
            rows.push_back(list.EntryText(i));
        }
        return rows;
    }
    // Nothing moved: pattern, rows, current directory.
    void ExpectUnchanged(const std::string& context) {
        EXPECT_STREQ(list.Path(), "C:\\Work\\*.*") << context;
        EXPECT_EQ(Rows(), kRows) << context;
        EXPECT_EQ(system.current, "C:\\Work") << context;
    }

    const std::vector<std::string> kRows = {"  .. previous", " Src", ".profile", "notes.txt"};
    FakeDirectories system;
    FileList list{system};
};
}  // namespace

TEST_F(FileListTest, OnlyDotDotGivesTheParentRowAndDotDirectoriesAreSkipped) {
    EXPECT_EQ(Rows(), kRows);
    EXPECT_EQ(list.EntryTime(3), 5u);
    EXPECT_EQ(list.EntryTime(1), 0u);
    EXPECT_EQ(FileList::KindOf("   .. previous"), EntryKind::Directory);
}

TEST_F(FileListTest, OnlyFileRowsHaveADate) {
    // Files named like a directory row or the parent row show as such rows, without a date
    // (found by fuzz_file_list).
    system.tree["C:\\Odd\\*.*"] = {{" blank.txt", false}, {"  .. previous", false}, {"f", false}};
    Open("C:\\Odd\\*.*");
    ASSERT_EQ(Rows(), (std::vector<std::string>{"  .. previous", " blank.txt", "f"}));
    EXPECT_EQ(list.EntryTime(0), 0u);
    EXPECT_EQ(list.EntryTime(1), 0u);
    EXPECT_EQ(list.EntryTime(2), 5u);
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
    ExpectUnchanged("bad indices");
}

TEST_F(FileListTest, OpenEntryRefusesAPatternThatWouldNotFit) {
    // "C:\Work\" is 8 characters: a name of 248 and "\*.*" make 260, which just fits.
    std::string fits(248, 'f');
    system.tree["C:\\Work\\*.*"].push_back({fits + "x", true});
    list.Rescan();
    ASSERT_FALSE(list.OpenEntry(1));
    EXPECT_EQ(system.changes, 0);
    system.tree["C:\\Work\\*.*"].back().name = fits;
    list.Rescan();
    ASSERT_TRUE(list.OpenEntry(1));
    EXPECT_EQ(list.Path(), "C:\\Work\\" + fits + "\\*.*");
}

TEST_F(FileListTest, GoUpWithoutAParentChangesNothing) {
    for (const char* pattern : {"C:\\*.*", "d:/*.*", "C:*.*", "*.*", ""}) {
        Open(pattern);
        int listings = system.listings;
        EXPECT_FALSE(list.GoUp()) << pattern;
        EXPECT_STREQ(list.Path(), pattern);
        EXPECT_EQ(system.listings, listings) << pattern;
    }
    Open("C:\\A\\B\\*.*");
    EXPECT_TRUE(list.GoUp());
    EXPECT_STREQ(list.Path(), "C:\\A\\*.*");
    EXPECT_EQ(system.changes, 0);
}

TEST_F(FileListTest, ChangeDriveRefusalsChangeNothing) {
    system.drives["E:"] = "E:\\" + std::string(254, 'e');  // no room left for "\*.*"
    for (int drive : {-1, 26, 16, 4}) {
        EXPECT_FALSE(list.ChangeDrive(drive)) << drive;
        ExpectUnchanged("drive " + std::to_string(drive));
    }
    system.drives["E:"] = "E:\\" + std::string(253, 'e');
    system.tree["E:\\" + std::string(253, 'e') + "\\*.*"] = {{"..", true}, {"e.txt", false}};
    ASSERT_TRUE(list.ChangeDrive(4));
    EXPECT_EQ(std::strlen(list.Path()), 260u);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"  .. previous", "e.txt"}));
}

TEST_F(FileListTest, ChangeDriveToARootAddsNoSecondBackslash) {
    system.drives["D:"] = "D:\\";
    ASSERT_TRUE(list.ChangeDrive(3));
    EXPECT_STREQ(list.Path(), "D:\\*.*");
    EXPECT_EQ(list.PathDrive(), 3);
}

TEST_F(FileListTest, GetFilePathThatWouldNotFitIsEmpty) {
    char path[17];  // "C:\Work\notes.txt" needs 18 bytes
    list.GetFilePath(3, path, sizeof path);
    EXPECT_STREQ(path, "");
    char exact[18];
    list.GetFilePath(3, exact, sizeof exact);
    EXPECT_STREQ(exact, "C:\\Work\\notes.txt");
}

TEST_F(FileListTest, ARescanListsTheDirectoryOnce) {
    system.listings = 0;
    list.Rescan();
    EXPECT_EQ(system.listings, 1);
    EXPECT_EQ(Rows(), kRows);
}

TEST_F(FileListTest, EntriesThatCannotBeStoredAreLeftOutDirectoriesFirst) {
    // The files come first in the listing, and would fill the records alone.
    system.tree["C:\\Full\\*.*"] = {
        {"b.txt", false}, {"a.txt", false}, {"..", true}, {"Src", true}, {"c.txt", false}};
    ASSERT_TRUE(list.Init(2, 0, 100, 0, "C:\\Full\\*.*"));
    list.Rescan();
    EXPECT_EQ(Rows(), (std::vector<std::string>{"  .. previous", " Src"}));
    ASSERT_TRUE(list.Init(3, 0, 100, 0, "C:\\Full\\*.*"));
    list.Rescan();
    EXPECT_EQ(Rows(), (std::vector<std::string>{"  .. previous", " Src", "b.txt"}));
    ASSERT_TRUE(list.Init(2, 0, 100, 0, "C:\\Work\\*.*"));
    list.Rescan();
    EXPECT_EQ(Rows(), (std::vector<std::string>{"  .. previous", " Src"}));
    list.Release();
    list.Rescan();
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(FileListTest, InitRefusesWhatItCannotHold) {
    EXPECT_FALSE(list.Init(10, 5, 0, 10, "C:\\*.*"));
    EXPECT_EQ(list.Records().Data(), nullptr);  // the record block is freed again
    EXPECT_FALSE(list.Init(10, 5, 10, 10, nullptr));
    EXPECT_FALSE(list.Init(10, 5, 10, 10, std::string(261, 'x').c_str()));
    EXPECT_TRUE(list.Init(10, 5, 10, 10, std::string(260, 'x').c_str()));
}

TEST_F(FileListTest, ARowWhoseNameIsNotExactIsShownButNeverActedOn) {
    // As the system lists "Ωmega.txt" and "Ωdir" where its 8-bit texts cannot hold them: as
    // the real "Omega.txt" and "Odir" beside them.
    system.tree["C:\\Names\\*.*"] = {{"..", true},         {"Odir", true, false},
                                     {"Odir", true},       {"Omega.txt", false, false},
                                     {"Omega.txt", false}, {"???.txt", false, false}};
    Open("C:\\Names\\*.*");
    ASSERT_EQ(Rows(), (std::vector<std::string>{"  .. previous", " Odir", " Odir", "???.txt",
                                                "Omega.txt", "Omega.txt"}));
    int exactFiles = 0;
    for (int row = 3; row < 6; ++row) {
        char path[FileList::kPathSize] = "unchanged";
        list.GetFilePath(row, path, sizeof path);
        if (list.Unreachable(row)) {
            EXPECT_STREQ(path, "") << row;
            EXPECT_NE(list.EntryTime(row), 0u) << "still a file row with its date";
        } else {
            EXPECT_STREQ(path, "C:\\Names\\Omega.txt");
            ++exactFiles;
        }
    }
    EXPECT_EQ(exactFiles, 1);
    EXPECT_FALSE(list.Unreachable(1)) << "directories are not files";
    EXPECT_FALSE(list.Unreachable(-1));

    // Only the exact directory is entered.
    int entered = 0;
    for (int row = 1; row < 3; ++row) {
        Open("C:\\Names\\*.*");
        system.current = "C:\\Names";
        if (list.OpenEntry(row)) {
            ++entered;
            EXPECT_STREQ(list.Path(), "C:\\Names\\Odir\\*.*");
        } else {
            EXPECT_STREQ(list.Path(), "C:\\Names\\*.*");
            EXPECT_EQ(system.current, "C:\\Names");
        }
    }
    EXPECT_EQ(entered, 1);
}

// Directories that list nothing: unreadable, vanished, or a pattern that matches none of
// their names.
TEST_F(FileListTest, ADirectoryWithAParentLeadsUpEvenWhenItListsNothing) {
    struct Case {
        const char* pattern;
        std::vector<FakeItem> items;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"C:\\Gone\\*.*", {}, {"  .. previous"}},
        {"C:\\A\\Locked\\*.*", {}, {"  .. previous"}},
        {"C:\\A\\NoDots\\*.*", {{"b", true}, {"a.txt", false}}, {"  .. previous", " b", "a.txt"}},
        {"d:/x/*.*", {}, {"  .. previous"}},
        // A file named like the parent row already leads up: no second one.
        {"C:\\Odd\\*.*", {{"  .. previous", false}}, {"  .. previous"}},
        // Roots and patterns without a parent list only what they hold.
        {"C:\\*.*", {}, {}},
        {"C:\\*.*", {{"Work", true}}, {" Work"}},
        {"C:*.*", {}, {}},
        {"*.*", {}, {}},
    };
    for (const Case& c : cases) {
        system.tree[c.pattern] = c.items;
        Open(c.pattern);
        EXPECT_EQ(Rows(), c.rows) << c.pattern;
    }
    // The added row goes up like a listed one.
    Open("C:\\A\\Locked\\*.*");
    ASSERT_TRUE(list.OpenEntry(0));
    EXPECT_STREQ(list.Path(), "C:\\A\\*.*");
}

TEST_F(FileListTest, TheParentRowIsLeftOutOnlyWhenMemoryRunsOut) {
    system.tree["C:\\Gone\\*.*"] = {};
    ASSERT_TRUE(list.Init(1, 0, 10, 0, "C:\\Gone\\*.*"));  // no room for the text
    list.Rescan();
    EXPECT_EQ(list.Count(), 0);
    ASSERT_TRUE(list.Init(1, 0, 100, 0, "C:\\Gone\\*.*"));
    list.Rescan();
    EXPECT_EQ(Rows(), std::vector<std::string>{"  .. previous"});
}

TEST_F(FileListTest, HasParentAgreesWithGoUp) {
    const char* const withParent[] = {"C:\\A\\*.*", "C:\\A\\B\\*.*", "d:/x/*.*", "\\\\s\\h\\*.*"};
    const char* const without[] = {"C:\\*.*", "d:/*.*", "C:*.*", "*.*", "", "C:\\"};
    for (const char* pattern : withParent) {
        Open(pattern);
        EXPECT_TRUE(list.HasParent()) << pattern;
        EXPECT_TRUE(list.GoUp()) << pattern;
    }
    for (const char* pattern : without) {
        Open(pattern);
        EXPECT_FALSE(list.HasParent()) << pattern;
        EXPECT_FALSE(list.GoUp()) << pattern;
    }
}

TEST_F(FileListTest, AParentPatternThatWouldNotFitIsRefused) {
    // 260 characters ending in two separators: the parent's directory part leaves no room for
    // the wildcard.
    std::string pattern = "C:\\" + std::string(255, 'p') + "\\\\";
    ASSERT_EQ(pattern.size(), 260u);
    Open(pattern);
    EXPECT_FALSE(list.HasParent());
    EXPECT_FALSE(list.GoUp());
    EXPECT_EQ(list.Path(), pattern);
    Open("C:\\" + std::string(254, 'p') + "\\\\");
    EXPECT_FALSE(list.GoUp());
    Open("C:\\" + std::string(253, 'p') + "\\\\");
    EXPECT_TRUE(list.GoUp());
    EXPECT_EQ(list.Path(), "C:\\" + std::string(253, 'p') + "\\*.*");
    EXPECT_EQ(std::strlen(list.Path()), 260u);
}

TEST_F(FileListTest, AtStartAMissingDirectoryGivesWayToItsNearestExistingParent) {
    struct Case {
        const char* saved;
        std::set<std::string> existing;
        const char* opened;
        std::vector<std::string> asked;
    };
    const Case cases[] = {
        {"C:\\Work\\*.*", {"C:\\Work\\"}, "C:\\Work\\*.*", {"C:\\Work\\"}},
        {"C:\\A\\B\\C\\*.*",
         {"C:\\", "C:\\A\\"},
         "C:\\A\\*.*",
         {"C:\\A\\B\\C\\", "C:\\A\\B\\", "C:\\A\\"}},
        {"C:\\A\\B\\*.*", {"C:\\"}, "C:\\*.*", {"C:\\A\\B\\", "C:\\A\\", "C:\\"}},
        // The drive itself is gone: its root stays.
        {"Q:\\A\\*.*", {}, "Q:\\*.*", {"Q:\\A\\", "Q:\\"}},
        {"C:\\*.*", {}, "C:\\*.*", {"C:\\"}},
        {"d:/x/y/*.*", {"d:/"}, "d:/*.*", {"d:/x/y/", "d:/x/", "d:/"}},
        // Nothing to test: no directory part.
        {"*.*", {}, "*.*", {}},
    };
    for (const Case& c : cases) {
        system.existing = c.existing;
        system.asked.clear();
        ASSERT_TRUE(list.Init(1000, 500, 32000, 16000, c.saved));
        int listings = system.listings;
        int changes = system.changes;
        EXPECT_EQ(list.MoveToExistingDirectory(), std::string(c.saved) != c.opened) << c.saved;
        EXPECT_STREQ(list.Path(), c.opened) << c.saved;
        EXPECT_EQ(system.asked, c.asked) << c.saved;
        EXPECT_EQ(system.listings, listings) << "it does not list";
        EXPECT_EQ(system.changes, changes) << "the current directory stays";
    }
}
