// Tests of RegistryKey on the registry of the test's Wine prefix.
#include "app/registry_key.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {
constexpr char kTestKey[] = "Software\\Quillmar tests\\RegistryKey";

class RegistryKeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Quillmar tests");
        ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kTestKey));
    }
    void TearDown() override {
        key.Close();
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Quillmar tests");
    }

    // Stores `size` bytes of `data` as they are: no terminator is added.
    void Store(const char* name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(RegSetValueExA(key.Handle(), name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
    }

    std::string ReadText(const char* name, DWORD size, bool* read) {
        char buffer[300];
        std::memset(buffer, '#', sizeof buffer);
        *read = key.ReadString(name, buffer, size, "fallback");
        EXPECT_EQ(buffer[size], '#') << name;  // nothing past the size
        return std::string(buffer, ::strnlen(buffer, size));
    }

    RegistryKey key;
};
}  // namespace

TEST_F(RegistryKeyTest, CreateMakesMissingKeysAndOpenNeedsThem) {
    RegistryKey other;
    EXPECT_FALSE(other.Open(HKEY_CURRENT_USER, "Software\\Quillmar tests\\Missing"));
    EXPECT_FALSE(other.IsOpen());
    EXPECT_TRUE(other.Open(HKEY_CURRENT_USER, kTestKey));
    EXPECT_TRUE(other.Create(HKEY_CURRENT_USER, "Software\\Quillmar tests\\A\\B"));
    EXPECT_TRUE(other.Open(HKEY_CURRENT_USER, "Software\\Quillmar tests\\A\\B"));
}

TEST_F(RegistryKeyTest, ClosingReleasesTheHandle) {
    HKEY handle = nullptr;
    {
        RegistryKey scoped;
        ASSERT_TRUE(scoped.Open(HKEY_CURRENT_USER, kTestKey));
        handle = scoped.Handle();
        DWORD size = 0;
        EXPECT_EQ(RegQueryInfoKeyA(handle, nullptr, nullptr, nullptr, &size, nullptr, nullptr,
                                   nullptr, nullptr, nullptr, nullptr, nullptr),
                  ERROR_SUCCESS);
    }
    DWORD size = 0;
    EXPECT_EQ(RegQueryInfoKeyA(handle, nullptr, nullptr, nullptr, &size, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr, nullptr),
              ERROR_INVALID_HANDLE);
    key.Close();
    EXPECT_FALSE(key.IsOpen());
    char buffer[8];
    EXPECT_FALSE(key.ReadString("x", buffer, sizeof buffer, "f"));
    EXPECT_STREQ(buffer, "f");
}

TEST_F(RegistryKeyTest, ReadStringTakesTerminatedTexts) {
    Store("sz", REG_SZ, "Arial", 6);
    Store("expand", REG_EXPAND_SZ, "%TEMP%", 7);
    Store("fits", REG_SZ, "1234567", 8);
    bool read = false;
    EXPECT_EQ(ReadText("sz", 32, &read), "Arial");
    EXPECT_TRUE(read);
    EXPECT_EQ(ReadText("expand", 32, &read), "%TEMP%");  // as stored, not expanded
    EXPECT_TRUE(read);
    EXPECT_EQ(ReadText("fits", 8, &read), "1234567");
    EXPECT_TRUE(read);
}

TEST_F(RegistryKeyTest, ReadStringCountsAnythingElseAsMissing) {
    Store("long", REG_SZ, "1234567890", 11);    // needs 11 bytes
    Store("bare", REG_SZ, "Arial#####", 5);     // no terminator
    Store("empty", REG_SZ, "", 0);              // no terminator either
    Store("binary", REG_BINARY, "Arial", 6);    // another type
    Store("multi", REG_MULTI_SZ, "a\0b\0", 5);  // another type
    DWORD number = 5;
    Store("dword", REG_DWORD, &number, sizeof number);
    for (const char* name : {"long", "bare", "empty", "binary", "multi", "dword", "missing"}) {
        bool read = true;
        EXPECT_EQ(ReadText(name, 10, &read), "fallback") << name;
        EXPECT_FALSE(read) << name;
    }
    bool read = true;
    EXPECT_EQ(ReadText("bare", 32, &read), "fallback");  // even with room for a terminator
}

TEST_F(RegistryKeyTest, TheFallbackIsCutToTheBufferAndMayBeTheBuffer) {
    bool read = true;
    EXPECT_EQ(ReadText("missing", 4, &read), "fal");
    char buffer[16] = "previous";
    Store("long", REG_SZ, "a text far too long", 20);
    EXPECT_FALSE(key.ReadString("long", buffer, sizeof buffer, buffer));
    EXPECT_STREQ(buffer, "previous");
}

TEST_F(RegistryKeyTest, ReadDwordTakesFourBytesOfRegDword) {
    DWORD value = 640;
    Store("good", REG_DWORD, &value, 4);
    Store("short", REG_DWORD, &value, 2);
    unsigned long long wide = 640;
    Store("wide", REG_DWORD, &wide, 8);
    Store("binary", REG_BINARY, &value, 4);
    Store("text", REG_SZ, "640", 4);
    DWORD target = 0;
    EXPECT_TRUE(key.ReadDword("good", &target, 7));
    EXPECT_EQ(target, 640u);
    for (const char* name : {"short", "wide", "binary", "text", "missing"}) {
        EXPECT_FALSE(key.ReadDword(name, &target, 7)) << name;
        EXPECT_EQ(target, 7u) << name;
    }
}

TEST_F(RegistryKeyTest, ReadFlagTakesOneByteOfRegBinary) {
    Store("on", REG_BINARY, "\x05", 1);
    Store("off", REG_BINARY, "\x00", 1);
    Store("two", REG_BINARY, "\x01\x01", 2);
    DWORD one = 1;
    Store("dword", REG_DWORD, &one, 4);
    Store("text", REG_SZ, "1", 1);
    bool flag = false;
    EXPECT_TRUE(key.ReadFlag("on", &flag, false));
    EXPECT_TRUE(flag);
    EXPECT_TRUE(key.ReadFlag("off", &flag, true));
    EXPECT_FALSE(flag);
    for (const char* name : {"two", "dword", "text"}) {
        flag = true;
        EXPECT_FALSE(key.ReadFlag(name, &flag, true)) << name;
        EXPECT_FALSE(flag) << name;  // stored, but not as a flag: false
    }
    EXPECT_FALSE(key.ReadFlag("missing", &flag, true));
    EXPECT_TRUE(flag);  // missing: the fallback
    BYTE byte = 9;
    EXPECT_FALSE(key.ReadByte("two", &byte));
    EXPECT_EQ(byte, 9);
}

TEST_F(RegistryKeyTest, WritesStoreTypesAndSizes) {
    ASSERT_TRUE(key.WriteString("text", " 0.5"));
    ASSERT_TRUE(key.WriteDword("number", 0xFFFFFFFFu));
    ASSERT_TRUE(key.WriteByte("byte", 1));
    const struct {
        const char* name;
        DWORD type;
        DWORD size;
    } expected[] = {{"text", REG_SZ, 5}, {"number", REG_DWORD, 4}, {"byte", REG_BINARY, 1}};
    for (const auto& e : expected) {
        DWORD type = 0;
        DWORD size = 0;
        ASSERT_EQ(RegQueryValueExA(key.Handle(), e.name, nullptr, &type, nullptr, &size),
                  ERROR_SUCCESS);
        EXPECT_EQ(type, e.type) << e.name;
        EXPECT_EQ(size, e.size) << e.name;
    }
}
