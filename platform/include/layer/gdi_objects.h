// The layer's view of its own GDI objects, for tests that check nothing leaks.
#pragma once

namespace layer {

enum class GdiType { dc, bitmap, pen, brush, font, region, palette };

// Objects of one type that exist now, stock objects excluded.
int live_gdi_objects(GdiType type);
// All live objects of every type, stock objects excluded.
int live_gdi_objects_total();

} // namespace layer
