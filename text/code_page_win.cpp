// Legacy code pages on Windows: the default ANSI code page of the user's locale, and
// MultiByteToWideChar as the conversion of the code pages that no table holds.
#include "text/code_page.h"

#include <windows.h>

namespace {

class WindowsCodePage : public SystemCodePage {
public:
    explicit WindowsCodePage(UINT codePage) : codePage_(codePage) {}

    bool IsLeadByte(unsigned char byte) const override {
        return IsDBCSLeadByteEx(codePage_, byte) != 0;
    }

    int ToUtf16(const char* bytes, int count, char16_t* out, int room) override {
        auto* wide = reinterpret_cast<LPWSTR>(out);
        int units = MultiByteToWideChar(codePage_, strict_ ? MB_ERR_INVALID_CHARS : 0, bytes, count,
                                        wide, room);
        if (units == 0 && strict_ && GetLastError() == ERROR_INVALID_FLAGS) {
            // Some code pages take no flags: their own replacement then stands for a byte
            // without a character.
            strict_ = false;
            units = MultiByteToWideChar(codePage_, 0, bytes, count, wide, room);
        }
        return units > 0 ? units : -1;
    }

private:
    UINT codePage_;
    bool strict_ = true;
};

}  // namespace

int DefaultLegacyCodePage() {
    // The locale's code page, not GetACP(): the program runs with UTF-8 as its active code
    // page, while the user's older files are in the code page of the user's language.
    DWORD codePage = 0;
    if (GetLocaleInfoEx(
            LOCALE_NAME_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
            reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(WCHAR)) == 0 ||
        codePage == CP_ACP || codePage == CP_UTF8) {
        // A locale of Unicode alone has no ANSI code page.
        return kDefaultCodePage;
    }
    return static_cast<int>(codePage);
}

std::unique_ptr<SystemCodePage> OpenSystemCodePage(int codePage) {
    if (codePage <= 0 || codePage == CP_UTF8 || !IsValidCodePage(static_cast<UINT>(codePage))) {
        return nullptr;
    }
    return std::make_unique<WindowsCodePage>(static_cast<UINT>(codePage));
}
