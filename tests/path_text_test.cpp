// Tests of directory patterns as texts.
#include "browser/path_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string Cut(std::string text) {
    CutToDirectory(&text[0]);
    return text.c_str();
}
}  // namespace

TEST(CutToDirectory, EndsAfterTheLastSeparator) {
    EXPECT_EQ(Cut("C:\\Work\\*.*"), "C:\\Work\\");
    EXPECT_EQ(Cut("C:*.*"), "C:");
    EXPECT_EQ(Cut("C:\\*.*"), "C:\\");
    EXPECT_EQ(Cut("C:/Work/Src/*.*"), "C:/Work/Src/");
    EXPECT_EQ(Cut("C:\\Work"), "C:\\");
}

TEST(CutToDirectory, ASeparatorOnlyInFirstPlaceLeavesNothing) {
    EXPECT_EQ(Cut("*.*"), "");
    EXPECT_EQ(Cut("\\*.*"), "");
    EXPECT_EQ(Cut(""), "");
    EXPECT_EQ(DirectoryPartLength("\\\\*.*"), 2u);
}

TEST(PatternDrive, TheLetterBeforeAColon) {
    EXPECT_EQ(PatternDrive("d:\\x\\*.*"), 3);
    EXPECT_EQ(PatternDrive("A:\\*.*"), 0);
    EXPECT_EQ(PatternDrive("z:"), 25);
}

TEST(PatternDrive, WithoutADriveLetterDriveC) {
    for (const char* pattern : {"\\\\server\\share\\*.*", "*.*", "", "1:\\x", "[:\\x", "D"}) {
        EXPECT_EQ(PatternDrive(pattern), 2) << pattern;
    }
}
