// The platform's error code for a failed POSIX call on a path or a descriptor.
#pragma once

#include <win32/base.h>

#include <string>

namespace layer {

DWORD error_from_errno(int error);
// As above, but tells a missing file from a missing folder on the way to it, as the platform
// does: ERROR_FILE_NOT_FOUND when the folder exists, ERROR_PATH_NOT_FOUND when it does not.
DWORD path_error_from_errno(int error, const std::string& path);

} // namespace layer
