// MemoryBlock: one owned, fixed block of memory from the system's allocator.
#pragma once

#include <cstddef>

class MemoryBlock {
public:
    MemoryBlock() = default;
    ~MemoryBlock() { Release(); }
    MemoryBlock(const MemoryBlock&) = delete;
    MemoryBlock& operator=(const MemoryBlock&) = delete;

    // Replaces any block held by a new one of `size` bytes, zero-filled when `zeroFill`.
    // Returns false, holding no block, when the system refuses; a size of 0 is refused too.
    bool Allocate(std::size_t size, bool zeroFill);

    // Resizes the block to `newSize` bytes, letting it move; the added part is zero-filled
    // when `zeroFill`. Returns false and keeps the block as it was when the system refuses.
    bool Resize(std::size_t newSize, bool zeroFill);

    // Frees the block; safe to call when none is held.
    void Release();

    char* Data() const { return data_; }
    std::size_t Size() const { return size_; }
    bool Empty() const { return data_ == nullptr; }

private:
    char* data_ = nullptr;
    std::size_t size_ = 0;
};
