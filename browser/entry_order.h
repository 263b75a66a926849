// The order of the file list's rows: the parent row, then directories, then files.
#pragma once

// Compares two entry texts with ASCII letters in upper case and every byte as a signed 8-bit
// value: +1 when `a` comes after `b`, -1 before, 0 when they agree up to the end of the
// shorter one (so "Abc" and "ABC.TXT" compare equal). Bytes 0x80 and above come before the
// space, and so before every directory text.
int CompareEntryTexts(const char* a, const char* b);

// The sort order of the rows: as CompareEntryTexts where that decides, and the shorter first
// where it calls two texts equal. CompareEntryTexts cannot sort by itself: it calls "ab"
// equal to both "abc" and "abd", which differ, and sorting with that is undefined.
bool EntryTextLess(const char* a, const char* b);
