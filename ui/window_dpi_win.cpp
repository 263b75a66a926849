// WindowDpi: GetDpiForWindow looked up at run time, so the program still starts on systems
// without it; stock fonts rescaled; icons loaded at explicit sizes.
#include "ui/window_dpi.h"

#include <cstdint>
#include <vector>

#include "ui/dialog_template.h"
#include "ui/dpi_scale.h"

namespace {

using GetDpiForWindowProc = UINT(WINAPI*)(HWND);

GetDpiForWindowProc DpiForWindowProc() {
    static const GetDpiForWindowProc proc = [] {
        HMODULE user = GetModuleHandleA("user32.dll");
        return user != nullptr ? reinterpret_cast<GetDpiForWindowProc>(reinterpret_cast<void*>(
                                     GetProcAddress(user, "GetDpiForWindow")))
                               : nullptr;
    }();
    return proc;
}

int ScreenDpi(HWND window) {
    HDC dc = GetDC(window);
    if (dc == nullptr) {
        return kDefaultDpi;
    }
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(window, dc);
    return dpi > 0 ? dpi : kDefaultDpi;
}

}  // namespace

int WindowDpi(HWND window) {
    if (window != nullptr) {
        if (GetDpiForWindowProc proc = DpiForWindowProc()) {
            const UINT dpi = proc(window);
            if (dpi > 0) {
                return static_cast<int>(dpi);
            }
        }
    }
    return ScreenDpi(window);
}

int SystemDpi() {
    return ScreenDpi(nullptr);
}

DpiFont::~DpiFont() {
    Release();
}

bool DpiFont::Make(int stockId, int dpi, const wchar_t* face) {
    Release();
    stock_ = static_cast<HFONT>(GetStockObject(stockId));
    const int system = SystemDpi();
    if (stock_ == nullptr || dpi <= 0 || (dpi == kDefaultDpi && system == kDefaultDpi)) {
        return stock_ != nullptr;
    }
    LOGFONTW font = {};
    if (GetObjectW(stock_, sizeof font, &font) != sizeof font) {
        return false;
    }
    // The stock font's width may stay what it is at 96 while its height follows the system's
    // resolution (Wine's does), which squeezes every text: the face's own width is taken.
    font.lfHeight = RescaleHeight(font.lfHeight, system, dpi);
    font.lfWidth = 0;
    if (face != nullptr) {
        lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    }
    own_ = CreateFontIndirectW(&font);
    return own_ != nullptr;
}

HFONT DpiFont::Handle() const {
    return own_ != nullptr ? own_ : stock_;
}

void DpiFont::Release() {
    if (own_ != nullptr) {
        DeleteObject(own_);
        own_ = nullptr;
    }
}

SizedIcon::~SizedIcon() {
    Release();
}

bool SizedIcon::Load(HINSTANCE module, int iconId, int size) {
    if (icon_ != nullptr && module == module_ && iconId == iconId_ && size == size_) {
        return true;
    }
    Release();
    // Not shared: a shared icon keeps the size it was first loaded at.
    HANDLE image = LoadImageA(module, MAKEINTRESOURCEA(static_cast<WORD>(iconId)), IMAGE_ICON, size,
                              size, module == nullptr ? LR_SHARED : 0);
    if (image == nullptr) {
        return false;
    }
    icon_ = static_cast<HICON>(image);
    module_ = module;
    iconId_ = iconId;
    size_ = size;
    return true;
}

void SizedIcon::Draw(HDC dc, int x, int y) const {
    if (icon_ != nullptr) {
        DrawIconEx(dc, x, y, icon_, size_, size_, 0, nullptr, DI_NORMAL);
    }
}

void SizedIcon::Release() {
    // The system's icons are shared and never destroyed.
    if (icon_ != nullptr && module_ != nullptr) {
        DestroyIcon(icon_);
    }
    icon_ = nullptr;
    module_ = nullptr;
    iconId_ = 0;
    size_ = 0;
}

INT_PTR DialogBoxForDpi(HINSTANCE module, int templateId, HWND owner, DLGPROC procedure,
                        LPARAM parameter, int dpi) {
    LPCSTR name = MAKEINTRESOURCEA(static_cast<WORD>(templateId));
    std::vector<std::uint8_t> scaled;
    if (dpi != kDefaultDpi) {
        HRSRC found = FindResourceA(module, name, reinterpret_cast<LPCSTR>(RT_DIALOG));
        HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
        const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
        if (data != nullptr) {
            scaled = WithDialogFace(static_cast<const std::uint8_t*>(data),
                                    SizeofResource(module, found), u"Microsoft Sans Serif");
        }
    }
    if (scaled.empty()) {
        return DialogBoxParamA(module, name, owner, procedure, parameter);
    }
    // The copy starts on the heap's boundary, as a template must.
    return DialogBoxIndirectParamA(module, reinterpret_cast<LPCDLGTEMPLATEA>(scaled.data()), owner,
                                   procedure, parameter);
}
