// Opening a Linux file the way the platform opens one, shared by CreateFileW and the runtime
// library's fopen_s: folders are refused, a file without any write permission behaves like the
// platform's read-only file (also for root), and nothing is truncated before those checks.
#pragma once

#include <string>

namespace layer {

enum class Disposition { create_new, create_always, open_existing, open_always, truncate_existing };

struct NativeOpenRequest {
    bool read = false;
    bool write = false;
    bool append = false;           // every write goes to the end
    bool read_only_file = false;   // a file created now gets no write permission
    bool allow_directory = false;
    Disposition disposition = Disposition::open_existing;
};

struct NativeOpenResult {
    int fd = -1;
    int error = 0;        // errno when fd is -1; EACCES for a refused folder or read-only file
    bool existed = false; // the file was there before
};

NativeOpenResult open_native(const std::string& path, const NativeOpenRequest& request);

// The platform's null device ("NUL", any case) as a Linux path, or the path unchanged.
std::string map_device_name(const std::string& path);

} // namespace layer
