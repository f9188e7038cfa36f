// fopen_s, _wfopen_s and _wfreopen_s with the platform's modes and error codes. Text-mode and
// delete-on-close streams pass through the layer (stored_stream.h); binary streams are plain
// descriptors. The console names "CONOUT$", "CONIN$" and "CON" stand for the process's own
// standard output and input: a Linux process's console is the terminal it runs in.
#include "open_mode.h"
#include "stored_stream.h"

#include <win32/crt.h>

#include "kernel/native_open.h"
#include "kernel/utf16.h"

#include <cerrno>
#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

namespace layer::crt {
namespace {

enum class Console { none, output, input };

Console console_name(const std::string& path, const OpenMode& mode) {
    std::string name = path;
    if (name.rfind("//./", 0) == 0) name = name.substr(4);
    if (strcasecmp(name.c_str(), "CONOUT$") == 0) return Console::output;
    if (strcasecmp(name.c_str(), "CONIN$") == 0) return Console::input;
    if (strcasecmp(name.c_str(), "CON") == 0) return mode.kind == 'r' ? Console::input : Console::output;
    return Console::none;
}

int console_descriptor(Console console) { return console == Console::input ? STDIN_FILENO : STDOUT_FILENO; }

// The runtime library's error numbers for a failed open.
int open_error(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY: return EACCES;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return ENOENT;
    case ENFILE: return EMFILE;
    default: return error;
    }
}

errno_t fail(int error) {
    errno = error;
    return error;
}

NativeOpenRequest request_for(const OpenMode& mode) {
    NativeOpenRequest request;
    request.read = mode.reads();
    request.write = mode.writes();
    request.append = mode.kind == 'a';
    switch (mode.kind) {
    case 'r': request.disposition = Disposition::open_existing; break;
    case 'w': request.disposition = mode.must_be_new ? Disposition::create_new : Disposition::create_always; break;
    default: request.disposition = Disposition::open_always; break;
    }
    return request;
}

errno_t open_stream(FILE** result, const std::string& path, const char* mode_text) {
    const auto mode = parse_open_mode(mode_text);
    if (!mode || path.empty()) return fail(EINVAL);
    int fd = -1;
    if (const Console console = console_name(path, *mode); console != Console::none) {
        fd = fcntl(console_descriptor(console), F_DUPFD_CLOEXEC, 0);
        if (fd == -1) return fail(open_error(errno));
    } else {
        const NativeOpenResult opened = open_native(path, request_for(*mode));
        if (opened.fd == -1) return fail(open_error(opened.error));
        fd = opened.fd;
        if (mode->text || mode->delete_on_close) {
            FILE* stream = open_stored_stream(fd, *mode, mode->delete_on_close ? path : std::string());
            if (!stream) return fail(errno);
            *result = stream;
            return 0;
        }
    }
    FILE* stream = fdopen(fd, mode->c_mode().c_str());
    if (!stream) {
        const int error = errno;
        ::close(fd);
        return fail(error);
    }
    *result = stream;
    return 0;
}

// Wide mode strings are ASCII; anything else is not a mode.
std::string narrow_mode(const WCHAR* mode) {
    std::string narrow;
    for (; *mode; ++mode) {
        if (*mode > 0x7F) return "?";
        narrow += static_cast<char>(*mode);
    }
    return narrow;
}

// Attaches a stream to a new descriptor in place, keeping the FILE object itself: callers and
// the C and C++ standard streams keep pointing at it. The descriptor stays the caller's.
errno_t attach_descriptor(FILE* stream, int fd, const OpenMode& mode, const std::string& delete_path) {
    if (fileno(stream) < 0) {
        const int copy = fcntl(fd, F_DUPFD_CLOEXEC, 0);
        if (copy == -1) return fail(errno);
        if (!reopen_stored_stream(stream, copy, mode, delete_path)) {
            ::close(copy);
            return fail(EINVAL);
        }
        return 0;
    }
    fflush(stream);
    // Already there (a standard stream reopened onto the console): nothing to move.
    if (fileno(stream) == fd) {
        clearerr(stream);
        return 0;
    }
    // Reopened in the new mode on the null device first, so that the FILE takes the new access
    // mode, then pointed at the file.
    if (!freopen("/dev/null", mode.c_mode().c_str(), stream)) return fail(errno);
    const int target = fileno(stream);
    if (target != fd && dup2(fd, target) == -1) return fail(errno);
    clearerr(stream);
    return 0;
}

} // namespace
} // namespace layer::crt

errno_t fopen_s(FILE** stream, const char* path, const char* mode) {
    using namespace layer::crt;
    if (!stream) return fail(EINVAL);
    *stream = nullptr;
    if (!path || !mode) return fail(EINVAL);
    return open_stream(stream, layer::to_native_path(path), mode);
}

errno_t _wfopen_s(FILE** stream, const WCHAR* path, const WCHAR* mode) {
    using namespace layer::crt;
    if (!stream) return fail(EINVAL);
    *stream = nullptr;
    if (!path || !mode) return fail(EINVAL);
    return open_stream(stream, layer::to_native_path(path), narrow_mode(mode).c_str());
}

// The stream object stays the same, as the platform promises. A stream on a descriptor (the
// standard streams among them) gets the new file attached below the C library's buffer, so its
// line ends are no longer translated; the layer's own text streams keep translating. A failed
// reopen leaves the old stream open and unchanged.
errno_t _wfreopen_s(FILE** result, const WCHAR* path, const WCHAR* mode_text, FILE* stream) {
    using namespace layer;
    using namespace layer::crt;
    if (!result) return fail(EINVAL);
    *result = nullptr;
    if (!path || !mode_text || !stream) return fail(EINVAL);
    const auto mode = parse_open_mode(narrow_mode(mode_text).c_str());
    const std::string native = to_native_path(path);
    if (!mode || native.empty()) return fail(EINVAL);
    // Streams without a descriptor can be reopened only when they are the layer's own (glibc
    // cannot reopen them), and a file to delete on close needs a stream of the layer's own to
    // notice the close.
    const bool layer_stream = is_stored_stream(stream);
    if ((fileno(stream) < 0 && !layer_stream) || (mode->delete_on_close && !layer_stream)) return fail(EINVAL);

    OpenMode wanted = *mode;
    int fd;
    bool own_descriptor = false;
    if (const Console console = console_name(native, *mode); console != Console::none) {
        fd = console_descriptor(console);
        wanted.text = false; // the terminal ends its own lines
    } else {
        const NativeOpenResult opened = open_native(native, request_for(*mode));
        if (opened.fd == -1) return fail(open_error(opened.error));
        fd = opened.fd;
        own_descriptor = true;
    }
    const errno_t error = attach_descriptor(stream, fd, wanted, mode->delete_on_close ? native : std::string());
    if (own_descriptor) ::close(fd);
    if (error) return error;
    *result = stream;
    return 0;
}
