// Tests of MemoryBlock, the owner of one block from the system's allocator.
#include "text/memory_block.h"

#include <gtest/gtest.h>

#include <string>

TEST(MemoryBlock, AllocatesZeroFilled) {
    MemoryBlock block;
    EXPECT_TRUE(block.Empty());
    ASSERT_TRUE(block.Allocate(4096, true));
    EXPECT_EQ(block.Size(), 4096u);
    for (std::size_t i = 0; i < block.Size(); ++i) {
        ASSERT_EQ(block.Data()[i], 0) << "at " << i;
    }
}

TEST(MemoryBlock, RefusesAnEmptySize) {
    MemoryBlock block;
    ASSERT_TRUE(block.Allocate(16, true));
    EXPECT_FALSE(block.Allocate(0, true));
    EXPECT_TRUE(block.Empty());
    EXPECT_EQ(block.Size(), 0u);
}

TEST(MemoryBlock, ResizeKeepsTheContentAndZeroFillsTheAddedPart) {
    MemoryBlock block;
    ASSERT_TRUE(block.Allocate(8, false));
    for (int i = 0; i < 8; ++i) {
        block.Data()[i] = static_cast<char>('a' + i);
    }
    ASSERT_TRUE(block.Resize(1 << 20, true));
    EXPECT_EQ(block.Size(), 1u << 20);
    EXPECT_EQ(std::string(block.Data(), 8), "abcdefgh");
    for (std::size_t i = 8; i < block.Size(); ++i) {
        ASSERT_EQ(block.Data()[i], 0) << "at " << i;
    }
    EXPECT_FALSE(block.Resize(0, true));
    EXPECT_EQ(block.Size(), 1u << 20);
}

TEST(MemoryBlock, ResizeOfNoBlockAllocates) {
    MemoryBlock block;
    ASSERT_TRUE(block.Resize(32, true));
    EXPECT_EQ(block.Size(), 32u);
    EXPECT_EQ(block.Data()[31], 0);
}

TEST(MemoryBlock, ReleaseEmptiesTheHolderAndMayBeRepeated) {
    // Under the sanitizers of the native build, a block that Release did not free is
    // reported as a leak and fails the run.
    MemoryBlock block;
    ASSERT_TRUE(block.Allocate(100, true));
    block.Release();
    EXPECT_TRUE(block.Empty());
    EXPECT_EQ(block.Size(), 0u);
    block.Release();
    EXPECT_TRUE(block.Empty());
}
