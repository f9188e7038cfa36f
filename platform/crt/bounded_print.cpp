// Bounded formatting. The formats are the C library's.
#include <win32/crt.h>

#include <cerrno>

namespace {

int invalid(char* buffer, std::size_t size, int error) {
    if (buffer && size > 0) buffer[0] = 0;
    errno = error;
    return -1;
}

} // namespace

int vsprintf_s(char* buffer, std::size_t size, const char* format, va_list arguments) {
    if (!buffer || size == 0 || !format) return invalid(buffer, size, EINVAL);
    const int length = vsnprintf(buffer, size, format, arguments);
    if (length < 0) return invalid(buffer, size, EINVAL);
    if (static_cast<std::size_t>(length) >= size) return invalid(buffer, size, ERANGE);
    return length;
}

int sprintf_s(char* buffer, std::size_t size, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const int length = vsprintf_s(buffer, size, format, arguments);
    va_end(arguments);
    return length;
}

// Writes at most count characters (or what fits, with _TRUNCATE). A cut result is -1; output
// that does not fit where no cut was allowed leaves the buffer empty, like sprintf_s.
int _vsnprintf_s(char* buffer, std::size_t size, std::size_t count, const char* format, va_list arguments) {
    if (!buffer || size == 0 || !format) return invalid(buffer, size, EINVAL);
    const int length = vsnprintf(buffer, size, format, arguments);
    if (length < 0) return invalid(buffer, size, EINVAL);
    const auto full = static_cast<std::size_t>(length);
    if (count == _TRUNCATE) return full < size ? length : -1;
    if (count < size) {
        if (full <= count) return length;
        buffer[count] = 0;
        return -1;
    }
    if (full < size) return length;
    return invalid(buffer, size, ERANGE);
}

int _snprintf_s(char* buffer, std::size_t size, std::size_t count, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const int length = _vsnprintf_s(buffer, size, count, format, arguments);
    va_end(arguments);
    return length;
}
