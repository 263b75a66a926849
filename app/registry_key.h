// RegistryKey: one open registry key, closed when its holder ends or is closed.
#pragma once

#include <windows.h>

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { Close(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Opens `path` under `root` with full access, creating the keys that are missing
    // (non-volatile, default security). False when the system refuses.
    bool Create(HKEY root, const char* path);

    // Opens an existing key for reading. False when it does not exist or is refused.
    bool Open(HKEY root, const char* path);

    // Reads text value `name` into `buffer` of `size` bytes. Only REG_SZ and REG_EXPAND_SZ
    // data that holds its terminator within `size` bytes is read (as stored; nothing is
    // expanded). Anything else counts as missing: no such value, another type, a text too
    // long, or data without a terminator; then `fallback` is copied, cut to size - 1
    // characters. Either way the buffer ends up terminated (for a size above 0); `fallback`
    // may be the buffer itself. True when the value was read.
    bool ReadString(const char* name, char* buffer, DWORD size, const char* fallback) const;

    // Reads REG_DWORD value `name` of exactly 4 bytes; otherwise stores `fallback`.
    bool ReadDword(const char* name, DWORD* target, DWORD fallback) const;

    // Reads REG_BINARY value `name` of exactly one byte; otherwise leaves `target` alone.
    bool ReadByte(const char* name, BYTE* target) const;

    // A flag stored as one byte of REG_BINARY: true when the byte is not 0. A missing value
    // gives `fallback`; a value stored in any other form reads as false. True when read.
    bool ReadFlag(const char* name, bool* target, bool fallback) const;

    // Writes `text` as REG_SZ with its terminator counted in the length.
    bool WriteString(const char* name, const char* text) const;
    bool WriteDword(const char* name, DWORD value) const;
    bool WriteByte(const char* name, BYTE value) const;

    // Closes the key; safe to call when none is open.
    void Close();

    bool IsOpen() const { return key_ != nullptr; }
    HKEY Handle() const { return key_; }

private:
    HKEY key_ = nullptr;
};
