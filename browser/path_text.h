// Directory patterns as texts: a directory, a separator and "*.*", such as C:\Work\*.*.
#pragma once

#include <cstddef>

#include "print/text_helpers.h"

// Ends `text` just after its directory part: C:\Work\*.* becomes C:\Work\ and C:*.* becomes
// C:. A text without one becomes empty.
void CutToDirectory(char* text);

// The drive a pattern names: 0 for A to 25 for Z when its second character is a colon after
// an ASCII letter, in either case; otherwise 2, drive C.
int PatternDrive(const char* pattern);
