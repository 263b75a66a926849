// InputFile: an existing file opened for reading, not shared with other openers while open.
#pragma once

#include <cstdint>

class InputFile {
public:
    InputFile() = default;
    ~InputFile() { Close(); }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Opens an existing regular file for reading, without ever waiting; false when it is
    // missing, not accessible, anything but a regular (disk) file (a directory, a FIFO, a
    // device), or held open by someone else without sharing.
    bool Open(const char* path);

    // The file's size in bytes; false when it cannot be told.
    bool Size(std::uint64_t* size) const;

    // Reads up to `count` bytes into `dest`, as many as the file holds; `*got` receives the
    // number read. False on a read error. Bytes of `dest` beyond those read may be set to 0.
    bool Read(void* dest, std::uint32_t count, std::uint32_t* got);

    // Moves the read position back to the start of the file; false when that fails.
    bool SeekToStart();

    // Closes the file; safe to call when none is open.
    void Close();

    bool IsOpen() const { return handle_ != kNone; }

private:
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t handle_ = kNone;  // a Win32 HANDLE or a POSIX descriptor
};
