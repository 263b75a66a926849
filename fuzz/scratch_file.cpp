// ScratchFile: a temporary file rewritten for every input.
#include "fuzz/scratch_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

ScratchFile::ScratchFile() {
    // In memory when the system has a memory file system: a file is written for every input.
    const char* dir = std::getenv("TMPDIR");
    if (dir == nullptr || dir[0] == '\0') {
        dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    }
    path_ = std::string(dir) + "/quillmar-fuzz-XXXXXX";
    fd_ = mkstemp(&path_[0]);
    if (fd_ < 0) {
        Broken("cannot make a scratch file");
    }
    // The file goes at once, so a run that stops on a finding leaves nothing behind; the
    // engine opens it again through the descriptor's link.
    unlink(path_.c_str());
    path_ = "/proc/self/fd/" + std::to_string(fd_);
}

ScratchFile::~ScratchFile() {
    close(fd_);
}

void ScratchFile::Write(const std::uint8_t* data, std::size_t size) {
    if (ftruncate(fd_, 0) != 0) {
        Broken("cannot empty the scratch file");
    }
    std::size_t done = 0;
    while (done < size) {
        ssize_t wrote = pwrite(fd_, data + done, size - done, static_cast<off_t>(done));
        if (wrote <= 0) {
            Broken("cannot write the scratch file");
        }
        done += static_cast<std::size_t>(wrote);
    }
}

void Broken(const char* rule) {
    std::fprintf(stderr, "broken rule: %s\n", rule);
    std::abort();
}
