// TempDir: a fresh directory for one test, with its files, removed when the test ends.
#pragma once

#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The directory's path, without a trailing separator.
    const std::string& Path() const { return path_; }

    // The full path of `name` inside the directory.
    std::string File(const std::string& name) const;

    // Writes `bytes` as the whole content of `name` and returns its full path.
    std::string Write(const std::string& name, const std::string& bytes) const;

private:
    std::string path_;
};
