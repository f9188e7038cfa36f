#include "stock_objects.h"

#include "bitmap_store.h"
#include "color.h"
#include "handle_table.h"

#include <array>
#include <cstring>

namespace layer::gdi {

namespace {

constexpr int stock_count = 20;

struct StockSet {
    std::array<HGDIOBJ, stock_count> objects{};
    HBITMAP bitmap = nullptr;
};

HGDIOBJ add_stock(std::unique_ptr<Object> object) {
    object->stock = true;
    return add_object(std::move(object));
}

HGDIOBJ stock_brush(UINT style, COLORREF color) {
    auto b = std::make_unique<Brush>();
    b->style = style;
    b->color = color;
    return add_stock(std::move(b));
}

HGDIOBJ stock_pen(DWORD style, DWORD width, COLORREF color) {
    auto p = std::make_unique<Pen>();
    p->style = style;
    p->width = width;
    p->color = color;
    return add_stock(std::move(p));
}

HGDIOBJ stock_font(LONG height, LONG weight, BYTE charset, BYTE pitch_family, const char* face) {
    auto f = std::make_unique<Font>();
    f->log.lfHeight = height;
    f->log.lfWeight = weight;
    f->log.lfCharSet = charset;
    f->log.lfPitchAndFamily = pitch_family;
    for (std::size_t i = 0; face[i] != '\0' && i + 1 < LF_FACESIZE; ++i)
        f->log.lfFaceName[i] = static_cast<WCHAR>(face[i]);
    return add_stock(std::move(f));
}

StockSet make_stock_set() {
    StockSet s;
    s.objects[WHITE_BRUSH] = stock_brush(BS_SOLID, 0xFFFFFF);
    s.objects[LTGRAY_BRUSH] = stock_brush(BS_SOLID, 0xC0C0C0);
    s.objects[GRAY_BRUSH] = stock_brush(BS_SOLID, 0x808080);
    s.objects[DKGRAY_BRUSH] = stock_brush(BS_SOLID, 0x404040);
    s.objects[BLACK_BRUSH] = stock_brush(BS_SOLID, 0x000000);
    s.objects[NULL_BRUSH] = stock_brush(BS_NULL, 0x000000);
    s.objects[WHITE_PEN] = stock_pen(PS_SOLID, 0, 0xFFFFFF);
    s.objects[BLACK_PEN] = stock_pen(PS_SOLID, 0, 0x000000);
    s.objects[NULL_PEN] = stock_pen(PS_NULL, 1, 0x000000);
    s.objects[OEM_FIXED_FONT] = stock_font(12, FW_NORMAL, OEM_CHARSET, FIXED_PITCH | FF_MODERN, "Monospace");
    s.objects[ANSI_FIXED_FONT] = stock_font(12, FW_NORMAL, ANSI_CHARSET, FIXED_PITCH | FF_MODERN, "Monospace");
    s.objects[ANSI_VAR_FONT] = stock_font(12, FW_NORMAL, ANSI_CHARSET, VARIABLE_PITCH | FF_SWISS, "Sans Serif");
    s.objects[SYSTEM_FONT] = stock_font(16, FW_BOLD, ANSI_CHARSET, VARIABLE_PITCH | FF_SWISS, "System");
    s.objects[DEVICE_DEFAULT_FONT] = stock_font(16, FW_BOLD, ANSI_CHARSET, VARIABLE_PITCH | FF_SWISS, "System");
    s.objects[SYSTEM_FIXED_FONT] = stock_font(16, FW_NORMAL, ANSI_CHARSET, FIXED_PITCH | FF_MODERN, "Monospace");
    s.objects[DEFAULT_GUI_FONT] = stock_font(-11, FW_NORMAL, DEFAULT_CHARSET, VARIABLE_PITCH | FF_SWISS, "Sans Serif");
    auto palette = std::make_unique<Palette>();
    palette->entries = default_palette_entries();
    s.objects[DEFAULT_PALETTE] = add_stock(std::move(palette));
    s.objects[DC_BRUSH] = stock_brush(BS_SOLID, 0xFFFFFF);
    s.objects[DC_PEN] = stock_pen(PS_SOLID, 0, 0x000000);
    auto bitmap = make_device_bitmap(1, 1, 1);
    s.bitmap = static_cast<HBITMAP>(add_stock(std::move(bitmap)));
    return s;
}

const StockSet& stock_set() {
    static const auto* set = new StockSet(make_stock_set());
    return *set;
}

} // namespace

HGDIOBJ stock_object(int index) {
    if (index < 0 || index >= stock_count) return nullptr;
    return stock_set().objects[static_cast<std::size_t>(index)];
}

HBITMAP stock_bitmap() { return stock_set().bitmap; }

} // namespace layer::gdi
