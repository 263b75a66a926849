// Date texts: the conversion of file times through Win32.
#include <windows.h>

#include "browser/file_date.h"

void FormatFileDate(std::uint64_t fileTime, char* out, std::size_t size) {
    if (size == 0) {
        return;
    }
    out[0] = '\0';
    if (size < kFileDateSize) {
        return;
    }
    FILETIME utc;
    utc.dwLowDateTime = static_cast<DWORD>(fileTime);
    utc.dwHighDateTime = static_cast<DWORD>(fileTime >> 32);
    // FileTimeToLocalFileTime applies the bias in force now, not the one of the file's date:
    // a time written in summer and shown in winter is an hour off, so near midnight a day.
    FILETIME local;
    SYSTEMTIME fields;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &fields)) {
        return;
    }
    char* p = TwoDigits(fields.wMonth, out);
    *p++ = '/';
    p = TwoDigits(fields.wDay, p);
    *p++ = '/';
    p = TwoDigits(fields.wYear % 100u, p);
    *p = '\0';
}
