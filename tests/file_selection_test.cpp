// Tests of the selection rule of the main window's commands and the Delete question for
// several files.
#include "app/file_selection.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

// One directory, C:\Work, with a subdirectory, files and one name no path reaches.
class OneDirectory : public DirectorySystem {
public:
    void List(const char*, const std::function<void(const DirectoryItem&)>& visit) override {
        visit(DirectoryItem{"..", true, 0, true});
        visit(DirectoryItem{"Src", true, 0, true});
        visit(DirectoryItem{"b.txt", false, 5, true});
        visit(DirectoryItem{"a.txt", false, 5, true});
        visit(DirectoryItem{"c?.txt", false, 5, false});
        visit(DirectoryItem{"d.txt", false, 5, true});
    }
    bool MakeCurrent(const char*) override { return true; }
    bool ReadCurrent(char* buffer, std::size_t size) override {
        std::strncpy(buffer, "C:\\Work", size);
        return true;
    }
};

class FileSelectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(list.Init(100, 50, 1000, 500, "C:\\Work\\*.*"));
        list.Rescan();
        // Rows: "  .. previous", " Src", "a.txt", "b.txt", "c?.txt", "d.txt".
        ASSERT_EQ(list.Count(), 6);
        ASSERT_STREQ(list.EntryText(2), "a.txt");
        ASSERT_STREQ(list.EntryText(4), "c?.txt");
    }
    std::vector<std::string> Paths(const std::vector<int>& rows) const {
        std::vector<std::string> out;
        for (const JobFile& file : SelectedFiles(list, rows)) {
            out.push_back(file.path + "|" + file.name);
        }
        return out;
    }

    OneDirectory system;
    FileList list{system};
};

}  // namespace

TEST_F(FileSelectionTest, FileRowsInListOrderWithTheirPaths) {
    using Texts = std::vector<std::string>;
    struct Case {
        const char* name;
        std::vector<int> rows;
        Texts expected;
    };
    const Case cases[] = {
        {"nothing selected", {}, {}},
        {"one file", {3}, {"C:\\Work\\b.txt|C:\\Work\\b.txt"}},
        {"given out of order, printed in list order",
         {5, 2, 3},
         {"C:\\Work\\a.txt|C:\\Work\\a.txt", "C:\\Work\\b.txt|C:\\Work\\b.txt",
          "C:\\Work\\d.txt|C:\\Work\\d.txt"}},
        {"parent and directory rows left out", {0, 1, 2}, {"C:\\Work\\a.txt|C:\\Work\\a.txt"}},
        {"only directory rows", {0, 1}, {}},
        {"repeats once", {2, 2}, {"C:\\Work\\a.txt|C:\\Work\\a.txt"}},
        {"bad rows left out", {-1, 6, 1000, 3}, {"C:\\Work\\b.txt|C:\\Work\\b.txt"}},
        {"a file no path reaches keeps its row text",
         {4, 5},
         {"|c?.txt", "C:\\Work\\d.txt|C:\\Work\\d.txt"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Paths(c.rows), c.expected) << c.name;
    }
}

TEST(DeleteFilesQuestion, CountsTheFilesAndListsTenNamesAtMost) {
    auto names = [](int count) {
        std::vector<std::string> out;
        for (int i = 1; i <= count; ++i) {
            out.push_back("f" + std::to_string(i) + ".txt");
        }
        return out;
    };
    auto lines = [](int first, int last) {
        std::string out;
        for (int i = first; i <= last; ++i) {
            out += "\nf" + std::to_string(i) + ".txt";
        }
        return out;
    };
    struct Case {
        int count;
        std::string expected;
    };
    const Case cases[] = {
        {2, "OK to delete 2 files?" + lines(1, 2)},
        {3, "OK to delete 3 files?" + lines(1, 3)},
        {10, "OK to delete 10 files?" + lines(1, 10)},
        {11, "OK to delete 11 files?" + lines(1, 10) + "\nand 1 more"},
        {250, "OK to delete 250 files?" + lines(1, 10) + "\nand 240 more"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DeleteFilesQuestion(names(c.count)), c.expected) << c.count;
    }
}

TEST(LastComponent, TheNameAfterTheLastSeparator) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Work\\a.txt", "a.txt"}, {"C:a.txt", "a.txt"}, {"/tmp/x/b.c", "b.c"},
        {"plain", "plain"},           {"C:\\Work\\", ""},   {"", ""},
    };
    for (const auto& [path, name] : cases) {
        EXPECT_EQ(LastComponent(path), name) << path;
    }
}
