// Tests of RegistryKey on the registry of the test's Wine prefix. The checks of every
// settings value are in settings_store_win_test.cpp.
#include "app/registry_key.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {
constexpr char kTestKey[] = "Software\\Quillmar tests";

class RegistryKeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
        ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kTestKey));
    }
    void TearDown() override {
        key.Close();
        RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
    }
    // Stores `size` bytes as they are; "#" follows them, so no terminator is counted in.
    void Store(const char* name, DWORD type, const char* data, DWORD size) {
        ASSERT_EQ(
            RegSetValueExA(key.Handle(), name, 0, type, reinterpret_cast<const BYTE*>(data), size),
            ERROR_SUCCESS);
    }
    // Reads into a buffer of `size` bytes and checks that nothing past it was written.
    std::string Read(const char* name, DWORD size, bool* read) {
        char buffer[64];
        std::memset(buffer, '#', sizeof buffer);
        *read = key.ReadString(name, buffer, size, "fallback");
        EXPECT_EQ(buffer[size], '#') << name;
        return std::string(buffer, ::strnlen(buffer, size));
    }

    RegistryKey key;
};
}  // namespace

TEST_F(RegistryKeyTest, ReadStringTakesTerminatedTextsThatFit) {
    Store("sz", REG_SZ, "1234567", 8);
    Store("expand", REG_EXPAND_SZ, "%TEMP%", 7);
    bool read = false;
    EXPECT_EQ(Read("sz", 8, &read), "1234567");
    EXPECT_TRUE(read);
    EXPECT_EQ(Read("expand", 10, &read), "%TEMP%");  // as stored, not expanded
    EXPECT_TRUE(read);
}

TEST_F(RegistryKeyTest, ReadStringTakesTheFallbackForAnythingElse) {
    Store("long", REG_SZ, "123456789", 10);
    Store("bare", REG_SZ, "Arial#", 5);
    Store("binary", REG_BINARY, "Arial", 6);
    Store("multi", REG_MULTI_SZ, "a\0b\0", 5);
    for (const char* name : {"long", "bare", "binary", "multi", "missing"}) {
        bool read = true;
        EXPECT_EQ(Read(name, 9, &read), "fallback") << name;
        EXPECT_FALSE(read) << name;
    }
    bool read = true;
    EXPECT_EQ(Read("bare", 32, &read), "fallback");  // even when the system adds a terminator
    EXPECT_EQ(Read("missing", 4, &read), "fal");     // the fallback cut to fit
    char buffer[8] = "before";
    EXPECT_FALSE(key.ReadString("long", buffer, sizeof buffer, buffer));
    EXPECT_STREQ(buffer, "before");  // the fallback may be the buffer the query wrote into
}

TEST_F(RegistryKeyTest, FlagsAreOneByteOfBinaryAndMissingOnesTakeTheFallback) {
    Store("on", REG_BINARY, "\x05", 1);
    Store("two", REG_BINARY, "\x01\x01", 2);
    Store("dword", REG_DWORD, "\x01\x00\x00\x00", 4);
    bool flag = false;
    EXPECT_TRUE(key.ReadFlag("on", &flag, false));
    EXPECT_TRUE(flag);
    for (const char* name : {"two", "dword"}) {
        EXPECT_FALSE(key.ReadFlag(name, &flag, true)) << name;
        EXPECT_FALSE(flag) << name;
    }
    EXPECT_FALSE(key.ReadFlag("missing", &flag, true));
    EXPECT_TRUE(flag);
    DWORD number = 0;
    EXPECT_FALSE(key.ReadDword("two", &number, 7));
    EXPECT_EQ(number, 7u);
}

TEST_F(RegistryKeyTest, ClosingReleasesTheHandle) {
    HKEY handle = nullptr;
    {
        RegistryKey scoped;
        ASSERT_TRUE(scoped.Open(HKEY_CURRENT_USER, kTestKey));
        handle = scoped.Handle();
        EXPECT_EQ(RegFlushKey(handle), ERROR_SUCCESS);
    }
    EXPECT_EQ(RegFlushKey(handle), ERROR_INVALID_HANDLE);
    RegistryKey missing;
    EXPECT_FALSE(missing.Open(HKEY_CURRENT_USER, "Software\\Quillmar tests\\Missing"));
    EXPECT_FALSE(missing.IsOpen());
}
