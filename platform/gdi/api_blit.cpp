// Block transfers with ternary raster operations; both DCs' world transforms place the blocks.
#include "block_transfer.h"
#include "handle_table.h"
#include "rop.h"

using namespace layer::gdi;

namespace {

BOOL transfer(HDC dest_handle, int x, int y, int width, int height, HDC source_handle, int source_x, int source_y,
              int source_width, int source_height, DWORD rop) {
    GdiGuard guard(gdi_mutex());
    DeviceContext* dest = find<DeviceContext>(dest_handle);
    if (!dest) return FALSE;
    const std::uint8_t code = rop3_index(rop);
    const DeviceBox to = to_device_box(*dest, x, y, width, height);
    if (!rop_uses_source(code)) return block_transfer(*dest, to, nullptr, to, code);
    const DeviceContext* source = find<DeviceContext>(source_handle);
    if (!source) return FALSE;
    const DeviceBox from = to_device_box(*source, source_x, source_y, source_width, source_height);
    return block_transfer(*dest, to, source, from, code);
}

} // namespace

BOOL WINAPI BitBlt(HDC dc, int x, int y, int width, int height, HDC source, int source_x, int source_y, DWORD rop) {
    return transfer(dc, x, y, width, height, source, source_x, source_y, width, height, rop);
}

BOOL WINAPI StretchBlt(HDC dc, int x, int y, int width, int height, HDC source, int source_x, int source_y,
                       int source_width, int source_height, DWORD rop) {
    return transfer(dc, x, y, width, height, source, source_x, source_y, source_width, source_height, rop);
}

BOOL WINAPI PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
    if (rop_uses_source(rop3_index(rop))) return FALSE;
    return transfer(dc, x, y, width, height, nullptr, 0, 0, 0, 0, rop);
}
