// Entry points common to all GDI objects: stock objects, deletion, description, selection.
#include "dc_access.h"
#include "handle_table.h"
#include "region_set.h"
#include "stock_objects.h"
#include "surface_lock.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

using namespace layer::gdi;

namespace {

int copy_out(const void* record, int record_size, int size, void* buffer) {
    if (!buffer) return record_size;
    const int n = std::min(size, record_size);
    if (n <= 0) return 0;
    std::memcpy(buffer, record, static_cast<std::size_t>(n));
    return n;
}

BITMAP bitmap_record(const Bitmap& b) {
    BITMAP bm{};
    bm.bmWidth = b.width;
    bm.bmHeight = b.height;
    bm.bmWidthBytes = static_cast<LONG>(b.row_bytes);
    bm.bmPlanes = 1;
    bm.bmBitsPixel = static_cast<WORD>(b.bits);
    bm.bmBits = b.dib ? b.storage.get() : nullptr;
    return bm;
}

int describe_bitmap(const Bitmap& b, int size, void* buffer) {
    if (!buffer) return sizeof(BITMAP);
    if (b.dib && size >= static_cast<int>(sizeof(DIBSECTION))) {
        DIBSECTION ds{};
        ds.dsBm = bitmap_record(b);
        ds.dsBmih = b.dib_header;
        if (b.dib_header.biCompression == BI_BITFIELDS) {
            const bool wide = b.bits == 32;
            ds.dsBitfields[0] = wide ? 0xFF0000 : 0x7C00;
            ds.dsBitfields[1] = wide ? 0xFF00 : 0x3E0;
            ds.dsBitfields[2] = wide ? 0xFF : 0x1F;
        }
        std::memcpy(buffer, &ds, sizeof ds);
        return sizeof(DIBSECTION);
    }
    if (size < static_cast<int>(sizeof(BITMAP))) return 0;
    const BITMAP bm = bitmap_record(b);
    std::memcpy(buffer, &bm, sizeof bm);
    return sizeof(BITMAP);
}

int describe_pen(const Pen& p, int size, void* buffer) {
    if (!p.extended) {
        if (!buffer) return sizeof(LOGPEN);
        if (size < static_cast<int>(sizeof(LOGPEN))) return 0;
        const LOGPEN lp{p.style, {static_cast<LONG>(p.width), 0}, p.color};
        std::memcpy(buffer, &lp, sizeof lp);
        return sizeof(LOGPEN);
    }
    const int needed = static_cast<int>(offsetof(EXTLOGPEN, elpStyleEntry) + sizeof(DWORD) * p.dashes.size());
    if (!buffer) return needed;
    if (size < needed) return 0;
    EXTLOGPEN head{};
    head.elpPenStyle = p.style;
    head.elpWidth = p.width;
    head.elpBrushStyle = p.brush_style;
    head.elpColor = p.color;
    head.elpHatch = p.brush_hatch;
    head.elpNumEntries = static_cast<DWORD>(p.dashes.size());
    auto* out = static_cast<unsigned char*>(buffer);
    std::memcpy(out, &head, offsetof(EXTLOGPEN, elpStyleEntry));
    if (!p.dashes.empty())
        std::memcpy(out + offsetof(EXTLOGPEN, elpStyleEntry), p.dashes.data(), sizeof(DWORD) * p.dashes.size());
    return needed;
}

// Puts an object into a DC slot and returns what it replaces, keeping the selection counts.
template <class Handle>
HGDIOBJ replace(Handle& slot, HGDIOBJ object) {
    const HGDIOBJ old = slot;
    if (old == object) return old;
    if (Object* o = find_object(object); o && !o->stock) note_selected(object);
    slot = static_cast<Handle>(object);
    if (Object* o = find_object(old); o && !o->stock) note_deselected(old);
    return old;
}

HGDIOBJ select_bitmap(HDC dc_handle, DeviceContext& dc, HGDIOBJ handle, Bitmap& bitmap) {
    if (!dc.is_memory()) return nullptr;
    if (!bitmap.stock) {
        if (bitmap.selected_in != nullptr && bitmap.selected_in != dc_handle) return nullptr;
        // A device-dependent bitmap must match the device: monochrome or the screen's 32 bits.
        if (!bitmap.dib && bitmap.bits != 1 && bitmap.bits != 32) return nullptr;
    }
    if (Bitmap* old = find<Bitmap>(dc.bitmap); old && old != &bitmap && !old->stock) old->selected_in = nullptr;
    if (!bitmap.stock) bitmap.selected_in = dc_handle;
    return replace(dc.bitmap, handle);
}

} // namespace

HGDIOBJ WINAPI GetStockObject(int index) {
    GdiGuard guard(gdi_mutex());
    return stock_object(index);
}

BOOL WINAPI DeleteObject(HGDIOBJ handle) {
    GdiGuard guard(gdi_mutex());
    Object* o = find_object(handle);
    if (!o) return FALSE;
    if (o->stock) return TRUE;
    if (o->type == layer::GdiType::dc) {
        // Not meant for DCs; freeing it beats leaking it.
        destroy_dc(static_cast<HDC>(handle));
        return TRUE;
    }
    if (o->selections > 0) {
        o->delete_pending = true;
        return TRUE;
    }
    destroy_object(handle);
    return TRUE;
}

int WINAPI GetObjectW(HANDLE handle, int size, LPVOID buffer) {
    GdiGuard guard(gdi_mutex());
    Object* o = find_object(handle);
    if (!o) return 0;
    switch (o->type) {
    case layer::GdiType::bitmap:
        return describe_bitmap(*static_cast<Bitmap*>(o), size, buffer);
    case layer::GdiType::pen:
        return describe_pen(*static_cast<Pen*>(o), size, buffer);
    case layer::GdiType::brush: {
        const Brush& b = *static_cast<Brush*>(o);
        const LOGBRUSH lb{b.style, b.color, b.hatch};
        return copy_out(&lb, sizeof lb, size, buffer);
    }
    case layer::GdiType::font:
        return copy_out(&static_cast<Font*>(o)->log, sizeof(LOGFONTW), size, buffer);
    case layer::GdiType::palette: {
        const WORD count = static_cast<WORD>(static_cast<Palette*>(o)->entries.size());
        return copy_out(&count, sizeof count, size, buffer);
    }
    default:
        return 0;
    }
}

DWORD WINAPI GetObjectType(HGDIOBJ handle) {
    GdiGuard guard(gdi_mutex());
    Object* o = find_object(handle);
    if (!o) return 0;
    switch (o->type) {
    case layer::GdiType::dc: return static_cast<DeviceContext*>(o)->is_memory() ? OBJ_MEMDC : OBJ_DC;
    case layer::GdiType::bitmap: return OBJ_BITMAP;
    case layer::GdiType::pen: return static_cast<Pen*>(o)->extended ? OBJ_EXTPEN : OBJ_PEN;
    case layer::GdiType::brush: return OBJ_BRUSH;
    case layer::GdiType::font: return OBJ_FONT;
    case layer::GdiType::region: return OBJ_REGION;
    case layer::GdiType::palette: return OBJ_PAL;
    }
    return 0;
}

HGDIOBJ WINAPI SelectObject(HDC dc_handle, HGDIOBJ handle) {
    GdiGuard guard(gdi_mutex());
    DeviceContext* dc = find<DeviceContext>(dc_handle);
    Object* o = find_object(handle);
    if (!dc || !o) return nullptr;
    switch (o->type) {
    case layer::GdiType::pen: return replace(dc->pen, handle);
    case layer::GdiType::brush: return replace(dc->brush, handle);
    case layer::GdiType::font: return replace(dc->font, handle);
    case layer::GdiType::bitmap: return select_bitmap(dc_handle, *dc, handle, *static_cast<Bitmap*>(o));
    case layer::GdiType::region: {
        const int result = SelectClipRgn(dc_handle, static_cast<HRGN>(handle));
        return result == ERROR ? HGDI_ERROR : reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(result));
    }
    default:
        return nullptr; // palettes go through SelectPalette; DCs cannot be selected
    }
}

HGDIOBJ WINAPI GetCurrentObject(HDC dc_handle, UINT type) {
    GdiGuard guard(gdi_mutex());
    const DeviceContext* dc = find<DeviceContext>(dc_handle);
    if (!dc) return nullptr;
    switch (type) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return dc->pen;
    case OBJ_BRUSH: return dc->brush;
    case OBJ_FONT: return dc->font;
    case OBJ_PAL: return dc->palette;
    case OBJ_BITMAP: return dc->is_memory() ? dc->bitmap : stock_bitmap();
    default: return nullptr;
    }
}

// GDI calls are carried out at once; there is no batch to limit or flush.
DWORD WINAPI GdiSetBatchLimit(DWORD) { return 1; }

BOOL WINAPI GdiFlush() { return TRUE; }
