// ScratchFile: one file of the process's own that a fuzz target rewrites for every input,
// since the print engine reads its text from a path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class ScratchFile {
public:
    ScratchFile();
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    // Makes `size` bytes at `data` the whole content of the file; aborts when it cannot.
    void Write(const std::uint8_t* data, std::size_t size);
    const char* Path() const { return path_.c_str(); }

private:
    std::string path_;
    int fd_ = -1;
};

// Stops the run with a message on standard error: a broken rule is a finding.
[[noreturn]] void Broken(const char* rule);

#define FUZZ_CHECK(condition)   \
    do {                        \
        if (!(condition)) {     \
            Broken(#condition); \
        }                       \
    } while (false)
