#include "pixel_store.h"

#include <algorithm>
#include <new>

#include <sys/mman.h>

namespace layer::gdiplus {

namespace {

constexpr std::size_t huge_page = std::size_t{2} << 20;

} // namespace

void PixelStore::allocate(std::size_t count) {
    release();
    if (count > SIZE_MAX / sizeof(std::uint32_t) - huge_page) throw std::bad_alloc();
    const std::size_t bytes = count * sizeof(std::uint32_t);
    if (bytes < huge_page) {
        pixels_ = new std::uint32_t[count == 0 ? 1 : count];
        count_ = count;
        return;
    }
    // One huge page more than needed, so that the pixels can start on a huge-page boundary.
    const std::size_t mapped = bytes + huge_page;
    void* mapping = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) throw std::bad_alloc();
    const auto address = reinterpret_cast<std::uintptr_t>(mapping);
    const std::uintptr_t aligned = (address + huge_page - 1) & ~(huge_page - 1);
    madvise(reinterpret_cast<void*>(aligned), bytes, MADV_HUGEPAGE); // a hint: fine if refused
    mapping_ = mapping;
    mapping_bytes_ = mapped;
    pixels_ = reinterpret_cast<std::uint32_t*>(aligned);
    count_ = count;
}

void PixelStore::assign(std::size_t count, std::uint32_t value) {
    allocate(count);
    std::fill_n(pixels_, count, value);
}

void PixelStore::release() {
    if (mapping_) munmap(mapping_, mapping_bytes_);
    else delete[] pixels_;
    pixels_ = nullptr;
    count_ = 0;
    mapping_ = nullptr;
    mapping_bytes_ = 0;
}

} // namespace layer::gdiplus
