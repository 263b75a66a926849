// StringPool: terminated texts one after another in one growing block, known by offset.
#pragma once

#include <cstdint>

#include "text/memory_block.h"

class StringPool {
public:
    // Frees any block held, allocates `size` bytes and empties the pool. False, holding no
    // block, when the system refuses or the size is 0.
    bool Init(std::uint32_t size, std::uint32_t growth);

    // Stores `head` followed by `tail` and a terminator; returns the offset of the copy, or
    // -1 when there is no block or it would have to grow and cannot. The block grows by as
    // many steps of `growth` bytes as the text needs, letting it move.
    std::int64_t Add(const char* head, const char* tail = "");

    // Forgets every text; the block stays.
    void Clear() { usedBytes_ = 0; }

    // Frees the block; capacity and use become 0.
    void Release();

    // The text stored at `offset`, which Add returned since the last Clear.
    const char* At(std::uint32_t offset) const { return storage_.Data() + offset; }

    std::uint32_t UsedBytes() const { return usedBytes_; }
    std::uint32_t Capacity() const { return capacity_; }
    std::uint32_t Growth() const { return growth_; }

private:
    std::uint32_t usedBytes_ = 0;
    std::uint32_t capacity_ = 0;
    std::uint32_t growth_ = 0;
    MemoryBlock storage_;
};
