#include "stream_bytes.h"

#include <algorithm>

namespace layer::gdiplus {

Status read_stream(IStream* stream, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    STATSTG stat{};
    if (SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME)))
        bytes.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(stat.cbSize.QuadPart, max_stream_bytes)));
    constexpr ULONG chunk = 1 << 16;
    while (true) {
        const std::size_t used = bytes.size();
        if (used > max_stream_bytes) return OutOfMemory;
        bytes.resize(used + chunk);
        ULONG got = 0;
        const HRESULT result = stream->Read(bytes.data() + used, chunk, &got);
        bytes.resize(used + std::min(got, chunk));
        if (FAILED(result)) return GenericError;
        if (got == 0) break;
    }
    return Ok;
}

} // namespace layer::gdiplus
