// InputFile and TextBuffer on Win32 files: sharing, handles and paths as Windows has them.
#include "text/input_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/temp_dir.h"
#include "text/text_buffer.h"

namespace {
// Whether `path` can be opened for writing with no sharing, as when no one else holds it.
bool NobodyHolds(const std::string& path) {
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(handle);
    return true;
}
}  // namespace

TEST(InputFileWin, AFileHeldOpenElsewhereWithoutSharingIsRefused) {
    TempDir dir;
    std::string path = dir.Write("busy.txt", "text\n");
    HANDLE other = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    InputFile file;
    EXPECT_FALSE(file.Open(path.c_str()));
    TextBuffer buffer;
    EXPECT_FALSE(buffer.Open(path.c_str(), 255));
    CloseHandle(other);
    EXPECT_TRUE(file.Open(path.c_str()));
}

TEST(InputFileWin, WhileOpenNobodyElseCanOpenTheFile) {
    TempDir dir;
    std::string path = dir.Write("mine.txt", "text\n");
    InputFile file;
    ASSERT_TRUE(file.Open(path.c_str()));
    HANDLE other = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(other, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    if (other != INVALID_HANDLE_VALUE) {
        CloseHandle(other);
    }
}

TEST(InputFileWin, CloseAndDestructionReleaseTheHandle) {
    TempDir dir;
    std::string path = dir.Write("h.txt", "0123456789");
    {
        InputFile file;
        ASSERT_TRUE(file.Open(path.c_str()));
        EXPECT_FALSE(NobodyHolds(path));
        std::uint64_t size = 0;
        ASSERT_TRUE(file.Size(&size));
        EXPECT_EQ(size, 10u);
        char bytes[16];
        std::uint32_t got = 0;
        ASSERT_TRUE(file.Read(bytes, 16, &got));
        EXPECT_EQ(got, 10u);
        file.Close();
        EXPECT_FALSE(file.IsOpen());
        EXPECT_TRUE(NobodyHolds(path));
        ASSERT_TRUE(file.Open(path.c_str()));
        EXPECT_FALSE(NobodyHolds(path));
    }
    EXPECT_TRUE(NobodyHolds(path));

    // TextBuffer keeps no handle once the text is read.
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Open(path.c_str(), 255));
    EXPECT_TRUE(NobodyHolds(path));
}

TEST(InputFileWin, BackslashPathsAndDirectories) {
    TempDir dir;
    dir.Write("a.txt", "line one\r\nline two\r\n");
    std::string path = dir.Path() + "\\a.txt";
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Open(path.c_str(), 255));
    char line[255];
    buffer.ReadLine(line, sizeof line);
    EXPECT_STREQ(line, "line one");
    EXPECT_FALSE(buffer.Open(dir.Path().c_str(), 255));
    EXPECT_FALSE(buffer.Open((dir.Path() + "\\missing.txt").c_str(), 255));
}
