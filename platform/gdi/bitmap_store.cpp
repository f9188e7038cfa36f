#include "bitmap_store.h"

#include "color.h"
#include "dib_format.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

namespace layer::gdi {

namespace {

// Only whole pages inside the block are advised.
void madvise_huge(void* block, std::size_t bytes) {
    const std::uintptr_t page = 4096;
    const std::uintptr_t start = (reinterpret_cast<std::uintptr_t>(block) + page - 1) & ~(page - 1);
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(block) + bytes) & ~(page - 1);
    if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}

// Larger surfaces are refused rather than attempted.
constexpr long long max_bitmap_bytes = 1LL << 31;

// Zeroed pixel memory. Large blocks ask for huge pages, which halves the cost of first touching
// a big surface.
PixelStorage zeroed(std::size_t bytes) {
    void* block = std::calloc(bytes == 0 ? 1 : bytes, 1);
    if (block && bytes >= (std::size_t{4} << 20)) madvise_huge(block, bytes);
    return PixelStorage(static_cast<std::uint8_t*>(block));
}

const std::vector<std::uint32_t>& device_table(int bits) {
    static const auto* mono = new std::vector<std::uint32_t>(default_color_table(1));
    static const auto* sixteen = new std::vector<std::uint32_t>(default_color_table(4));
    static const auto* full = new std::vector<std::uint32_t>(default_color_table(8));
    return bits == 1 ? *mono : bits == 4 ? *sixteen : *full;
}

} // namespace

std::ptrdiff_t padded_row_bytes(long long width, int bits, int align) {
    const long long bits_total = width * bits;
    const long long align_bits = 8LL * align;
    const long long bytes = (bits_total + align_bits - 1) / align_bits * align;
    if (bytes > std::numeric_limits<int>::max()) return -1;
    return static_cast<std::ptrdiff_t>(bytes);
}

PixelView Bitmap::view() const {
    PixelView v;
    layout_for_bits(bits, v.layout);
    v.width = width;
    v.height = height;
    if (dib && !top_down) {
        v.top = storage.get() + row_bytes * (height - 1);
        v.stride = -row_bytes;
    } else {
        v.top = storage.get();
        v.stride = row_bytes;
    }
    if (bits <= 8) {
        const std::vector<std::uint32_t>& table = dib ? color_table : device_table(bits);
        v.palette = table.data();
        v.palette_size = static_cast<int>(table.size());
        v.monochrome = !dib && bits == 1;
    }
    return v;
}

std::unique_ptr<Bitmap> make_device_bitmap(int width, int height, int bits) {
    const std::ptrdiff_t row = padded_row_bytes(width, bits, 2);
    if (width <= 0 || height <= 0 || row < 0 || static_cast<long long>(row) * height > max_bitmap_bytes)
        return nullptr;
    auto b = std::make_unique<Bitmap>();
    b->width = width;
    b->height = height;
    b->bits = bits;
    b->row_bytes = row;
    b->storage = zeroed(static_cast<std::size_t>(row) * static_cast<std::size_t>(height));
    if (!b->storage) return nullptr;
    return b;
}

std::unique_ptr<Bitmap> make_dib_section(const BITMAPINFO& info, UINT usage,
                                         const std::vector<PALETTEENTRY>& palette) {
    const BITMAPINFOHEADER& h = info.bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biPlanes != 1 || h.biWidth <= 0 || h.biHeight == 0 ||
        h.biHeight == std::numeric_limits<LONG>::min())
        return nullptr;
    if (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS) return nullptr;
    PixelLayout layout;
    if (!layout_for_bits(h.biBitCount, layout)) return nullptr;
    if (h.biCompression == BI_BITFIELDS) {
        // Only the masks that describe the plain layouts are taken.
        const auto* masks = reinterpret_cast<const DWORD*>(info.bmiColors);
        const bool standard32 = h.biBitCount == 32 && masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF;
        const bool standard16 = h.biBitCount == 16 && masks[0] == 0x7C00 && masks[1] == 0x3E0 && masks[2] == 0x1F;
        if (!standard32 && !standard16) return nullptr;
    } else if (h.biCompression != BI_RGB) {
        return nullptr;
    }
    const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    const std::ptrdiff_t row = padded_row_bytes(h.biWidth, h.biBitCount, 4);
    if (row < 0 || static_cast<long long>(row) * height > max_bitmap_bytes) return nullptr;

    auto b = std::make_unique<Bitmap>();
    b->dib = true;
    b->width = h.biWidth;
    b->height = height;
    b->bits = h.biBitCount;
    b->top_down = h.biHeight < 0;
    b->row_bytes = row;
    b->color_table = read_color_table(info, usage, palette);
    b->storage = zeroed(static_cast<std::size_t>(row) * static_cast<std::size_t>(height));
    if (!b->storage) return nullptr;

    b->dib_header = h;
    b->dib_header.biSize = sizeof(BITMAPINFOHEADER);
    b->dib_header.biHeight = height; // reported positive whatever the row order
    b->dib_header.biSizeImage = static_cast<DWORD>(row * height);
    return b;
}

} // namespace layer::gdi
