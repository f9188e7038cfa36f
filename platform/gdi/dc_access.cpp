#include "dc_access.h"

#include "color.h"
#include "stock_objects.h"

namespace layer::gdi {

const std::vector<PALETTEENTRY>& dc_palette_entries(const DeviceContext& dc) {
    if (const Palette* p = find<Palette>(dc.palette)) return p->entries;
    return default_palette_entries();
}

HDC add_dc(std::unique_ptr<DeviceContext> dc) {
    dc->pen = static_cast<HPEN>(stock_object(BLACK_PEN));
    dc->brush = static_cast<HBRUSH>(stock_object(WHITE_BRUSH));
    dc->font = static_cast<HFONT>(stock_object(SYSTEM_FONT));
    dc->palette = static_cast<HPALETTE>(stock_object(DEFAULT_PALETTE));
    if (dc->is_memory()) dc->bitmap = stock_bitmap();
    return static_cast<HDC>(add_object(std::move(dc)));
}

void destroy_dc(HDC handle) {
    DeviceContext* dc = find<DeviceContext>(handle);
    if (!dc) return;
    const HGDIOBJ held[] = {dc->pen, dc->brush, dc->font, dc->palette, dc->bitmap};
    if (Bitmap* b = find<Bitmap>(dc->bitmap); b && b->selected_in == handle) b->selected_in = nullptr;
    // Stock objects were never counted as selected.
    destroy_object(handle);
    for (HGDIOBJ h : held)
        if (Object* o = find_object(h); o && !o->stock) note_deselected(h);
}

} // namespace layer::gdi
