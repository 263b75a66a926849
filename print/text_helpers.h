// Small helpers on zero-terminated 8-bit texts, shared by the print engine. None allocates.
#pragma once

#include <cstddef>

// The letters a to z as A to Z; every other byte as it is.
inline char UppercaseAscii(char ch) {
    return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
}

// True for the characters that end a directory part: backslash, slash and the drive colon.
inline bool IsPathSeparator(char ch) {
    return ch == '\\' || ch == ':' || ch == '/';
}

// The length of the directory part of `path`: up to and including its last backslash, colon
// or slash at position 1 or later; 0 when there is none. A separator in the first position
// alone does not count, so "\*.*" has no directory part.
std::size_t DirectoryPartLength(const char* path);

// First occurrence of `ch` in `text`, or nullptr. The terminator is never found.
const char* FindChar(const char* text, char ch);

// First occurrence of `needle` anywhere in `text`, case-sensitive, or nullptr.
// An empty needle is never found.
const char* FindText(const char* text, const char* needle);

// Copies the characters of `source` to `dest` without the terminator, at most `room` of them.
// Returns the number copied.
std::size_t CopyOver(char* dest, std::size_t room, const char* source);

// Copies `source` into `dest` of `size` bytes: at most size - 1 characters, always
// terminated; nothing is written when size is 0. Returns the number of characters copied.
std::size_t CopyBounded(char* dest, std::size_t size, const char* source);

// Copies characters until `n` are copied or `source` ends; a terminator is written only in
// the second case (then `dest` needs room for it: n + 1 bytes when the source is shorter).
void CopyAtMost(char* dest, const char* source, std::size_t n);

// Copies into `out` (of `outSize` bytes) the part of `path` after its last backslash, colon
// or slash: the whole path when there is none. A separator in the first position does not
// count, so it stays with the copy. At most outSize - 1 characters, always terminated;
// nothing is written when outSize is 0.
void LastPathComponent(char* out, std::size_t outSize, const char* path);

// Turns the letters a to z into A to Z in place; every other byte stays.
void UppercaseInPlace(char* text);

// The same into `dest`, terminator included; `dest` must hold strlen(source) + 1 bytes.
void UppercaseCopy(char* dest, const char* source);

// The characters of text[0, length) that are not leading or trailing blanks: [first, end).
// All blanks (or nothing) give first == end.
struct BlankTrim {
    std::size_t first;
    std::size_t end;
};
inline BlankTrim TrimBlanks(const char* text, std::size_t length) {
    std::size_t first = 0;
    while (first < length && text[first] == ' ') {
        ++first;
    }
    std::size_t end = length;
    while (end > first && text[end - 1] == ' ') {
        --end;
    }
    return {first, end};
}
