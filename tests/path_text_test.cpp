// Tests of directory patterns as texts.
#include "browser/path_text.h"

#include <gtest/gtest.h>

#include <string>

TEST(CutToDirectory, EndsAfterTheLastSeparatorFromTheSecondCharacterOn) {
    const char* cases[][2] = {{"C:\\Work\\*.*", "C:\\Work\\"},
                              {"C:*.*", "C:"},
                              {"C:/Work/Src/*.*", "C:/Work/Src/"},
                              {"C:\\Work", "C:\\"},
                              {"*.*", ""},
                              {"\\*.*", ""},
                              {"", ""},
                              {"\\\\*.*", "\\\\"}};
    for (const auto& c : cases) {
        std::string text = c[0];
        CutToDirectory(&text[0]);
        EXPECT_STREQ(text.c_str(), c[1]) << c[0];
        EXPECT_EQ(DirectoryPartLength(c[0]), std::string(c[1]).size()) << c[0];
    }
}

TEST(PatternDrive, TheLetterBeforeAColonOrDriveC) {
    EXPECT_EQ(PatternDrive("d:\\x\\*.*"), 3);
    EXPECT_EQ(PatternDrive("A:\\*.*"), 0);
    EXPECT_EQ(PatternDrive("z:"), 25);
    for (const char* pattern : {"\\\\server\\share\\*.*", "*.*", "", "1:\\x", "[:\\x", "D"}) {
        EXPECT_EQ(PatternDrive(pattern), 2) << pattern;
    }
}
