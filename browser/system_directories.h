// SystemDirectories: the file list's view of the real file system, through Win32 (Windows
// build only).
#pragma once

#include "browser/directory_system.h"

class SystemDirectories : public DirectorySystem {
public:
    // FindFirstFileA and FindNextFileA over the pattern; names are the long names.
    void List(const char* pattern, const std::function<void(const DirectoryItem&)>& visit) override;
    bool MakeCurrent(const char* directory) override;
    bool ReadCurrent(char* buffer, std::size_t size) override;
};
