#include "posix_errors.h"

#include <win32/kernel.h>

#include <cerrno>
#include <sys/stat.h>

namespace layer {

DWORD error_from_errno(int error) {
    switch (error) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_FILE_EXISTS;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return ERROR_DISK_FULL;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EBADF: return ERROR_INVALID_HANDLE;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case ELOOP: return ERROR_INVALID_NAME;
    default: return ERROR_GEN_FAILURE; // EIO and other device failures
    }
}

DWORD path_error_from_errno(int error, const std::string& path) {
    if (error != ENOENT) return error_from_errno(error);
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ERROR_FILE_NOT_FOUND;
    const std::string folder = slash == 0 ? std::string("/") : path.substr(0, slash);
    struct stat info{};
    if (stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return ERROR_FILE_NOT_FOUND;
    return ERROR_PATH_NOT_FOUND;
}

} // namespace layer
