// Bounds-checked little-endian reads from a byte span: reads past the end give 0 and mark the
// reader as overrun, so a truncated header is noticed once instead of at every field.
#pragma once

#include <cstddef>
#include <cstdint>

#include "raster.h"

namespace layer::gdiplus {

class ByteReader {
public:
    explicit ByteReader(Bytes bytes, std::size_t position = 0) : bytes_(bytes), position_(position) {}

    std::uint8_t u8() { return static_cast<std::uint8_t>(take(1)); }
    std::uint16_t u16() { return static_cast<std::uint16_t>(take(2)); }
    std::uint32_t u32() { return static_cast<std::uint32_t>(take(4)); }
    std::int32_t s32() { return static_cast<std::int32_t>(u32()); }
    void skip(std::size_t count) {
        if (count > remaining()) overrun_ = true;
        position_ = overrun_ ? bytes_.size() : position_ + count;
    }

    std::size_t position() const { return position_; }
    std::size_t remaining() const { return position_ < bytes_.size() ? bytes_.size() - position_ : 0; }
    bool overrun() const { return overrun_; }

private:
    std::uint64_t take(std::size_t count) {
        if (count > remaining()) {
            overrun_ = true;
            position_ = bytes_.size();
            return 0;
        }
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < count; ++i) value |= std::uint64_t{bytes_[position_ + i]} << (8 * i);
        position_ += count;
        return value;
    }

    Bytes bytes_;
    std::size_t position_;
    bool overrun_ = false;
};

} // namespace layer::gdiplus
