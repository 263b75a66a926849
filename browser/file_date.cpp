// Date texts: the digits.
#include "browser/file_date.h"

char* TwoDigits(unsigned n, char* out) {
    if (n <= 9) {
        *out++ = '0';
        *out++ = static_cast<char>('0' + n);
        return out;
    }
    char reversed[10];
    int count = 0;
    for (; n != 0; n /= 10) {
        reversed[count++] = static_cast<char>('0' + n % 10);
    }
    while (count > 0) {
        *out++ = reversed[--count];
    }
    return out;
}
