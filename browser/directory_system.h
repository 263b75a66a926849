// DirectorySystem: what the file list asks of the file system, so that its logic can run on
// a made-up directory tree as well as on the real one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

// One name that a directory pattern matches.
struct DirectoryItem {
    const char* name;         // the long name, as the system reports it
    bool isDirectory;         // the directory attribute; no other attribute is looked at
    std::uint64_t lastWrite;  // 100-nanosecond intervals since 1 January 1601, UTC
    // False when `name` is not the item's own name but the nearest one the system's 8-bit
    // texts can hold (a name outside the ANSI code page, where the system does not run the
    // program in UTF-8): acting on it would act on another item, or on none.
    bool exactName = true;
};

class DirectorySystem {
public:
    virtual ~DirectorySystem() = default;

    // Hands every item that `pattern` matches to `visit`, "." and ".." included where the
    // system reports them. A pattern that matches nothing, or a directory that cannot be
    // read, hands over nothing.
    virtual void List(const char* pattern,
                      const std::function<void(const DirectoryItem&)>& visit) = 0;

    // Makes `directory` the process's current directory; false when the system refuses.
    virtual bool MakeCurrent(const char* directory) = 0;

    // Copies the process's current directory into `buffer`; false, with the buffer's
    // content unspecified, when that fails or does not fit `size` bytes with its terminator.
    virtual bool ReadCurrent(char* buffer, std::size_t size) = 0;

    // True when `directory` (a path, with or without its final separator, such as C:\Work\ or
    // C:\) names a directory that exists, whether or not it can be read. A system that cannot
    // tell takes every directory as there.
    virtual bool IsDirectory(const char* /*directory*/) { return true; }
};
