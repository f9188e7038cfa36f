// Small helpers the GDI entry points share.
#pragma once

#include "handle_table.h"

#include <vector>

namespace layer::gdi {

// The DC's selected palette entries (the default palette when none is selected).
const std::vector<PALETTEENTRY>& dc_palette_entries(const DeviceContext& dc);

// Releases everything a DC holds and frees it.
void destroy_dc(HDC handle);

// A fresh DC holding the stock pen, brush, font and palette (and, for memory DCs, the stock bitmap).
HDC add_dc(std::unique_ptr<DeviceContext> dc);

} // namespace layer::gdi
