// DecodedFile: a text file read as UTF-8 piece by piece.
#include "text/decoded_file.h"

#include <cstring>

namespace {

// The most bytes one InputFile::Read is asked for.
constexpr std::size_t kMaxRead = 1u << 30;

// The bytes at the end of text[0, length) that start a character of UTF-8 and end too early
// to hold all of it: 0 to 3.
std::size_t CutCharacterAtEnd(const char* text, std::size_t length) {
    for (std::size_t back = 1; back <= 3 && back <= length; ++back) {
        auto byte = static_cast<unsigned char>(text[length - back]);
        if ((byte & 0xC0) == 0x80) {
            continue;  // a continuation byte: the start lies further back
        }
        std::size_t size = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return size > back ? back : 0;
    }
    return 0;
}

}  // namespace

DecodedFile::~DecodedFile() = default;

bool DecodedFile::Open(const char* path, std::uint64_t* size) {
    Close();
    decided_ = false;
    checked_ = false;
    encoding_ = TextEncoding::kLegacy;
    markLength_ = 0;
    mode_ = Mode::kAscii;
    if (!file_.Open(path) || !file_.Size(&size_)) {
        file_.Close();
        return false;
    }
    *size = size_;
    position_ = 0;
    exhausted_ = size_ == 0;
    started_ = false;
    return true;
}

void DecodedFile::SetCodePage(int codePage) {
    if (codePage != codePage_) {
        codePage_ = codePage;
        legacy_.reset();
    }
}

void DecodedFile::Close() {
    file_.Close();
    exhausted_ = true;
    carryLength_ = 0;
    rawStart_ = 0;
    rawEnd_ = 0;
    raw_.Release();
}

bool DecodedFile::AtEnd() const {
    return exhausted_ && carryLength_ == 0 && rawStart_ == rawEnd_;
}

bool DecodedFile::Rewind() {
    carryLength_ = 0;
    rawStart_ = 0;
    rawEnd_ = 0;
    started_ = false;
    position_ = 0;
    exhausted_ = true;
    if (!file_.IsOpen() || !file_.SeekTo(0)) {
        return false;
    }
    exhausted_ = size_ == 0;
    return true;
}

std::uint64_t DecodedFile::ResumePoint() const {
    if (!started_) {
        return 0;
    }
    // Bytes read from the file but not handed on yet: a cut character, or raw bytes waiting
    // for the decoder. Both start at a character's first byte.
    return position_ - carryLength_ - (rawEnd_ - rawStart_);
}

bool DecodedFile::ResumeAt(std::uint64_t point) {
    if (point == 0) {
        return Rewind();
    }
    carryLength_ = 0;
    rawStart_ = 0;
    rawEnd_ = 0;
    started_ = true;
    position_ = point;
    exhausted_ = true;
    if (!file_.IsOpen() || point > size_ || !file_.SeekTo(point)) {
        return false;
    }
    exhausted_ = point >= size_;
    ModeForEncoding();
    return true;
}

bool DecodedFile::ReadRaw(char* out, std::size_t count, std::size_t* got) {
    *got = 0;
    if (exhausted_) {
        return true;
    }
    if (count > kMaxRead) {
        count = kMaxRead;
    }
    std::uint32_t read = 0;
    bool ok = file_.Read(out, static_cast<std::uint32_t>(count), &read);
    if (!ok) {
        exhausted_ = true;  // the text ends where the error is
        return false;
    }
    *got = read;
    position_ += read;
    if (read < count || position_ >= size_) {
        exhausted_ = true;
    }
    return true;
}

void DecodedFile::ModeForEncoding() {
    if (!decided_) {
        mode_ = Mode::kAscii;
    } else if (encoding_ == TextEncoding::kUtf8) {
        mode_ = Mode::kDirect;
    } else {
        mode_ = Mode::kDecoded;
        if (encoding_ == TextEncoding::kLegacy && legacy_ == nullptr) {
            legacy_ = std::make_unique<LegacyCodePage>(codePage_);
        }
    }
}

void DecodedFile::Start() {
    started_ = true;
    if (!decided_ && position_ == 0 && !exhausted_) {
        // The first pass: a mark decides at once.
        char head[3];
        std::size_t got = 0;
        ReadRaw(head, sizeof head, &got);
        ByteOrderMark mark = ReadByteOrderMark(head, got);
        if (mark.length > 0) {
            decided_ = true;
            encoding_ = mark.encoding;
            markLength_ = mark.length;
        }
        position_ = markLength_;
        exhausted_ = position_ >= size_;
        if (!file_.SeekTo(position_)) {
            exhausted_ = true;
        }
    } else if (markLength_ > 0 && !exhausted_) {
        position_ = markLength_;
        exhausted_ = position_ >= size_ || !file_.SeekTo(position_);
    }
    ModeForEncoding();
}

std::size_t DecodedFile::Read(char* out, std::size_t room) {
    if (room < kMinRoom) {
        return 0;
    }
    if (!started_) {
        Start();
    }
    for (;;) {
        bool again = false;
        std::size_t length =
            mode_ == Mode::kDecoded ? ReadDecoded(out, room) : ReadDirect(out, room, &again);
        if (length > 0 || !again) {
            return length;
        }
    }
}

std::size_t DecodedFile::ReadDirect(char* out, std::size_t room, bool* again) {
    *again = false;
    std::size_t total = carryLength_;
    std::memcpy(out, carry_, carryLength_);
    carryLength_ = 0;
    std::size_t got = 0;
    ReadRaw(out + total, room - total, &got);
    total += got;
    if (total == 0) {
        return 0;
    }
    std::size_t from = 0;
    if (mode_ == Mode::kAscii) {
        from = FindNonAscii(out, total);
        if (from == total) {
            return total;
        }
        Decide(out + from, total - from);
        if (mode_ == Mode::kDecoded) {
            // What comes before is ASCII, the same in any encoding; the rest is decoded.
            Unread(total - from);
            *again = from == 0;
            return from;
        }
    }
    if (checked_) {
        // All of the file was found valid ahead, and the file is not shared while it is read
        // (on Windows; elsewhere a byte changed since reads as U+FFFD in the lines): only a
        // character cut at the end is kept for the next read.
        std::size_t keep = exhausted_ ? 0 : CutCharacterAtEnd(out + from, total - from);
        carryLength_ = keep;
        std::memcpy(carry_, out + total - keep, keep);
        *again = total - keep == 0;
        return total - keep;
    }
    // UTF-8 as it was read: checked, and a character cut at the end kept for the next read.
    bool cut = false;
    std::size_t valid = from + ValidUtf8Length(out + from, total - from, &cut);
    if (valid == total) {
        return total;
    }
    if (cut && !exhausted_) {
        carryLength_ = total - valid;
        std::memcpy(carry_, out + valid, carryLength_);
        *again = valid == 0;
        return valid;
    }
    // An invalid byte (of a file with a mark, or of one changed since it was checked): the
    // rest goes through the decoder, which replaces such bytes.
    Unread(total - valid);
    mode_ = Mode::kDecoded;
    checked_ = false;
    *again = valid == 0;
    return valid;
}

void DecodedFile::Unread(std::size_t count) {
    position_ -= count;
    exhausted_ = position_ >= size_ || !file_.SeekTo(position_);
}

bool DecodedFile::EnsureRaw() {
    return !raw_.Empty() || raw_.Allocate(kRawSize, false);
}

void DecodedFile::Decide(const char* bytes, std::size_t length) {
    Utf8Validator validator;
    bool valid = validator.Feed(bytes, length);
    if (valid && !exhausted_) {
        // Read ahead to the end of the file, then come back.
        std::uint64_t back = position_;
        if (!EnsureRaw()) {
            valid = false;  // no room to check: the legacy code page, as before this rule
        }
        while (valid && !exhausted_) {
            std::size_t got = 0;
            if (!ReadRaw(raw_.Data(), kRawSize, &got)) {
                break;
            }
            valid = validator.Feed(raw_.Data(), got);
        }
        position_ = back;
        exhausted_ = position_ >= size_ || !file_.SeekTo(position_);
    }
    decided_ = true;
    encoding_ = valid && validator.Finish() ? TextEncoding::kUtf8 : TextEncoding::kLegacy;
    checked_ = encoding_ == TextEncoding::kUtf8;
    ModeForEncoding();
}

std::size_t DecodedFile::ReadDecoded(char* out, std::size_t room) {
    if (!EnsureRaw()) {
        exhausted_ = true;
        rawStart_ = rawEnd_ = 0;
        return 0;
    }
    TextDecoder decoder(encoding_, legacy_.get());
    char* raw = raw_.Data();
    std::size_t produced = 0;
    for (;;) {
        std::size_t consumed = 0;
        produced += decoder.Decode(raw + rawStart_, rawEnd_ - rawStart_, exhausted_, out + produced,
                                   room - produced, &consumed);
        rawStart_ += consumed;
        if (room - produced < kMaxDecodeStep || (exhausted_ && rawStart_ == rawEnd_)) {
            break;
        }
        // The raw bytes are used up but for a cut character: keep it in front of the next.
        std::size_t rest = rawEnd_ - rawStart_;
        std::memmove(raw, raw + rawStart_, rest);
        rawStart_ = 0;
        rawEnd_ = rest;
        std::size_t got = 0;
        ReadRaw(raw + rest, kRawSize - rest, &got);
        rawEnd_ += got;
    }
    return produced;
}
