// Fuzz target: the file list over a made-up directory system. The input makes the names
// (odd bytes, dots, blanks, long ones), the start pattern (long ones too), the drives'
// directories, the list's memory sizes and a series of operations with any index. Checked
// after every step: the rows are sorted and each is what the listing rules make of a name,
// with the parent row wherever the directory has a parent, the pattern fits its buffer, and
// paths handed out fit and name a listed file. A start on a directory that does not exist
// moves up to a shorter pattern of the same start.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "browser/entry_order.h"
#include "browser/file_list.h"
#include "browser/path_text.h"
#include "fuzz/scratch_file.h"

namespace {

struct Item {
    std::string name;
    bool isDirectory;
    std::uint64_t lastWrite;
    bool exactName;
};

// Every pattern lists the same names (so the list can go down any directory, as deep as the
// pattern allows); a pattern whose length is a multiple of `emptyEvery` lists nothing.
class FakeDirectories : public DirectorySystem {
public:
    void List(const char* pattern,
              const std::function<void(const DirectoryItem&)>& visit) override {
        FUZZ_CHECK(std::strlen(pattern) < FileList::kPathSize);
        if (emptyEvery > 0 && std::strlen(pattern) % emptyEvery == 0) {
            return;
        }
        for (const Item& item : items) {
            visit(
                DirectoryItem{item.name.c_str(), item.isDirectory, item.lastWrite, item.exactName});
        }
    }
    bool MakeCurrent(const char* directory) override {
        std::string text = directory;
        if (refused.count(text) != 0) {
            return false;
        }
        auto drive = drives.find(text);
        current = drive != drives.end() ? drive->second : text;
        return true;
    }
    bool ReadCurrent(char* buffer, std::size_t size) override {
        if (current.size() >= size) {
            return false;
        }
        std::memcpy(buffer, current.c_str(), current.size() + 1);
        return true;
    }
    bool IsDirectory(const char* directory) override {
        FUZZ_CHECK(std::strlen(directory) < FileList::kPathSize);
        return missingEvery == 0 || std::strlen(directory) % missingEvery != 0;
    }

    std::vector<Item> items;
    std::map<std::string, std::string> drives;  // "D:" to the drive's current directory
    std::map<std::string, bool> refused;
    std::string current = "C:\\";
    std::size_t emptyEvery = 0;
    std::size_t missingEvery = 0;  // directories whose length is a multiple of it do not exist
};

std::string Name(FuzzedDataProvider& in) {
    static const char* const kOdd[] = {".",   "..",       "...", ".cache", " ",  "  .. previous",
                                       "a.b", "\xe4\xf6", "*.*", "\\",     "C:", "x\\y"};
    switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
            return kOdd[in.ConsumeIntegralInRange<std::size_t>(0, 11)];
        case 1:
            return std::string(in.ConsumeIntegralInRange<std::size_t>(1, 300),
                               static_cast<char>(in.ConsumeIntegralInRange('a', 'z')));
        default: {
            std::string name = in.ConsumeRandomLengthString(24);
            name.erase(std::remove(name.begin(), name.end(), '\0'), name.end());
            return name.empty() ? "n" : name;
        }
    }
}

// The rows the listing rules make of the names, in any order.
std::vector<std::string> ExpectedRows(const std::vector<Item>& items) {
    std::vector<std::string> rows;
    for (const Item& item : items) {
        if (item.isDirectory && item.name[0] != '.') {
            rows.push_back(" " + item.name);
        } else if (item.isDirectory && item.name == "..") {  // "..." is skipped like "."
            rows.push_back(FileList::kParentText);
        }
    }
    for (const Item& item : items) {
        if (!item.isDirectory) {
            rows.push_back(item.name);
        }
    }
    return rows;
}

void CheckList(const FileList& list, const FakeDirectories& system, bool ampleMemory,
               bool justListed) {
    FUZZ_CHECK(std::strlen(list.Path()) < FileList::kPathSize);
    FUZZ_CHECK(list.Count() >= 0);
    FUZZ_CHECK(static_cast<std::uint32_t>(list.Count()) <= list.Records().Capacity());
    std::vector<std::string> rows;
    for (int i = 0; i < list.Count(); ++i) {
        const char* text = list.EntryText(i);
        FUZZ_CHECK(text >= list.Texts().At(0) &&
                   text < list.Texts().At(0) + list.Texts().UsedBytes());
        rows.push_back(text);
        if (i > 0) {
            FUZZ_CHECK(!EntryTextLess(text, list.EntryText(i - 1)));
            FUZZ_CHECK(CompareEntryTexts(list.EntryText(i - 1), text) <= 0);
        }
        EntryKind kind = FileList::KindOf(text);
        FUZZ_CHECK((kind == EntryKind::File) == (text[0] != ' '));
        if (kind != EntryKind::File) {
            FUZZ_CHECK(list.EntryTime(i) == 0);
        }
    }
    // Out of range: nothing.
    FUZZ_CHECK(list.EntryText(-1)[0] == '\0' && list.EntryText(list.Count())[0] == '\0');
    FUZZ_CHECK(list.EntryTime(-1) == 0 && list.EntryTime(list.Count()) == 0);
    if (justListed && ampleMemory) {
        std::vector<std::string> expected = ExpectedRows(system.items);
        std::sort(expected.begin(), expected.end());
        std::sort(rows.begin(), rows.end());
        if (system.emptyEvery > 0 && std::strlen(list.Path()) % system.emptyEvery == 0) {
            expected.clear();
        }
        // A directory with a parent always leads up, listed or not.
        if (list.HasParent() &&
            std::find(expected.begin(), expected.end(), FileList::kParentText) == expected.end()) {
            expected.push_back(FileList::kParentText);
            std::sort(expected.begin(), expected.end());
        }
        FUZZ_CHECK(rows == expected);
    }
}

void CheckFilePath(const FileList& list, int index, std::size_t outSize) {
    std::unique_ptr<char[]> out(new char[outSize == 0 ? 1 : outSize]);
    out[0] = '#';
    list.GetFilePath(index, out.get(), outSize);
    if (outSize == 0) {
        FUZZ_CHECK(out[0] == '#');
        return;
    }
    FUZZ_CHECK(std::memchr(out.get(), '\0', outSize) != nullptr);
    bool isFile = index >= 0 && index < list.Count() &&
                  FileList::KindOf(list.EntryText(index)) == EntryKind::File;
    if (!isFile || list.Unreachable(index)) {
        FUZZ_CHECK(out[0] == '\0');
        return;
    }
    if (out[0] == '\0') {
        return;  // did not fit
    }
    // The pattern's directory part, then the name.
    std::string path = out.get();
    std::string name = list.EntryText(index);
    std::string pattern = list.Path();
    std::size_t part = DirectoryPartLength(pattern.c_str());
    FUZZ_CHECK(path == pattern.substr(0, part) + name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    FakeDirectories system;
    std::size_t count = in.ConsumeIntegralInRange<std::size_t>(0, 40);
    for (std::size_t i = 0; i < count; ++i) {
        system.items.push_back(Item{Name(in), in.ConsumeBool(), in.ConsumeIntegral<std::uint64_t>(),
                                    in.ConsumeIntegralInRange(0, 7) != 0});
    }
    system.emptyEvery = in.ConsumeIntegralInRange<std::size_t>(0, 40);
    system.missingEvery = in.ConsumeIntegralInRange<std::size_t>(0, 40);
    for (int drive = 0; drive < 4; ++drive) {
        std::string designator =
            std::string(1, static_cast<char>('A' + in.ConsumeIntegralInRange(0, 25))) + ":";
        if (in.ConsumeBool()) {
            system.refused[designator] = true;
        } else {
            system.drives[designator] =
                designator + "\\" +
                std::string(in.ConsumeIntegralInRange<std::size_t>(0, 270), 'd');
        }
    }

    bool ampleMemory = in.ConsumeBool();
    std::uint32_t capacity = ampleMemory ? 1000 : in.ConsumeIntegralInRange<std::uint32_t>(0, 8);
    std::uint32_t growth = ampleMemory ? 500 : in.ConsumeIntegralInRange<std::uint32_t>(0, 4);
    std::uint32_t pool = ampleMemory ? 32000 : in.ConsumeIntegralInRange<std::uint32_t>(0, 64);
    std::uint32_t poolGrowth =
        ampleMemory ? 16000 : in.ConsumeIntegralInRange<std::uint32_t>(0, 32);
    std::string pattern =
        in.ConsumeBool() ? std::string("C:\\*.*") : in.ConsumeRandomLengthString(300);

    FileList list(system);
    bool ready = list.Init(capacity, growth, pool, poolGrowth, pattern.c_str());
    FUZZ_CHECK(!ready || std::strlen(list.Path()) < FileList::kPathSize);
    if (!ready) {
        return 0;
    }
    // As at start: a directory that does not exist gives way to its nearest existing parent.
    std::string saved = list.Path();
    bool moved = list.MoveToExistingDirectory();
    FUZZ_CHECK(moved == (saved != list.Path()));
    FUZZ_CHECK(std::strlen(list.Path()) < FileList::kPathSize);
    if (moved) {
        // The start of the saved pattern, up to a separator, and the wildcard.
        std::string now = list.Path();
        std::size_t part = DirectoryPartLength(now.c_str());
        FUZZ_CHECK(now.compare(part, std::string::npos, "*.*") == 0 && part < saved.size() &&
                   saved.compare(0, part, now, 0, part) == 0);
    }
    list.Rescan();
    CheckList(list, system, ampleMemory, true);

    for (int step = 0; step < 32 && in.remaining_bytes() > 0; ++step) {
        // Any index, but mostly one of the rows or just outside them.
        int index = in.ConsumeBool() ? in.ConsumeIntegralInRange(-2, list.Count() + 1)
                                     : in.ConsumeIntegral<int>();
        bool listed = false;
        switch (in.ConsumeIntegralInRange(0, 6)) {
            case 0: {
                std::string before = list.Path();
                bool isFile = index >= 0 && index < list.Count() &&
                              FileList::KindOf(list.EntryText(index)) == EntryKind::File;
                bool opened = list.OpenEntry(index);
                FUZZ_CHECK(!(opened && isFile));
                if (!opened) {
                    FUZZ_CHECK(before == list.Path());
                }
                listed = opened;
                break;
            }
            case 1:
                listed = list.GoUp();
                break;
            case 2: {
                std::string before = list.Path();
                listed = list.ChangeDrive(in.ConsumeIntegralInRange(-3, 28));
                if (!listed) {
                    FUZZ_CHECK(before == list.Path());
                }
                break;
            }
            case 3: {
                int before = list.Count();
                bool isFile = index >= 0 && index < before &&
                              FileList::KindOf(list.EntryText(index)) == EntryKind::File;
                FUZZ_CHECK(list.RemoveEntry(index) == isFile);
                FUZZ_CHECK(list.Count() == before - (isFile ? 1 : 0));
                break;
            }
            case 4:
                CheckFilePath(list, index, in.ConsumeIntegralInRange<std::size_t>(0, 300));
                break;
            case 5:
                list.Rescan();
                listed = true;
                break;
            default:
                FUZZ_CHECK(list.PathDrive() >= 0 && list.PathDrive() <= 25);
                break;
        }
        CheckList(list, system, ampleMemory, listed);
    }
    list.Release();
    FUZZ_CHECK(list.Count() == 0);
    return 0;
}
