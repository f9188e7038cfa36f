#include "rop.h"

#include <cstring>

namespace layer::gdi {

void rop3_row(std::uint8_t code, const std::uint32_t* p, const std::uint32_t* s, std::uint32_t* d, int count) {
    switch (code) {
    case 0x00: // BLACKNESS
        std::memset(d, 0, 4 * static_cast<std::size_t>(count));
        return;
    case 0xFF: // WHITENESS
        std::memset(d, 0xFF, 4 * static_cast<std::size_t>(count));
        return;
    case 0xCC: // SRCCOPY
        std::memmove(d, s, 4 * static_cast<std::size_t>(count));
        return;
    case 0xF0: // PATCOPY
        std::memmove(d, p, 4 * static_cast<std::size_t>(count));
        return;
    case 0xAA: // destination unchanged
        return;
    default:
        break;
    }
    const bool use_p = rop_uses_pattern(code);
    const bool use_s = rop_uses_source(code);
    for (int i = 0; i < count; ++i) d[i] = rop3(code, use_p ? p[i] : 0, use_s ? s[i] : 0, d[i]);
}

std::uint8_t rop3_from_rop2(int rop2) {
    const unsigned table = static_cast<unsigned>(rop2 - 1) & 0xFu; // bit (pen << 1 | dest)
    std::uint8_t code = 0;
    for (unsigned i = 0; i < 8; ++i) {
        const unsigned pen = (i >> 2) & 1u, dest = i & 1u;
        if ((table >> ((pen << 1) | dest)) & 1u) code = static_cast<std::uint8_t>(code | (1u << i));
    }
    return code;
}

} // namespace layer::gdi
