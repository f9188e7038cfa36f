// Raster operations: the 256 ternary codes over pattern, source and destination, and the 16
// binary mixes of pen or brush with the destination.
#pragma once

#include <cstdint>

namespace layer::gdi {

// The operation byte of a ROP3 code: bits 16 to 23; the rest of the code carries nothing.
constexpr std::uint8_t rop3_index(std::uint32_t rop) { return static_cast<std::uint8_t>(rop >> 16); }

constexpr bool rop_uses_pattern(std::uint8_t code) { return ((code >> 4) ^ code) & 0x0F; }
constexpr bool rop_uses_source(std::uint8_t code) { return ((code >> 2) ^ code) & 0x33; }
constexpr bool rop_uses_destination(std::uint8_t code) { return ((code >> 1) ^ code) & 0x55; }

namespace detail {
// A function of one bit of the destination, given as a 2-bit truth table.
constexpr std::uint32_t of_destination(unsigned table, std::uint32_t d) {
    switch (table & 3u) {
    case 0: return 0;
    case 1: return ~d;
    case 2: return d;
    default: return ~std::uint32_t{0};
    }
}
constexpr std::uint32_t of_source(unsigned table, std::uint32_t s, std::uint32_t d) {
    return (s & of_destination(table >> 2, d)) | (~s & of_destination(table, d));
}
} // namespace detail

// Bit i of the code is the result for pattern, source and destination bits (i>>2, i>>1, i) & 1;
// every bit of the 32-bit values is combined.
constexpr std::uint32_t rop3(std::uint8_t code, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
    return (p & detail::of_source(code >> 4, s, d)) | (~p & detail::of_source(code & 0xFu, s, d));
}

// out[i] = rop3(code, p[i], s[i], d[i]); p or s may be null when the code does not use them,
// d is read and written.
void rop3_row(std::uint8_t code, const std::uint32_t* p, const std::uint32_t* s, std::uint32_t* d, int count);

// The ROP3 code that mixes a pen or brush with the destination as a ROP2 mode (R2_BLACK..R2_WHITE).
std::uint8_t rop3_from_rop2(int rop2);

} // namespace layer::gdi
