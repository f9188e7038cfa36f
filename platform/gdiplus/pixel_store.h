// Storage for a picture's pixels. Large pictures are placed in memory that the system may back
// with huge pages: touching tens of megabytes of fresh small pages costs more than decoding into
// them, and every picture is decoded into fresh memory.
#pragma once

#include <cstddef>
#include <cstdint>

namespace layer::gdiplus {

class PixelStore {
public:
    PixelStore() = default;
    ~PixelStore() { release(); }
    PixelStore(const PixelStore&) = delete;
    PixelStore& operator=(const PixelStore&) = delete;
    PixelStore(PixelStore&& other) noexcept { take(other); }
    PixelStore& operator=(PixelStore&& other) noexcept {
        if (this != &other) {
            release();
            take(other);
        }
        return *this;
    }

    // count pixels whose values are left to the caller to write; throws std::bad_alloc.
    void allocate(std::size_t count);
    // count pixels, all set to value.
    void assign(std::size_t count, std::uint32_t value);

    std::uint32_t* data() { return pixels_; }
    const std::uint32_t* data() const { return pixels_; }
    std::size_t size() const { return count_; }
    std::uint32_t* begin() { return pixels_; }
    std::uint32_t* end() { return pixels_ + count_; }
    const std::uint32_t* begin() const { return pixels_; }
    const std::uint32_t* end() const { return pixels_ + count_; }
    std::uint32_t& operator[](std::size_t i) { return pixels_[i]; }
    std::uint32_t operator[](std::size_t i) const { return pixels_[i]; }

private:
    void release();
    void take(PixelStore& other) {
        pixels_ = other.pixels_;
        count_ = other.count_;
        mapping_ = other.mapping_;
        mapping_bytes_ = other.mapping_bytes_;
        other.pixels_ = nullptr;
        other.count_ = 0;
        other.mapping_ = nullptr;
        other.mapping_bytes_ = 0;
    }

    std::uint32_t* pixels_ = nullptr;
    std::size_t count_ = 0;
    void* mapping_ = nullptr; // set for large stores, which are mapped; otherwise from new[]
    std::size_t mapping_bytes_ = 0;
};

} // namespace layer::gdiplus
