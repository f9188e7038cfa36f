// Reading a picture's bytes from a stream, from its current position to its end.
#pragma once

#include <cstdint>
#include <vector>

#include "flat_types.h"

namespace layer::gdiplus {

// Streams longer than this are refused: no picture within the size limits needs more.
constexpr std::uint64_t max_stream_bytes = std::uint64_t{1} << 30;

// Ok, GenericError when the stream fails to read, OutOfMemory when it is too long.
Status read_stream(IStream* stream, std::vector<std::uint8_t>& bytes);

} // namespace layer::gdiplus
