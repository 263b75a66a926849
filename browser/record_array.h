// RecordArray: fixed-size records in one zero-filled block that grows by a fixed step.
#pragma once

#include <cstdint>

#include "text/memory_block.h"

class RecordArray {
public:
    // Frees any block held and allocates room for `capacity` records of `recordSize` bytes,
    // zero-filled. False, holding no block, when the system refuses or a size is 0 or too
    // large for 32 bits.
    bool Init(std::uint32_t capacity, std::uint32_t growth, std::uint32_t recordSize);

    // Makes room for `growth` records more, letting the block move and zero-filling the new
    // part. False, with block and capacity as they were, when the system refuses, there is
    // no block, the growth is 0 or the size would pass 32 bits.
    bool Grow();

    // Frees the block; the capacity becomes 0.
    void Release();

    std::uint32_t Capacity() const { return capacity_; }
    std::uint32_t Growth() const { return growth_; }
    std::uint32_t RecordSize() const { return recordSize_; }
    // The first record; null without a block. Taken again after every Grow.
    char* Data() const { return storage_.Data(); }

private:
    std::uint32_t capacity_ = 0;
    std::uint32_t growth_ = 0;
    std::uint32_t recordSize_ = 0;
    MemoryBlock storage_;
};
