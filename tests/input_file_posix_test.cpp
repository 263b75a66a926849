// InputFile and TextBuffer on POSIX files: only regular files are read, and never with a wait.
#include "text/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>

#include "tests/temp_dir.h"
#include "text/text_buffer.h"

TEST(InputFilePosix, AFifoIsRefusedWithinASecond) {
    TempDir dir;
    std::string fifo = dir.File("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (bool withWriter : {false, true}) {
        // A writer that holds the FIFO open, as a program feeding it would.
        int writer = withWriter ? open(fifo.c_str(), O_RDWR | O_NONBLOCK) : -1;
        ASSERT_EQ(withWriter, writer >= 0);
        std::future<bool> opened = std::async(std::launch::async, [&fifo] {
            TextBuffer buffer;
            return buffer.Open(fifo.c_str(), 255);
        });
        if (opened.wait_for(std::chrono::seconds(1)) != std::future_status::ready) {
            // Let the waiting open go by opening the other end, then fail.
            int release = open(fifo.c_str(), O_RDWR);
            opened.wait();
            close(release);
            FAIL() << "opening a FIFO waited" << (withWriter ? " with a writer" : "");
        }
        EXPECT_FALSE(opened.get()) << (withWriter ? "with a writer" : "no writer");
        if (writer >= 0) {
            close(writer);
        }
    }
}

TEST(InputFilePosix, OnlyRegularFilesAreOpened) {
    TempDir dir;
    std::string regular = dir.Write("a.txt", "text\n");
    InputFile file;
    EXPECT_TRUE(file.Open(regular.c_str()));
    for (const std::string& path :
         {dir.Path(), std::string("/dev/null"), std::string("/dev/zero"), dir.File("missing")}) {
        EXPECT_FALSE(file.Open(path.c_str())) << path;
        EXPECT_FALSE(file.IsOpen()) << path;
    }
}
