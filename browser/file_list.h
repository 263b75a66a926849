// FileList: the rows of the file browser for one directory (the parent row, subdirectories,
// files, sorted) and the directory pattern it lists.
#pragma once

#include <cstddef>
#include <cstdint>

#include "browser/directory_system.h"
#include "browser/record_array.h"
#include "browser/string_pool.h"

enum class EntryKind { Parent, Directory, File };

// One row: its text in the pool, whether that text is the item's exact name (see
// DirectoryItem), and, for a file, its last-write time (100-nanosecond intervals since
// 1 January 1601, UTC; 0 for the other kinds).
struct FileEntry {
    std::uint32_t textOffset;
    std::uint32_t exactName;  // 1 or 0
    std::uint64_t lastWrite;
};

// Row texts: a file's name as it is; a directory's name after one space; the parent row
// kParentText. Indices outside 0 to Count() - 1 are refused by every operation that takes one.
// A row whose text is not its item's exact name is shown and never acted on: it is not entered,
// and has no path.
class FileList {
public:
    static constexpr std::size_t kPathSize = 261;  // 260 characters and the terminator
    static constexpr char kParentText[] = "  .. previous";

    // The list works on `system`, which must outlive it. It starts empty, with no memory and
    // the empty pattern.
    explicit FileList(DirectorySystem& system) : system_(system) {}
    FileList(const FileList&) = delete;
    FileList& operator=(const FileList&) = delete;

    // Sets up the records and the text pool and makes `pattern` the current pattern; does
    // not list. False, holding no memory, when a block cannot be allocated, or when the
    // pattern is null or longer than 260 characters.
    bool Init(std::uint32_t capacity, std::uint32_t growth, std::uint32_t poolSize,
              std::uint32_t poolGrowth, const char* pattern);

    // Lists the current pattern again: directories and the parent row, then files, sorted.
    // Entries that cannot be stored are left out. When the directory has a parent (HasParent),
    // the parent row is there even if the listing gave none: a directory that cannot be read,
    // or that vanished, still leads up.
    void Rescan();

    // At start: when the pattern's directory does not exist (a saved directory since removed),
    // moves the pattern to its nearest existing parent, or to the root of its drive when none
    // of them exists. Does not list, and leaves the process's current directory. True when
    // the pattern moved.
    bool MoveToExistingDirectory();

    // Appends one row, a file's with its time. False when records or pool cannot grow.
    bool AddEntry(const char* text);
    bool AddEntry(const char* text, std::uint64_t lastWrite);

    // A directory row: enters it (the process's current directory follows) and lists it. The
    // parent row: GoUp. True when the listing changed. False, changing nothing, for a file
    // row, a bad index, a directory whose name is not exact, and one whose pattern would not
    // fit kPathSize.
    bool OpenEntry(int index);

    // Moves the pattern to the parent directory and lists it; the process's current
    // directory stays. At a root, or when the pattern has no parent (C:\*.*, *.*, C:*.*),
    // nothing changes and the result is false.
    bool GoUp();

    // True when GoUp would move: the pattern's directory has a parent.
    bool HasParent() const;

    // Makes drive `drive` (0 for A to 25 for Z) current and lists its current directory.
    // False, with pattern, rows and current directory as they were, for a number outside 0 to
    // 25 (the drive selector gives -1 with no selection), a drive the system refuses, or a
    // directory too long for the pattern.
    bool ChangeDrive(int drive);

    // Removes a file row; the rows after it move up. False, changing nothing, otherwise.
    bool RemoveEntry(int index);

    // The full path of a file row (the pattern's directory part and the name) into `out` of
    // `outSize` bytes. The empty text for the other rows, bad indices, a name that is not
    // exact, and a path that does not fit.
    void GetFilePath(int index, char* out, std::size_t outSize) const;

    // True for a file row whose text is not its file's exact name: there is a file, but no
    // path reaches it.
    bool Unreachable(int index) const;

    // The drive of the current pattern (see PatternDrive); 2, drive C, when it names none.
    int PathDrive() const;

    // Parent for exactly kParentText; Directory for any other text beginning with a space;
    // File otherwise.
    static EntryKind KindOf(const char* text);

    int Count() const { return static_cast<int>(entryCount_); }
    // The row's text; the empty text for a bad index.
    const char* EntryText(int index) const;
    // The row's last-write time; 0 for a bad index and for rows that are not files.
    std::uint64_t EntryTime(int index) const;
    const char* Path() const { return path_; }

    // Frees records and pool; no rows remain. The pattern stays.
    void Release();

    const RecordArray& Records() const { return records_; }
    const StringPool& Texts() const { return texts_; }

private:
    bool Add(const char* head, const char* tail, std::uint64_t lastWrite, bool exactName = true);
    // The pattern of the parent directory into `parent` (kPathSize bytes); false when there
    // is none.
    bool ParentPattern(char* parent) const;
    bool ListsParentRow() const;
    bool ExactName(int index) const { return Entries()[index].exactName != 0; }
    // Adds the row of one listed name, if it has one; false when it could not be stored.
    bool AddItem(const DirectoryItem& item);
    static bool FitsAsPattern(const char* directory);  // with a separator and the wildcard
    bool IsValid(int index) const;
    FileEntry* Entries() const { return reinterpret_cast<FileEntry*>(records_.Data()); }
    void SetPattern(const char* directory);

    DirectorySystem& system_;
    RecordArray records_;
    StringPool texts_;
    char path_[kPathSize] = "";
    std::uint32_t entryCount_ = 0;
};
