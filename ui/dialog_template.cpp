// DialogTemplate: walking a template's header up to its font face, and the copy around a new
// face.
#include "ui/dialog_template.h"

namespace {

constexpr std::uint32_t kSetFont = 0x40;  // DS_SETFONT
constexpr std::uint16_t kExtendedSignature = 0xFFFF;

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Word(std::uint16_t* value) {
        if (offset_ > size_ || size_ - offset_ < 2) {
            return false;
        }
        *value = static_cast<std::uint16_t>(data_[offset_] | (data_[offset_ + 1] << 8));
        offset_ += 2;
        return true;
    }
    bool Dword(std::uint32_t* value) {
        std::uint16_t low = 0;
        std::uint16_t high = 0;
        if (!Word(&low) || !Word(&high)) {
            return false;
        }
        *value = low | (static_cast<std::uint32_t>(high) << 16);
        return true;
    }
    bool Skip(std::size_t bytes) {
        if (size_ - offset_ < bytes) {
            return false;
        }
        offset_ += bytes;
        return true;
    }
    // A terminated UTF-16 string.
    bool String() {
        std::uint16_t unit = 0;
        do {
            if (!Word(&unit)) {
                return false;
            }
        } while (unit != 0);
        return true;
    }
    // A menu or class field: none (0), an ordinal (0xFFFF and a number) or a string.
    bool NameOrOrdinal() {
        std::uint16_t first = 0;
        if (!Word(&first)) {
            return false;
        }
        if (first == 0) {
            return true;
        }
        if (first == 0xFFFF) {
            return Skip(2);
        }
        std::uint16_t unit = first;
        while (unit != 0) {
            if (!Word(&unit)) {
                return false;
            }
        }
        return true;
    }
    std::size_t Offset() const { return offset_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
};

std::size_t Aligned(std::size_t offset) {
    return (offset + 3) & ~static_cast<std::size_t>(3);
}

}  // namespace

std::vector<std::uint8_t> WithDialogFace(const std::uint8_t* data, std::size_t size,
                                         const char16_t* face) {
    if (data == nullptr || face == nullptr) {
        return {};
    }
    Reader reader(data, size);
    std::uint16_t version = 0;
    std::uint16_t signature = 0;
    if (!reader.Word(&version) || !reader.Word(&signature)) {
        return {};
    }
    const bool extended = version == 1 && signature == kExtendedSignature;
    std::uint32_t style = 0;
    if (extended) {
        // helpID, extended style, style, item count, x, y, cx, cy.
        std::uint32_t ignored = 0;
        if (!reader.Dword(&ignored) || !reader.Dword(&ignored) || !reader.Dword(&style) ||
            !reader.Skip(10)) {
            return {};
        }
    } else {
        // The style was the first two words; extended style, item count, x, y, cx, cy.
        style = version | (static_cast<std::uint32_t>(signature) << 16);
        if (!reader.Skip(14)) {
            return {};
        }
    }
    if ((style & kSetFont) == 0) {
        return {};
    }
    // Menu, class, title, then the point size (and weight, italic and character set).
    if (!reader.NameOrOrdinal() || !reader.NameOrOrdinal() || !reader.String() ||
        !reader.Skip(extended ? 6 : 2)) {
        return {};
    }
    const std::size_t faceStart = reader.Offset();
    if (!reader.String()) {
        return {};
    }
    const std::size_t itemsStart = Aligned(reader.Offset());
    if (itemsStart > size) {
        return {};
    }

    std::vector<std::uint8_t> copy(data, data + faceStart);
    for (const char16_t* unit = face;; ++unit) {
        copy.push_back(static_cast<std::uint8_t>(*unit & 0xFF));
        copy.push_back(static_cast<std::uint8_t>(*unit >> 8));
        if (*unit == 0) {
            break;
        }
    }
    copy.resize(Aligned(copy.size()), 0);
    copy.insert(copy.end(), data + itemsStart, data + size);
    return copy;
}
