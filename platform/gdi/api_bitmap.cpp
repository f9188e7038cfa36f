// Bitmaps: device-dependent bitmaps, DIB sections, and reading and writing their pixels as DIBs.
#include "bitmap_store.h"
#include "color.h"
#include "dc_access.h"
#include "dib_format.h"
#include "handle_table.h"
#include "stock_objects.h"

#include <algorithm>
#include <cstring>

using namespace layer::gdi;

namespace {

// The platform rounds odd bit counts up to the next stored depth.
int stored_depth(UINT bits) {
    if (bits <= 1) return 1;
    if (bits <= 4) return 4;
    if (bits <= 8) return 8;
    if (bits <= 16) return 16;
    if (bits <= 24) return 24;
    return 32;
}

HBITMAP add_bitmap(std::unique_ptr<Bitmap> bitmap) {
    if (!bitmap) return nullptr;
    return static_cast<HBITMAP>(add_object(std::move(bitmap)));
}

// The colour table reported for a bitmap read at `bits` per pixel: its own when it has one of
// that size, otherwise the platform's default table.
std::vector<std::uint32_t> table_for(const Bitmap& b, int bits) {
    const PixelView v = b.view();
    if (b.bits == bits && v.palette_size > 0) return {v.palette, v.palette + v.palette_size};
    return default_color_table(bits);
}

void write_color_table(BITMAPINFO& info, const std::vector<std::uint32_t>& table) {
    auto* out = reinterpret_cast<std::uint8_t*>(&info) + info.bmiHeader.biSize;
    for (std::size_t i = 0; i < table.size(); ++i) {
        out[4 * i + 0] = static_cast<std::uint8_t>(table[i]);
        out[4 * i + 1] = static_cast<std::uint8_t>(table[i] >> 8);
        out[4 * i + 2] = static_cast<std::uint8_t>(table[i] >> 16);
        out[4 * i + 3] = 0;
    }
}

// Rows [start, start + lines) counted from the bottom of the bitmap, clamped to it.
int scan_lines(const Bitmap& b, UINT start, UINT lines) {
    if (start >= static_cast<UINT>(b.height)) return 0;
    return static_cast<int>(std::min<UINT>(lines, static_cast<UINT>(b.height) - start));
}

// The bitmap rows behind the caller's rows: the caller's buffer holds `count` rows, in its own
// order, of the scan lines from `start` up.
PixelView bitmap_rows(const Bitmap& b, UINT start, int count) {
    PixelView v = b.view();
    const int top_row = b.height - static_cast<int>(start) - count; // top-down index of the highest row
    v.top = v.row(top_row);
    v.height = count;
    return v;
}

PixelView caller_rows(void* bits, DibFormat f, int count, const std::vector<std::uint32_t>& table) {
    f.height = count;
    return dib_view(bits, f, table);
}

} // namespace

HBITMAP WINAPI CreateBitmap(int width, int height, UINT planes, UINT bits_per_pixel, const void* bits) {
    if (planes != 1 || bits_per_pixel > 32) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    GdiGuard guard(gdi_mutex());
    if (width == 0 || height == 0) return stock_bitmap();
    const int depth = stored_depth(bits_per_pixel);
    auto b = make_device_bitmap(width < 0 ? -width : width, height < 0 ? -height : height, depth);
    if (!b) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (bits) std::memcpy(b->storage.get(), bits, static_cast<std::size_t>(b->row_bytes) * static_cast<std::size_t>(b->height));
    return add_bitmap(std::move(b));
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC dc_handle, int width, int height) {
    GdiGuard guard(gdi_mutex());
    const DeviceContext* dc = find<DeviceContext>(dc_handle);
    if (!dc || width < 0 || height < 0) return nullptr;
    if (width == 0 || height == 0) return stock_bitmap();
    int depth = 32;
    // A memory DC still holding its first bitmap makes monochrome bitmaps, as on the platform.
    if (const Bitmap* current = find<Bitmap>(dc->bitmap); dc->is_memory() && current && current->bits == 1 && !current->dib)
        depth = 1;
    return add_bitmap(make_device_bitmap(width, height, depth));
}

HBITMAP WINAPI CreateDIBSection(HDC dc_handle, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                                DWORD) {
    if (bits) *bits = nullptr;
    // File-mapping sections are not offered by the layer.
    if (!info || section != nullptr) return nullptr;
    GdiGuard guard(gdi_mutex());
    const DeviceContext* dc = find<DeviceContext>(dc_handle);
    const auto& palette = dc ? dc_palette_entries(*dc) : default_palette_entries();
    auto b = make_dib_section(*info, usage, palette);
    if (!b) return nullptr;
    void* pixels = b->storage.get();
    HBITMAP handle = add_bitmap(std::move(b));
    if (handle && bits) *bits = pixels;
    return handle;
}

int WINAPI GetDIBits(HDC dc_handle, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info,
                     UINT usage) {
    GdiGuard guard(gdi_mutex());
    const DeviceContext* dc = find<DeviceContext>(dc_handle);
    if (!dc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const Bitmap* b = find<Bitmap>(bitmap);
    if (!b || !info || (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS)) return 0;
    BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER)) return 0;

    if (!bits && h.biBitCount == 0) {
        // Describe the bitmap in its own format.
        h.biWidth = b->width;
        h.biHeight = b->height;
        h.biPlanes = 1;
        h.biBitCount = static_cast<WORD>(b->bits);
        h.biCompression = b->bits == 16 || b->bits == 32 ? BI_BITFIELDS : BI_RGB;
        h.biSizeImage = static_cast<DWORD>(padded_row_bytes(b->width, b->bits, 4) * b->height);
        h.biXPelsPerMeter = h.biYPelsPerMeter = 0;
        h.biClrUsed = h.biClrImportant = 0;
        return b->height;
    }

    DibFormat f;
    if (!dib_format(h, f)) return 0;
    h.biSizeImage = static_cast<DWORD>(f.image_bytes());
    const std::vector<std::uint32_t> table = f.bits <= 8 ? table_for(*b, f.bits) : std::vector<std::uint32_t>{};
    if (f.bits <= 8 && usage == DIB_RGB_COLORS) write_color_table(*info, table);
    if (!bits) return 1;

    const int count = scan_lines(*b, start, lines);
    if (count == 0) return 0;
    const PixelView from = bitmap_rows(*b, start, count);
    PixelView to = caller_rows(bits, f, count, table);
    std::memset(bits, 0, static_cast<std::size_t>(f.row_bytes) * static_cast<std::size_t>(count)); // row padding too
    const int width = std::min(f.width, b->width);
    copy_pixels(from, to, width, count);
    return count;
}

// The caller's rows are scan lines of a DIB as tall as its header says, placed with its top row
// on the bitmap's top row, as on the reference platform.
int WINAPI SetDIBits(HDC dc_handle, HBITMAP bitmap, UINT start, UINT lines, const void* bits,
                     const BITMAPINFO* info, UINT usage) {
    GdiGuard guard(gdi_mutex());
    const DeviceContext* dc = find<DeviceContext>(dc_handle);
    Bitmap* b = find<Bitmap>(bitmap);
    if (!b || !bits || !info || (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS)) return 0;
    DibFormat f;
    if (!dib_format(info->bmiHeader, f)) return 0;
    if (start >= static_cast<UINT>(f.height)) return 0;
    const int count = static_cast<int>(std::min<UINT>(lines, static_cast<UINT>(f.height) - start));
    const auto& palette = dc ? dc_palette_entries(*dc) : default_palette_entries();
    const std::vector<std::uint32_t> table = read_color_table(*info, usage, palette);
    const PixelView target = b->view();
    DibFormat one_row = f;
    one_row.height = 1;
    const int width = std::min(f.width, b->width);
    for (int k = 0; k < count; ++k) {
        const int y = f.top_down ? static_cast<int>(start) + k : f.height - 1 - (static_cast<int>(start) + k);
        if (y < 0 || y >= b->height) continue;
        auto* row = const_cast<std::uint8_t*>(static_cast<const std::uint8_t*>(bits)) + f.row_bytes * k;
        PixelView from = dib_view(row, one_row, table);
        PixelView to = target;
        to.top = target.row(y);
        to.height = 1;
        copy_pixels(from, to, width, 1);
    }
    return count;
}
