// SystemDirectories: the file list's view of the real file system, through Win32 (Windows
// build only).
#pragma once

#include "browser/directory_system.h"

class SystemDirectories : public DirectorySystem {
public:
    // FindFirstFileA and FindNextFileA over the pattern; names are the long names. Where the
    // active code page is not UTF-8, the wide calls instead, so that a name the ANSI code page
    // cannot hold is listed as the 8-bit calls give it but marked as not exact; a UTF-8 name
    // that may have been cut to the system's 260-byte field is marked the same way.
    void List(const char* pattern, const std::function<void(const DirectoryItem&)>& visit) override;
    bool MakeCurrent(const char* directory) override;
    bool ReadCurrent(char* buffer, std::size_t size) override;
    // GetFileAttributes: an existing item with the directory attribute.
    bool IsDirectory(const char* directory) override;
};
