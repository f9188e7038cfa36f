// Files over POSIX descriptors. Paths arrive as UTF-16 and are opened as UTF-8. Share modes are
// not enforced: Linux has no mandatory sharing between openers.
#include "kernel_object.h"
#include "native_open.h"
#include "posix_errors.h"
#include "utf16.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace layer::kernel {
namespace {

// Specific access rights that also grant reading or writing.
constexpr DWORD FILE_READ_DATA = 0x1;
constexpr DWORD FILE_WRITE_DATA = 0x2;
constexpr DWORD FILE_APPEND_DATA = 0x4;

class File : public KernelObject {
public:
    File(int fd, std::string delete_on_close) : KernelObject(ObjectType::file), fd_(fd), delete_on_close_(std::move(delete_on_close)) {}
    ~File() override {
        ::close(fd_);
        if (!delete_on_close_.empty()) ::unlink(delete_on_close_.c_str());
    }
    int fd() const { return fd_; }

private:
    int fd_;
    std::string delete_on_close_;
};

std::shared_ptr<File> find_file(HANDLE handle) { return find_object<File>(handle, ObjectType::file); }

bool to_disposition(DWORD value, Disposition& disposition) {
    switch (value) {
    case CREATE_NEW: disposition = Disposition::create_new; return true;
    case CREATE_ALWAYS: disposition = Disposition::create_always; return true;
    case OPEN_EXISTING: disposition = Disposition::open_existing; return true;
    case OPEN_ALWAYS: disposition = Disposition::open_always; return true;
    case TRUNCATE_EXISTING: disposition = Disposition::truncate_existing; return true;
    default: return false;
    }
}

// An I/O error on a valid handle: a descriptor opened without the needed access reports
// EBADF, which the platform calls a refused access.
DWORD io_error(int error) { return error == EBADF ? ERROR_ACCESS_DENIED : error_from_errno(error); }

// Moves to the record's offset when one is given, as a synchronous handle does.
bool seek_to_overlapped(int fd, const OVERLAPPED* overlapped) {
    if (!overlapped) return true;
    const off_t offset = static_cast<off_t>((static_cast<ULONGLONG>(overlapped->OffsetHigh) << 32) | overlapped->Offset);
    if (lseek(fd, offset, SEEK_SET) == -1) {
        SetLastError(io_error(errno));
        return false;
    }
    return true;
}

} // namespace
} // namespace layer::kernel

HANDLE WINAPI CreateFileW(LPCWSTR path, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD disposition, DWORD flags,
                          HANDLE) {
    using namespace layer;
    using namespace layer::kernel;
    NativeOpenRequest request;
    if (!to_disposition(disposition, request.disposition)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    request.read = (access & (GENERIC_READ | GENERIC_ALL | FILE_READ_DATA)) != 0;
    request.write = (access & (GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA | FILE_APPEND_DATA)) != 0;
    if (request.disposition == Disposition::truncate_existing && !request.write) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    request.read_only_file = (flags & FILE_ATTRIBUTE_READONLY) != 0;
    request.allow_directory = (flags & FILE_FLAG_BACKUP_SEMANTICS) != 0;

    const std::string native = to_native_path(path);
    if (native.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    const NativeOpenResult opened = open_native(native, request);
    if (opened.fd == -1) {
        SetLastError(path_error_from_errno(opened.error, native));
        return INVALID_HANDLE_VALUE;
    }
    auto file = std::make_shared<File>(opened.fd, (flags & FILE_FLAG_DELETE_ON_CLOSE) ? native : std::string());
    HANDLE handle = insert_handle(std::move(file));
    if (!handle) return INVALID_HANDLE_VALUE;
    const bool reports_existing = request.disposition == Disposition::create_always ||
                                  request.disposition == Disposition::open_always;
    SetLastError(reports_existing && opened.existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

BOOL WINAPI ReadFile(HANDLE handle, LPVOID buffer, DWORD to_read, LPDWORD read, LPOVERLAPPED overlapped) {
    using namespace layer::kernel;
    if (read) *read = 0;
    auto file = find_file(handle);
    if (!file) return FALSE;
    if (!buffer && to_read != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!seek_to_overlapped(file->fd(), overlapped)) return FALSE;
    DWORD done = 0;
    while (done < to_read) {
        const ssize_t count = ::read(file->fd(), static_cast<char*>(buffer) + done, to_read - done);
        if (count == -1 && errno == EINTR) continue;
        if (count == -1) {
            if (read) *read = done;
            SetLastError(io_error(errno));
            return FALSE;
        }
        if (count == 0) break;
        done += static_cast<DWORD>(count);
    }
    if (read) *read = done;
    // A read at the end that names an offset reports the end; a plain one just reads nothing.
    if (overlapped && done == 0 && to_read != 0) {
        SetLastError(ERROR_HANDLE_EOF);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI WriteFile(HANDLE handle, LPCVOID buffer, DWORD to_write, LPDWORD written, LPOVERLAPPED overlapped) {
    using namespace layer::kernel;
    if (written) *written = 0;
    auto file = find_file(handle);
    if (!file) return FALSE;
    if (!buffer && to_write != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!seek_to_overlapped(file->fd(), overlapped)) return FALSE;
    DWORD done = 0;
    while (done < to_write) {
        const ssize_t count = ::write(file->fd(), static_cast<const char*>(buffer) + done, to_write - done);
        if (count == -1 && errno == EINTR) continue;
        if (count == -1) {
            if (written) *written = done;
            SetLastError(io_error(errno));
            return FALSE;
        }
        done += static_cast<DWORD>(count);
    }
    if (written) *written = done;
    return TRUE;
}

BOOL WINAPI GetFileSizeEx(HANDLE handle, PLARGE_INTEGER size) {
    auto file = layer::kernel::find_file(handle);
    if (!file) return FALSE;
    struct stat info{};
    if (fstat(file->fd(), &info) != 0) {
        SetLastError(layer::error_from_errno(errno));
        return FALSE;
    }
    if (size) size->QuadPart = info.st_size;
    return TRUE;
}

DWORD WINAPI GetFileSize(HANDLE handle, LPDWORD size_high) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle, &size)) return INVALID_FILE_SIZE;
    if (size_high) *size_high = static_cast<DWORD>(size.HighPart);
    // A size whose low part is INVALID_FILE_SIZE is told from a failure by the last error.
    SetLastError(ERROR_SUCCESS);
    return size.LowPart;
}

DWORD WINAPI SetFilePointer(HANDLE handle, LONG distance, LONG* distance_high, DWORD method) {
    using namespace layer::kernel;
    auto file = find_file(handle);
    if (!file) return INVALID_SET_FILE_POINTER;
    int whence;
    switch (method) {
    case FILE_BEGIN: whence = SEEK_SET; break;
    case FILE_CURRENT: whence = SEEK_CUR; break;
    case FILE_END: whence = SEEK_END; break;
    default: SetLastError(ERROR_INVALID_PARAMETER); return INVALID_SET_FILE_POINTER;
    }
    const LONGLONG move = distance_high
                              ? static_cast<LONGLONG>((static_cast<ULONGLONG>(static_cast<DWORD>(*distance_high)) << 32) |
                                                      static_cast<DWORD>(distance))
                              : static_cast<LONGLONG>(distance);
    const off_t old_position = lseek(file->fd(), 0, SEEK_CUR);
    off_t base = 0;
    if (whence == SEEK_CUR) base = old_position;
    if (whence == SEEK_END) {
        struct stat info{};
        if (fstat(file->fd(), &info) != 0) {
            SetLastError(layer::error_from_errno(errno));
            return INVALID_SET_FILE_POINTER;
        }
        base = info.st_size;
    }
    const LONGLONG target = static_cast<LONGLONG>(base) + move;
    if (target < 0) {
        SetLastError(ERROR_NEGATIVE_SEEK);
        return INVALID_SET_FILE_POINTER;
    }
    // Without a high part the new position must fit the 32-bit result.
    if (!distance_high && target > 0xFFFFFFFELL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    if (lseek(file->fd(), static_cast<off_t>(target), SEEK_SET) == -1) {
        SetLastError(io_error(errno));
        return INVALID_SET_FILE_POINTER;
    }
    if (distance_high) *distance_high = static_cast<LONG>(static_cast<ULONGLONG>(target) >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(target);
}

BOOL WINAPI DeleteFileW(LPCWSTR path) {
    const std::string native = layer::to_native_path(path);
    struct stat info{};
    if (native.empty() || lstat(native.c_str(), &info) != 0) {
        SetLastError(native.empty() ? ERROR_PATH_NOT_FOUND : layer::path_error_from_errno(errno, native));
        return FALSE;
    }
    // Folders are not files; a file without write permission is the platform's read-only file.
    if (S_ISDIR(info.st_mode) || (S_ISREG(info.st_mode) && (info.st_mode & 0222) == 0)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (::unlink(native.c_str()) != 0) {
        SetLastError(layer::path_error_from_errno(errno, native));
        return FALSE;
    }
    return TRUE;
}

DWORD WINAPI GetFileAttributesW(LPCWSTR path) {
    const std::string native = layer::to_native_path(path);
    struct stat info{};
    if (native.empty() || stat(layer::map_device_name(native).c_str(), &info) != 0) {
        SetLastError(native.empty() ? ERROR_PATH_NOT_FOUND : layer::path_error_from_errno(errno, native));
        return INVALID_FILE_ATTRIBUTES;
    }
    DWORD attributes = 0;
    if (S_ISDIR(info.st_mode)) attributes |= FILE_ATTRIBUTE_DIRECTORY;
    else if ((info.st_mode & 0222) == 0) attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

BOOL WINAPI SetFileAttributesW(LPCWSTR path, DWORD attributes) {
    const std::string native = layer::to_native_path(path);
    struct stat info{};
    if (native.empty() || stat(native.c_str(), &info) != 0) {
        SetLastError(native.empty() ? ERROR_PATH_NOT_FOUND : layer::path_error_from_errno(errno, native));
        return FALSE;
    }
    // Only the read-only attribute has a Linux meaning: it takes all write permission away;
    // clearing it gives the owner write permission back.
    mode_t mode = info.st_mode & 07777;
    mode = (attributes & FILE_ATTRIBUTE_READONLY) ? (mode & ~0222) : (mode | 0200);
    if (chmod(native.c_str(), mode) != 0) {
        SetLastError(layer::path_error_from_errno(errno, native));
        return FALSE;
    }
    return TRUE;
}
