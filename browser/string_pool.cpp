// StringPool: texts in one growing block.
#include "browser/string_pool.h"

#include <cstring>

bool StringPool::Init(std::uint32_t size, std::uint32_t growth) {
    Release();
    if (!storage_.Allocate(size, false)) {
        return false;
    }
    capacity_ = size;
    growth_ = growth;
    return true;
}

std::int64_t StringPool::Add(const char* head, const char* tail) {
    std::size_t headLength = std::strlen(head);
    std::size_t tailLength = std::strlen(tail);
    std::uint64_t needed = std::uint64_t{usedBytes_} + headLength + tailLength + 1;
    if (storage_.Empty()) {
        return -1;
    }
    if (needed > capacity_) {
        if (growth_ == 0) {
            return -1;
        }
        std::uint64_t steps = (needed - capacity_ + growth_ - 1) / growth_;
        std::uint64_t capacity = capacity_ + steps * growth_;
        if (capacity > 0xFFFFFFFFu || !storage_.Resize(capacity, false)) {
            return -1;
        }
        capacity_ = static_cast<std::uint32_t>(capacity);
    }
    char* copy = storage_.Data() + usedBytes_;
    std::memcpy(copy, head, headLength);
    std::memcpy(copy + headLength, tail, tailLength);
    copy[headLength + tailLength] = '\0';
    std::int64_t offset = usedBytes_;
    usedBytes_ = static_cast<std::uint32_t>(needed);
    return offset;
}

void StringPool::Release() {
    storage_.Release();
    usedBytes_ = 0;
    capacity_ = 0;
}
