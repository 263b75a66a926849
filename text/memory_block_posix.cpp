// MemoryBlock on the C allocator, for the native build of the core.
#include "text/memory_block.h"

#include <cstdlib>
#include <cstring>

bool MemoryBlock::Allocate(std::size_t size, bool zeroFill) {
    Release();
    if (size == 0) {
        return false;
    }
    void* block = zeroFill ? std::calloc(size, 1) : std::malloc(size);
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
    void* block = std::realloc(data_, newSize);
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
    std::free(data_);
    data_ = nullptr;
    size_ = 0;
}
