// Directory patterns as texts: a directory, a separator and "*.*", such as C:\Work\*.*.
#pragma once

#include <cstddef>

// True for the characters that end a directory part: backslash, slash and the drive colon.
bool IsPathSeparator(char ch);

// The length of the directory part of `text`: up to and including its last backslash, colon
// or slash at position 1 or later; 0 when there is none. A separator in the first position
// alone does not count, so "\*.*" has no directory part.
std::size_t DirectoryPartLength(const char* text);

// Ends `text` just after its directory part: C:\Work\*.* becomes C:\Work\ and C:*.* becomes
// C:. A text without one becomes empty.
void CutToDirectory(char* text);

// The drive a pattern names: 0 for A to 25 for Z when its second character is a colon after
// an ASCII letter, in either case; otherwise 2, drive C.
int PatternDrive(const char* pattern);
