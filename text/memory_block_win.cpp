// MemoryBlock on the Win32 global allocator (fixed blocks).
#include "text/memory_block.h"

#include <windows.h>

#include <cstring>

bool MemoryBlock::Allocate(std::size_t size, bool zeroFill) {
    Release();
    if (size == 0) {
        return false;
    }
    void* block = GlobalAlloc(zeroFill ? GPTR : GMEM_FIXED, size);
    if (block == nullptr) {
        return false;
    }
    data_ = static_cast<char*>(block);
    size_ = size;
    return true;
}

bool MemoryBlock::Resize(std::size_t newSize, bool zeroFill) {
    if (data_ == nullptr) {
        return Allocate(newSize, zeroFill);
    }
    if (newSize == 0) {
        return false;
    }
    // A fixed block may move only with GMEM_MOVEABLE given to GlobalReAlloc.
    void* block = GlobalReAlloc(data_, newSize, GMEM_MOVEABLE);
    if (block == nullptr) {
        return false;
    }
    char* bytes = static_cast<char*>(block);
    if (zeroFill && newSize > size_) {
        std::memset(bytes + size_, 0, newSize - size_);
    }
    data_ = bytes;
    size_ = newSize;
    return true;
}

void MemoryBlock::Release() {
    if (data_ != nullptr) {
        GlobalFree(data_);
        data_ = nullptr;
        size_ = 0;
    }
}
