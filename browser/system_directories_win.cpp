// SystemDirectories: directory enumeration and the current directory through Win32.
#include "browser/system_directories.h"

#include <windows.h>

namespace {
// Closes a directory search when the listing ends.
class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle() {
        if (Valid()) {
            FindClose(handle_);
        }
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};
}  // namespace

void SystemDirectories::List(const char* pattern,
                             const std::function<void(const DirectoryItem&)>& visit) {
    WIN32_FIND_DATAA data;
    FindHandle find(FindFirstFileA(pattern, &data));
    if (!find.Valid()) {
        return;
    }
    do {
        DirectoryItem item;
        item.name = data.cFileName;
        item.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        item.lastWrite = (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                         data.ftLastWriteTime.dwLowDateTime;
        visit(item);
    } while (FindNextFileA(find.Get(), &data));
}

bool SystemDirectories::MakeCurrent(const char* directory) {
    return SetCurrentDirectoryA(directory) != 0;
}

bool SystemDirectories::ReadCurrent(char* buffer, std::size_t size) {
    DWORD room = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
    // The result is the length without the terminator when the text fits, and the size it
    // would need, terminator included, when it does not.
    DWORD length = GetCurrentDirectoryA(room, buffer);
    return length > 0 && length < room;
}
