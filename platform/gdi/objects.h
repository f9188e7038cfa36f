// The GDI objects the handle table holds. Every field is read and written with the GDI lock held.
#pragma once

#include <cstdlib>

#include "external_surface.h"
#include "layer/gdi_objects.h"
#include "pixel_view.h"
#include "region_set.h"
#include "win32.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace layer::gdi {

struct Object {
    explicit Object(GdiType t) : type(t) {}
    virtual ~Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    const GdiType type;
    bool stock = false;
    // Device contexts that hold the object; a deleted object lives on until the last lets go.
    int selections = 0;
    bool delete_pending = false;
};

// Pixel storage comes from calloc: a large zeroed block then costs no pass over its memory.
struct FreeStorage {
    void operator()(std::uint8_t* bytes) const { std::free(bytes); }
};
using PixelStorage = std::unique_ptr<std::uint8_t[], FreeStorage>;

struct Bitmap final : Object {
    static constexpr GdiType kind = GdiType::bitmap;
    Bitmap() : Object(kind) {}

    int width = 1;
    int height = 1;
    int bits = 1;               // bits per pixel
    bool dib = false;           // a DIB section rather than a device-dependent bitmap
    bool top_down = false;      // DIB sections only: rows stored from the top
    std::ptrdiff_t row_bytes = 0;
    PixelStorage storage;
    std::vector<std::uint32_t> color_table; // indexed layouts, 0x00RRGGBB
    BITMAPINFOHEADER dib_header{};          // DIB sections: as GetObjectW reports it
    HDC selected_in = nullptr;

    PixelView view() const;
};

// The pixels of a pattern brush, copied when the brush is made.
struct BrushPattern {
    int width = 0;
    int height = 0;
    // A monochrome pattern holds 0 and 1, painted in the DC's text and background colours;
    // otherwise pixel values 0x00RRGGBB.
    bool monochrome = false;
    std::vector<std::uint32_t> pixels;
};

struct Brush final : Object {
    static constexpr GdiType kind = GdiType::brush;
    Brush() : Object(kind) {}

    UINT style = BS_SOLID;
    COLORREF color = 0;
    ULONG_PTR hatch = 0;
    std::shared_ptr<const BrushPattern> pattern; // BS_PATTERN and BS_DIBPATTERN
};

struct Pen final : Object {
    static constexpr GdiType kind = GdiType::pen;
    Pen() : Object(kind) {}

    bool extended = false; // made by ExtCreatePen (OBJ_EXTPEN)
    DWORD style = PS_SOLID;
    DWORD width = 0;
    COLORREF color = 0;
    UINT brush_style = BS_SOLID;
    ULONG_PTR brush_hatch = 0;
    std::shared_ptr<const BrushPattern> pattern; // geometric pens drawn with a pattern brush
    std::vector<DWORD> dashes;                   // PS_USERSTYLE lengths
};

struct Font final : Object {
    static constexpr GdiType kind = GdiType::font;
    Font() : Object(kind) {}

    LOGFONTW log{};
};

struct Palette final : Object {
    static constexpr GdiType kind = GdiType::palette;
    Palette() : Object(kind) {}

    std::vector<PALETTEENTRY> entries;
};

struct Region final : Object {
    static constexpr GdiType kind = GdiType::region;
    Region() : Object(kind) {}

    RegionSet set;
};

struct DeviceContext final : Object {
    static constexpr GdiType kind = GdiType::dc;
    DeviceContext() : Object(kind) {}

    // A memory DC draws on its selected bitmap; any other DC on a surface the window manager owns.
    std::shared_ptr<ExternalSurface> external;

    HBITMAP bitmap = nullptr;
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    HPALETTE palette = nullptr;

    int graphics_mode = GM_COMPATIBLE;
    XFORM xform{1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f};
    int bk_mode = OPAQUE;
    COLORREF bk_color = 0xFFFFFF;
    COLORREF text_color = 0;
    int rop2 = R2_COPYPEN;
    int poly_fill_mode = ALTERNATE;
    int stretch_mode = BLACKONWHITE;
    POINT position{0, 0};
    POINT brush_origin{0, 0};
    std::optional<RegionSet> clip; // device coordinates; none means the whole surface

    bool is_memory() const { return external == nullptr; }
};

} // namespace layer::gdi
