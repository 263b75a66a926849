// MemoryBlock on the Win32 global allocator: the block it releases is really freed.
#include "text/memory_block.h"

#include <windows.h>

#include <gtest/gtest.h>

TEST(MemoryBlockWin, ReleaseFreesTheGlobalBlock) {
    MemoryBlock block;
    ASSERT_TRUE(block.Allocate(1000, true));
    void* data = block.Data();
    EXPECT_GE(GlobalSize(data), 1000u);
    block.Release();
    SetLastError(0);
    EXPECT_EQ(GlobalSize(data), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(MemoryBlockWin, DestructionFreesTheGlobalBlock) {
    void* data = nullptr;
    {
        MemoryBlock block;
        ASSERT_TRUE(block.Resize(64, true));
        data = block.Data();
        EXPECT_GE(GlobalSize(data), 64u);
    }
    EXPECT_EQ(GlobalSize(data), 0u);
}
