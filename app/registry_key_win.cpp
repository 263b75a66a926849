// RegistryKey: registry values through advapi32, read with their types and sizes checked.
#include "app/registry_key.h"

#include <cstring>
#include <string>

#include "print/text_helpers.h"

bool RegistryKey::Create(HKEY root, const char* path) {
    Close();
    HKEY key = nullptr;
    LONG result = RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS) {
        return false;
    }
    key_ = key;
    return true;
}

bool RegistryKey::Open(HKEY root, const char* path) {
    Close();
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    key_ = key;
    return true;
}

bool RegistryKey::ReadString(const char* name, char* buffer, DWORD size,
                             const char* fallback) const {
    if (size == 0) {
        return false;
    }
    // The query may fill the buffer before it is refused, and the fallback may be the buffer.
    std::string kept(fallback);
    DWORD type = REG_NONE;
    DWORD length = size;
    LONG result = key_ == nullptr ? ERROR_INVALID_HANDLE
                                  : RegQueryValueExA(key_, name, nullptr, &type,
                                                     reinterpret_cast<BYTE*>(buffer), &length);
    // The system does not promise a terminator: a text stored without one comes back
    // without it, unless the buffer happens to have room for the one it then appends.
    bool read = result == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ) &&
                length <= size && std::memchr(buffer, '\0', length) != nullptr;
    if (!read) {
        CopyBounded(buffer, size, kept.c_str());
    }
    return read;
}

bool RegistryKey::ReadDword(const char* name, DWORD* target, DWORD fallback) const {
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD length = sizeof value;
    LONG result = key_ == nullptr ? ERROR_INVALID_HANDLE
                                  : RegQueryValueExA(key_, name, nullptr, &type,
                                                     reinterpret_cast<BYTE*>(&value), &length);
    bool read = result == ERROR_SUCCESS && type == REG_DWORD && length == sizeof value;
    *target = read ? value : fallback;
    return read;
}

bool RegistryKey::ReadByte(const char* name, BYTE* target) const {
    DWORD type = REG_NONE;
    BYTE value = 0;
    DWORD length = sizeof value;
    LONG result = key_ == nullptr ? ERROR_INVALID_HANDLE
                                  : RegQueryValueExA(key_, name, nullptr, &type, &value, &length);
    if (result != ERROR_SUCCESS || type != REG_BINARY || length != sizeof value) {
        return false;
    }
    *target = value;
    return true;
}

bool RegistryKey::ReadFlag(const char* name, bool* target, bool fallback) const {
    BYTE value = 0;
    if (ReadByte(name, &value)) {
        *target = value != 0;
        return true;
    }
    bool missing = key_ == nullptr || RegQueryValueExA(key_, name, nullptr, nullptr, nullptr,
                                                       nullptr) == ERROR_FILE_NOT_FOUND;
    *target = missing ? fallback : false;
    return false;
}

bool RegistryKey::WriteString(const char* name, const char* text) const {
    DWORD length = static_cast<DWORD>(std::strlen(text) + 1);
    return key_ != nullptr &&
           RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), length) ==
               ERROR_SUCCESS;
}

bool RegistryKey::WriteDword(const char* name, DWORD value) const {
    return key_ != nullptr &&
           RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof value) == ERROR_SUCCESS;
}

bool RegistryKey::WriteByte(const char* name, BYTE value) const {
    return key_ != nullptr &&
           RegSetValueExA(key_, name, 0, REG_BINARY, &value, sizeof value) == ERROR_SUCCESS;
}

void RegistryKey::Close() {
    if (key_ != nullptr) {
        RegCloseKey(key_);
        key_ = nullptr;
    }
}
