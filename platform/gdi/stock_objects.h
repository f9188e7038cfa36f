// The platform's stock objects: made once, shared by every DC, never freed.
#pragma once

#include "win32.h"

namespace layer::gdi {

// The stock object for a GetStockObject index, null for an unknown index. Call with the GDI lock held.
HGDIOBJ stock_object(int index);
// The 1 by 1 monochrome bitmap that every new memory DC starts with.
HBITMAP stock_bitmap();

} // namespace layer::gdi
