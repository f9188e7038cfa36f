#include "native_open.h"

#include <cerrno>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace layer {
namespace {

int open_retrying(const std::string& path, int flags, mode_t mode) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags, mode);
    } while (fd == -1 && errno == EINTR);
    return fd;
}

NativeOpenResult failure(int error) {
    NativeOpenResult result;
    result.error = error;
    return result;
}

} // namespace

std::string map_device_name(const std::string& path) {
    std::string name = path;
    if (name.rfind("//./", 0) == 0) name = name.substr(4);
    if (strcasecmp(name.c_str(), "NUL") == 0) return "/dev/null";
    return path;
}

NativeOpenResult open_native(const std::string& requested_path, const NativeOpenRequest& request) {
    const std::string path = map_device_name(requested_path);
    if (path.empty()) return failure(ENOENT);

    int access = O_RDONLY;
    if (request.write) access = request.read ? O_RDWR : O_WRONLY;
    int flags = access | O_CLOEXEC | O_NOCTTY;
    if (request.append) flags |= O_APPEND;
    const mode_t mode = request.read_only_file ? 0444 : 0666;

    const bool may_create = request.disposition != Disposition::open_existing &&
                            request.disposition != Disposition::truncate_existing;
    const bool must_create = request.disposition == Disposition::create_new;
    const bool truncate = request.disposition == Disposition::create_always ||
                    request.disposition == Disposition::truncate_existing;

    NativeOpenResult result;
    bool created = false;
    for (int attempt = 0; attempt < 8 && result.fd == -1; ++attempt) {
        if (!must_create) {
            result.fd = open_retrying(path, flags, 0);
            if (result.fd != -1) {
                result.existed = true;
                break;
            }
            if (errno != ENOENT || !may_create) return failure(errno);
        }
        result.fd = open_retrying(path, flags | O_CREAT | O_EXCL, mode);
        if (result.fd != -1) {
            created = true;
            break;
        }
        // Someone made the file in between: open it as an existing one.
        if (errno != EEXIST || must_create) return failure(errno);
    }
    if (result.fd == -1) return failure(EEXIST);

    struct stat info{};
    if (fstat(result.fd, &info) != 0) {
        const int error = errno;
        ::close(result.fd);
        return failure(error);
    }
    const bool refused_folder = S_ISDIR(info.st_mode) && !request.allow_directory;
    const bool read_only = S_ISREG(info.st_mode) && (info.st_mode & 0222) == 0 && !created;
    if (refused_folder || (read_only && (request.write || truncate))) {
        ::close(result.fd);
        return failure(EACCES);
    }
    // A handle without write access still empties the file it replaces, as on the platform.
    const bool emptied = !truncate || !S_ISREG(info.st_mode) || info.st_size == 0 ||
                         (request.write ? ftruncate(result.fd, 0) : ::truncate(path.c_str(), 0)) == 0;
    if (!emptied) {
        const int error = errno;
        ::close(result.fd);
        return failure(error);
    }
    return result;
}

} // namespace layer
