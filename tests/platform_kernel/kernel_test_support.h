// Helpers of the kernel, runtime and COM tests. They build for every target, so the same
// checks run against the layer and against the real platform.
#pragma once

#include "platform_api.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace kernel_test {

inline const WCHAR* W(const std::u16string& text) { return reinterpret_cast<const WCHAR*>(text.c_str()); }
inline const WCHAR* W(const char16_t* text) { return reinterpret_cast<const WCHAR*>(text); }

// A folder of its own for one test's files, removed with everything in it afterwards.
class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() / ("pellux-kernel-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        // Read-only files would keep their folder alive on the platform.
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored))
            SetFileAttributesW(W(entry.path().u16string()), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path path(const std::string& name) const { return path_ / name; }
    // Wide form of a file path in the folder, for the W calls.
    std::u16string wide(const std::string& name) const { return path(name).u16string(); }
    // Narrow form for the runtime library; the names used are ASCII.
    std::string narrow(const std::string& name) const { return path(name).string(); }

private:
    std::filesystem::path path_;
};

inline std::string read_bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void write_bytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline void make_read_only(const std::filesystem::path& path) { SetFileAttributesW(W(path.u16string()), FILE_ATTRIBUTE_READONLY); }

// Whether read-only files refuse writers here. Wine running as root lets root write them,
// so the platform's refusal can only be checked where it is enforced.
inline bool read_only_is_enforced(const TempFolder& folder) {
    const auto probe = folder.path("read-only-probe");
    write_bytes(probe, "x");
    make_read_only(probe);
    HANDLE file = CreateFileW(W(probe.u16string()), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool enforced = file == INVALID_HANDLE_VALUE;
    if (!enforced) CloseHandle(file);
    SetFileAttributesW(W(probe.u16string()), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove(probe);
    return enforced;
}

} // namespace kernel_test
