// Logical palettes. Surfaces are true-colour, so realizing a palette maps nothing.
#include "handle_table.h"

#include <algorithm>

using namespace layer::gdi;

HPALETTE WINAPI CreatePalette(const LOGPALETTE* palette) {
    if (!palette || palette->palNumEntries == 0) return nullptr;
    GdiGuard guard(gdi_mutex());
    auto p = std::make_unique<Palette>();
    p->entries.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
    return static_cast<HPALETTE>(add_object(std::move(p)));
}

HPALETTE WINAPI SelectPalette(HDC dc_handle, HPALETTE palette, BOOL) {
    GdiGuard guard(gdi_mutex());
    DeviceContext* dc = find<DeviceContext>(dc_handle);
    Palette* p = find<Palette>(palette);
    if (!dc || !p) return nullptr;
    const HPALETTE old = dc->palette;
    if (old == palette) return old;
    if (!p->stock) note_selected(palette);
    dc->palette = palette;
    if (Object* o = find_object(old); o && !o->stock) note_deselected(old);
    return old;
}

UINT WINAPI RealizePalette(HDC dc_handle) {
    GdiGuard guard(gdi_mutex());
    return find<DeviceContext>(dc_handle) ? 0 : GDI_ERROR;
}

UINT WINAPI GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries) {
    GdiGuard guard(gdi_mutex());
    const Palette* p = find<Palette>(palette);
    if (!p) return 0;
    const UINT size = static_cast<UINT>(p->entries.size());
    if (!entries) return size;
    if (start >= size) return 0;
    const UINT n = std::min(count, size - start);
    std::copy_n(p->entries.begin() + start, n, entries);
    return n;
}
