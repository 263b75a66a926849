// DecodedFile: a text file read as UTF-8, piece by piece, in the encoding its bytes tell (see
// text_encoding.h for the rule).
//
// The encoding is told lazily: a mark decides at the start; without one nothing needs
// deciding while the bytes are ASCII, which every encoding but UTF-16 reads alike. At the
// first byte from 0x80, the rest of the file is read once ahead to check it as UTF-8, so that
// the choice is the whole file's; then reading goes on from where it was. ASCII files pay
// nothing for it, and the choice stays for every later pass after Rewind. UTF-8 is handed on
// as it was read (checked in place when a mark made it UTF-8, rather than the check ahead);
// other encodings go through a small buffer of raw bytes and the decoder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "text/code_page.h"
#include "text/input_file.h"
#include "text/memory_block.h"
#include "text/text_encoding.h"

class DecodedFile {
public:
    // The least room a Read needs.
    static constexpr std::size_t kMinRoom = kMaxDecodeStep + 2;

    DecodedFile() = default;
    ~DecodedFile();
    DecodedFile(const DecodedFile&) = delete;
    DecodedFile& operator=(const DecodedFile&) = delete;

    // Opens the file (as InputFile::Open does) and tells its size; nothing is read yet and
    // nothing is decided. False, holding nothing, when it cannot be opened or measured.
    bool Open(const char* path, std::uint64_t* size);
    // The legacy code page, for the next decision (set it before reading).
    void SetCodePage(int codePage);

    // Reads the next piece of the text into `out` (room for `room` bytes, at least kMinRoom):
    // valid UTF-8, whole characters (a file found valid UTF-8 ahead is not checked again: on
    // Windows no one can write it while it is open; elsewhere a byte changed meanwhile may
    // reach the reader as it is). Returns its length; 0 only at the end of the text. A read
    // error (or a failing seek) ends the text there.
    std::size_t Read(char* out, std::size_t room);

    // True when the text has been read to its end.
    bool AtEnd() const;
    // Back to the start of the text, keeping the encoding told; false (the text then ends)
    // when the file cannot be read from its start again.
    bool Rewind();
    // Where the next Read starts, as a point to come back to with ResumeAt: the offset in the
    // file of the first byte it decodes (0 before the first Read of a pass).
    std::uint64_t ResumePoint() const;
    // Goes on reading from `point`, a ResumePoint of the open file, keeping the encoding told:
    // the text read from there is the text the pass gave from there. 0 is the start (as
    // Rewind). False (the text then ends) when the file cannot be read there.
    bool ResumeAt(std::uint64_t point);
    // Closes the file; the encoding told stays with the object until the next Open.
    void Close();
    bool IsOpen() const { return file_.IsOpen(); }

    // Whether the encoding is told yet, and which it is (kLegacy until it is told).
    bool Decided() const { return decided_; }
    TextEncoding Encoding() const { return encoding_; }
    int CodePage() const { return codePage_; }

private:
    enum class Mode {
        kAscii,   // nothing decided, the bytes so far are ASCII: handed on as read
        kDirect,  // UTF-8: handed on as read, once checked
        kDecoded  // through the raw buffer and the decoder
    };

    void Start();
    std::size_t ReadDirect(char* out, std::size_t room, bool* again);
    std::size_t ReadDecoded(char* out, std::size_t room);
    // Reads raw bytes of the file at the read position; false on an error.
    bool ReadRaw(char* out, std::size_t count, std::size_t* got);
    // Tells the encoding from the first byte from 0x80, which starts `bytes`, on to the end of
    // the file, leaving the read position where it was.
    void Decide(const char* bytes, std::size_t length);
    // Gives back the last `count` bytes read: the next read starts with them.
    void Unread(std::size_t count);
    bool EnsureRaw();
    void ModeForEncoding();

    static constexpr std::size_t kRawSize = 64 * 1024;

    InputFile file_;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;  // where the next raw read starts
    bool exhausted_ = true;       // the file has given every byte it will
    bool started_ = false;        // the mark of this pass is dealt with
    Mode mode_ = Mode::kAscii;
    bool decided_ = false;
    bool checked_ = false;  // all of the file was found valid UTF-8 ahead
    TextEncoding encoding_ = TextEncoding::kLegacy;
    std::size_t markLength_ = 0;
    char carry_[kMaxUtf8Bytes] = {};  // the start of a character cut at a piece's end
    std::size_t carryLength_ = 0;
    MemoryBlock raw_;
    std::size_t rawStart_ = 0;
    std::size_t rawEnd_ = 0;
    int codePage_ = kDefaultCodePage;
    std::unique_ptr<LegacyCodePage> legacy_;
};
