// FileList: the rows of the file browser for one directory.
#include "browser/file_list.h"

#include <algorithm>
#include <cstring>

#include "browser/entry_order.h"
#include "browser/path_text.h"

namespace {
constexpr char kWildcard[] = "*.*";
constexpr std::size_t kWildcardLength = sizeof kWildcard - 1;

bool EndsWithSeparator(const char* text, std::size_t length) {
    return length > 0 && (text[length - 1] == '\\' || text[length - 1] == '/');
}
}  // namespace

bool FileList::Init(std::uint32_t capacity, std::uint32_t growth, std::uint32_t poolSize,
                    std::uint32_t poolGrowth, const char* pattern) {
    Release();
    if (pattern == nullptr || std::strlen(pattern) >= kPathSize) {
        return false;
    }
    if (!records_.Init(capacity, growth, sizeof(FileEntry))) {
        return false;
    }
    if (!texts_.Init(poolSize, poolGrowth)) {
        records_.Release();
        return false;
    }
    std::strcpy(path_, pattern);
    return true;
}

void FileList::Rescan() {
    texts_.Clear();
    entryCount_ = 0;
    // One pass takes directories and files alike. When memory runs out, the directories, which
    // lead elsewhere, are the ones to keep: the listing then starts again with a pass for the
    // directories alone and one for the files.
    bool complete = true;
    system_.List(path_, [this, &complete](const DirectoryItem& item) {
        if (complete && !AddItem(item)) {
            complete = false;
        }
    });
    if (!complete) {
        texts_.Clear();
        entryCount_ = 0;
        system_.List(path_, [this](const DirectoryItem& item) {
            if (item.isDirectory) {
                AddItem(item);
            }
        });
        system_.List(path_, [this](const DirectoryItem& item) {
            if (!item.isDirectory) {
                AddItem(item);
            }
        });
    }
    if (!ListsParentRow() && HasParent()) {
        Add(kParentText, "", 0);
    }
    if (entryCount_ > 1) {
        const char* texts = texts_.At(0);
        std::sort(Entries(), Entries() + entryCount_,
                  [texts](const FileEntry& a, const FileEntry& b) {
                      return EntryTextLess(texts + a.textOffset, texts + b.textOffset);
                  });
    }
}

bool FileList::AddItem(const DirectoryItem& item) {
    if (!item.isDirectory) {
        return Add(item.name, "", item.lastWrite, item.exactName);
    }
    if (item.name[0] != '.') {
        return Add(" ", item.name, 0, item.exactName);
    }
    if (std::strcmp(item.name, "..") == 0) {
        return Add(kParentText, "", 0);
    }
    return true;  // "." and other names beginning with a dot are not listed
}

bool FileList::AddEntry(const char* text) {
    return Add(text, "", 0);
}

bool FileList::AddEntry(const char* text, std::uint64_t lastWrite) {
    return Add(text, "", lastWrite);
}

bool FileList::OpenEntry(int index) {
    if (!IsValid(index)) {
        return false;
    }
    const char* text = EntryText(index);
    switch (KindOf(text)) {
        case EntryKind::File:
            return false;
        case EntryKind::Parent:
            return GoUp();
        case EntryKind::Directory:
            break;
    }
    if (!ExactName(index)) {
        return false;
    }
    const char* name = text + 1;
    std::size_t part = DirectoryPartLength(path_);
    std::size_t separator = EndsWithSeparator(path_, part) ? 0 : 1;
    std::size_t nameLength = std::strlen(name);
    if (part + separator + nameLength >= kPathSize) {
        return false;
    }
    char directory[kPathSize];
    std::memcpy(directory, path_, part);
    if (separator != 0) {
        directory[part] = '\\';
    }
    std::memcpy(directory + part + separator, name, nameLength + 1);
    if (!FitsAsPattern(directory)) {
        return false;
    }
    // A directory that cannot be made current is still entered; its listing tells the rest.
    system_.MakeCurrent(directory);
    SetPattern(directory);
    Rescan();
    return true;
}

bool FileList::GoUp() {
    char parent[kPathSize];
    if (!ParentPattern(parent)) {
        return false;
    }
    std::strcpy(path_, parent);
    Rescan();
    return true;
}

bool FileList::HasParent() const {
    char parent[kPathSize];
    return ParentPattern(parent);
}

bool FileList::MoveToExistingDirectory() {
    bool moved = false;
    for (;;) {
        char directory[kPathSize];
        std::size_t part = DirectoryPartLength(path_);
        std::memcpy(directory, path_, part);
        directory[part] = '\0';
        char parent[kPathSize];
        if (part == 0 || system_.IsDirectory(directory) || !ParentPattern(parent)) {
            return moved;  // there, or at the top: the root stays even on a drive that is gone
        }
        std::strcpy(path_, parent);
        moved = true;
    }
}

bool FileList::ParentPattern(char* parent) const {
    std::strcpy(parent, path_);
    // C:\A\B\*.* becomes C:\A\B, and the directory part of that, C:\A\, is the parent.
    std::size_t part = DirectoryPartLength(parent);
    if (part == 0) {
        return false;
    }
    parent[part - 1] = '\0';
    std::size_t up = DirectoryPartLength(parent);
    if (up == 0 || parent[up - 1] == ':') {
        return false;  // nothing above, or only the drive designator: C:\ has no parent
    }
    if (up + kWildcardLength >= kPathSize) {
        return false;  // a pattern of 260 characters that ends in two separators
    }
    std::strcpy(parent + up, kWildcard);
    return true;
}

bool FileList::ListsParentRow() const {
    for (std::uint32_t i = 0; i < entryCount_; ++i) {
        if (KindOf(texts_.At(Entries()[i].textOffset)) == EntryKind::Parent) {
            return true;
        }
    }
    return false;
}

bool FileList::ChangeDrive(int drive) {
    if (drive < 0 || drive > 25) {
        return false;
    }
    char previous[kPathSize];
    bool previousKnown = system_.ReadCurrent(previous, sizeof previous);
    // The system resolves a bare designator to the drive's current directory.
    const char designator[] = {static_cast<char>('A' + drive), ':', '\0'};
    if (!system_.MakeCurrent(designator)) {
        return false;
    }
    char current[kPathSize];
    if (!system_.ReadCurrent(current, sizeof current) || !FitsAsPattern(current)) {
        if (previousKnown) {
            system_.MakeCurrent(previous);
        }
        return false;
    }
    SetPattern(current);
    Rescan();
    return true;
}

bool FileList::RemoveEntry(int index) {
    if (!IsValid(index) || KindOf(EntryText(index)) != EntryKind::File) {
        return false;
    }
    FileEntry* entries = Entries();
    std::memmove(entries + index, entries + index + 1,
                 (entryCount_ - static_cast<std::uint32_t>(index) - 1) * sizeof(FileEntry));
    --entryCount_;
    return true;
}

void FileList::GetFilePath(int index, char* out, std::size_t outSize) const {
    if (outSize == 0) {
        return;
    }
    out[0] = '\0';
    if (!IsValid(index) || KindOf(EntryText(index)) != EntryKind::File || !ExactName(index)) {
        return;
    }
    const char* name = EntryText(index);
    std::size_t part = DirectoryPartLength(path_);
    std::size_t nameLength = std::strlen(name);
    if (part + nameLength >= outSize) {
        return;  // a cut path would name another file
    }
    std::memcpy(out, path_, part);
    std::memcpy(out + part, name, nameLength + 1);
}

bool FileList::Unreachable(int index) const {
    return IsValid(index) && KindOf(EntryText(index)) == EntryKind::File && !ExactName(index);
}

int FileList::PathDrive() const {
    return PatternDrive(path_);
}

EntryKind FileList::KindOf(const char* text) {
    if (std::strcmp(text, kParentText) == 0) {
        return EntryKind::Parent;
    }
    return text[0] == ' ' ? EntryKind::Directory : EntryKind::File;
}

const char* FileList::EntryText(int index) const {
    return IsValid(index) ? texts_.At(Entries()[index].textOffset) : "";
}

std::uint64_t FileList::EntryTime(int index) const {
    // A file whose name begins with a blank shows as a directory row, and has no date there.
    if (!IsValid(index) || KindOf(EntryText(index)) != EntryKind::File) {
        return 0;
    }
    return Entries()[index].lastWrite;
}

void FileList::Release() {
    records_.Release();
    texts_.Release();
    entryCount_ = 0;
}

bool FileList::Add(const char* head, const char* tail, std::uint64_t lastWrite, bool exactName) {
    if (entryCount_ == records_.Capacity() && !records_.Grow()) {
        return false;
    }
    std::int64_t offset = texts_.Add(head, tail);
    if (offset < 0) {
        return false;
    }
    Entries()[entryCount_] =
        FileEntry{static_cast<std::uint32_t>(offset), exactName ? 1u : 0u, lastWrite};
    ++entryCount_;
    return true;
}

bool FileList::FitsAsPattern(const char* directory) {
    std::size_t length = std::strlen(directory);
    std::size_t separator = EndsWithSeparator(directory, length) ? 0 : 1;
    return length + separator + kWildcardLength < kPathSize;
}

bool FileList::IsValid(int index) const {
    return index >= 0 && static_cast<std::uint32_t>(index) < entryCount_;
}

void FileList::SetPattern(const char* directory) {
    std::size_t length = std::strlen(directory);
    std::memcpy(path_, directory, length);
    if (!EndsWithSeparator(directory, length)) {
        path_[length++] = '\\';
    }
    std::strcpy(path_ + length, kWildcard);
}
