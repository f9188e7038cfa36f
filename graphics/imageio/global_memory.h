// Pellux::GlobalMemory: owns one movable global memory block holding a file's bytes.
#pragma once

#include "platform_api.h"

namespace Pellux {

// Files larger than this are refused rather than read whole into memory: no picture that an
// image can hold needs more (an uncompressed 32-bit picture of the largest surface is 1 GiB).
constexpr DWORD MAX_PICTURE_FILE_BYTES = 1u << 30;

class GlobalMemory {
public:
    GlobalMemory() = default;
    virtual ~GlobalMemory();
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;

    // Frees the block held, then reads the whole file at path into a new block. True when the
    // file was opened and read whole; otherwise no block is held. Files past
    // MAX_PICTURE_FILE_BYTES, or whose bytes cannot all be read, count as unreadable.
    bool load_file(const WCHAR* path);

    // Lets go of the block without freeing it, for a stream that has taken it over.
    HGLOBAL release();

    HGLOBAL handle = nullptr;
    DWORD size = 0;

private:
    void free_block();
};

} // namespace Pellux
