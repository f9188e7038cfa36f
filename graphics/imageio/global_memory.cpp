#include "global_memory.h"

namespace Pellux {

namespace {

// Closes a kernel handle when the reading is over, whichever way it ends.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (valid()) CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

bool read_whole(HANDLE file, BYTE* bytes, DWORD size) {
    DWORD done = 0;
    while (done < size) {
        DWORD got = 0;
        if (!ReadFile(file, bytes + done, size - done, &got, nullptr) || got == 0) return false;
        done += got;
    }
    return true;
}

} // namespace

GlobalMemory::~GlobalMemory() { free_block(); }

void GlobalMemory::free_block() {
    if (handle) {
        GlobalFree(handle);
        handle = nullptr;
    }
}

HGLOBAL GlobalMemory::release() {
    HGLOBAL held = handle;
    handle = nullptr;
    return held;
}

bool GlobalMemory::load_file(const WCHAR* path) {
    free_block();
    if (!path) return false;
    FileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
    if (!file.valid()) return false;

    DWORD high = 0;
    const DWORD low = GetFileSize(file.get(), &high);
    if (high != 0 || low > MAX_PICTURE_FILE_BYTES) return false;

    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, low);
    if (!block) return false;
    bool complete = true;
    if (low > 0) {
        auto* bytes = static_cast<BYTE*>(GlobalLock(block));
        complete = bytes && read_whole(file.get(), bytes, low);
        if (bytes) GlobalUnlock(block);
    }
    if (!complete) {
        GlobalFree(block);
        return false;
    }
    handle = block;
    size = low;
    return true;
}

} // namespace Pellux
