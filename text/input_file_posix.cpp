// InputFile on POSIX descriptors, for the native build of the core.
#include "text/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

bool InputFile::Open(const char* path) {
    Close();
    // Without O_NONBLOCK, opening a FIFO waits for a writer; devices may wait too. Only a
    // regular file is read, and for one the flag changes nothing.
    int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return false;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    handle_ = fd;
    return true;
}

bool InputFile::Size(std::uint64_t* size) const {
    struct stat info;
    if (!IsOpen() || ::fstat(static_cast<int>(handle_), &info) != 0 || info.st_size < 0) {
        return false;
    }
    *size = static_cast<std::uint64_t>(info.st_size);
    return true;
}

bool InputFile::Read(void* dest, std::uint32_t count, std::uint32_t* got) {
    *got = 0;
    if (!IsOpen()) {
        return false;
    }
    char* bytes = static_cast<char*>(dest);
    while (*got < count) {
        ssize_t chunk = ::read(static_cast<int>(handle_), bytes + *got, count - *got);
        if (chunk < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (chunk == 0) {
            break;
        }
        *got += static_cast<std::uint32_t>(chunk);
    }
    return true;
}

bool InputFile::SeekToStart() {
    return IsOpen() && ::lseek(static_cast<int>(handle_), 0, SEEK_SET) == 0;
}

void InputFile::Close() {
    if (IsOpen()) {
        ::close(static_cast<int>(handle_));
        handle_ = kNone;
    }
}
