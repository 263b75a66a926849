// RecordArray: fixed-size records in one growing block.
#include "browser/record_array.h"

namespace {
constexpr std::uint64_t kMaxBytes = 0xFFFFFFFFu;
}

bool RecordArray::Init(std::uint32_t capacity, std::uint32_t growth, std::uint32_t recordSize) {
    Release();
    std::uint64_t bytes = std::uint64_t{capacity} * recordSize;
    if (bytes == 0 || bytes > kMaxBytes || !storage_.Allocate(bytes, true)) {
        return false;
    }
    capacity_ = capacity;
    growth_ = growth;
    recordSize_ = recordSize;
    return true;
}

bool RecordArray::Grow() {
    std::uint64_t capacity = std::uint64_t{capacity_} + growth_;
    std::uint64_t bytes = capacity * recordSize_;
    if (storage_.Empty() || growth_ == 0 || bytes > kMaxBytes || !storage_.Resize(bytes, true)) {
        return false;
    }
    capacity_ = static_cast<std::uint32_t>(capacity);
    return true;
}

void RecordArray::Release() {
    storage_.Release();
    capacity_ = 0;
}
