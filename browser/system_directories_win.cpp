// SystemDirectories: directory enumeration and the current directory through Win32.
#include "browser/system_directories.h"

#include <windows.h>

#include <cstring>
#include <cwchar>
#include <string>

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

// A name holds at most 255 UTF-16 units, so any ASCII name fits in 255 bytes; a longer 8-bit
// name is in UTF-8, and the system may have cut it to fit its 260-byte field.
constexpr std::size_t kLongestWholeName = 255;

std::uint64_t TimeOf(const FILETIME& time) {
    return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

// `wide` in the ANSI code page into `out`: true when every character has its own code there,
// false when the system would stand in for one with a character that only looks like it
// ("Ωmega" as "Omega") or with "?". `out` gets the text the system's 8-bit calls give either way.
bool ToAnsi(const wchar_t* wide, std::string& out) {
    // A double-byte code page takes at most two bytes a character.
    out.resize(2 * (std::wcslen(wide) + 1));
    BOOL replaced = FALSE;
    int made = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, out.data(),
                                   static_cast<int>(out.size()), nullptr, &replaced);
    if (made > 0 && !replaced) {
        out.resize(static_cast<std::size_t>(made - 1));
        return true;
    }
    made = WideCharToMultiByte(CP_ACP, 0, wide, -1, out.data(), static_cast<int>(out.size()),
                               nullptr, nullptr);
    out.resize(made > 0 ? static_cast<std::size_t>(made - 1) : 0);
    return false;
}

std::wstring ToWide(const char* text) {
    int needed = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (needed <= 0) {
        return std::wstring();
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), needed);
    wide.resize(static_cast<std::size_t>(needed - 1));
    return wide;
}

// Where the active code page is UTF-8, the 8-bit calls name every item.
void ListInUtf8(const char* pattern, const std::function<void(const DirectoryItem&)>& visit) {
    WIN32_FIND_DATAA data;
    FindHandle find(FindFirstFileA(pattern, &data));
    if (!find.Valid()) {
        return;
    }
    do {
        data.cFileName[MAX_PATH - 1] = '\0';
        DirectoryItem item;
        item.name = data.cFileName;
        item.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        item.lastWrite = TimeOf(data.ftLastWriteTime);
        item.exactName = std::strlen(data.cFileName) <= kLongestWholeName;
        visit(item);
    } while (FindNextFileA(find.Get(), &data));
}

// Elsewhere (Windows before 10 version 1903) they name only the items whose names the ANSI
// code page holds: the wide listing tells which those are.
void ListInAnsi(const char* pattern, const std::function<void(const DirectoryItem&)>& visit) {
    std::wstring widePattern = ToWide(pattern);
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW(widePattern.c_str(), &data));
    if (!find.Valid()) {
        return;
    }
    std::string name;
    do {
        DirectoryItem item;
        item.exactName = ToAnsi(data.cFileName, name);
        item.name = name.c_str();
        item.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        item.lastWrite = TimeOf(data.ftLastWriteTime);
        visit(item);
    } while (FindNextFileW(find.Get(), &data));
}

}  // namespace

void SystemDirectories::List(const char* pattern,
                             const std::function<void(const DirectoryItem&)>& visit) {
    if (GetACP() == CP_UTF8) {
        ListInUtf8(pattern, visit);
    } else {
        ListInAnsi(pattern, visit);
    }
}

bool SystemDirectories::MakeCurrent(const char* directory) {
    return SetCurrentDirectoryA(directory) != 0;
}

bool SystemDirectories::ReadCurrent(char* buffer, std::size_t size) {
    DWORD room = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
    if (GetACP() != CP_UTF8) {
        // A directory whose name the ANSI code page cannot hold is not read as another one.
        wchar_t wide[MAX_PATH + 1];
        DWORD length = GetCurrentDirectoryW(MAX_PATH + 1, wide);
        std::string text;
        if (length == 0 || length > MAX_PATH || !ToAnsi(wide, text) || text.size() >= room) {
            return false;
        }
        std::memcpy(buffer, text.c_str(), text.size() + 1);
        return true;
    }
    // The result is the length without the terminator when the text fits, and the size it
    // would need, terminator included, when it does not.
    DWORD length = GetCurrentDirectoryA(room, buffer);
    return length > 0 && length < room;
}

bool SystemDirectories::IsDirectory(const char* directory) {
    DWORD attributes = GetACP() == CP_UTF8 ? GetFileAttributesA(directory)
                                           : GetFileAttributesW(ToWide(directory).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
