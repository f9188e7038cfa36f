// The runtime library's secure stream and formatting calls, with the platform's semantics:
// text mode ("t", the default) stores every LF as CR LF, reads CR LF back as LF and positions
// by stored bytes; "b" is binary. The streams are ordinary FILE objects.
#pragma once

#include "base.h"

#include <cstdarg>
#include <cstddef>
#include <cstdio>

using errno_t = int;

// Count argument of _snprintf_s: write what fits and report truncation.
constexpr std::size_t _TRUNCATE = static_cast<std::size_t>(-1);

errno_t fopen_s(FILE** stream, const char* path, const char* mode);
errno_t _wfopen_s(FILE** stream, const WCHAR* path, const WCHAR* mode);
errno_t _wfreopen_s(FILE** stream, const WCHAR* path, const WCHAR* mode, FILE* old_stream);

// Bounded formatting. When the text does not fit, the buffer is left empty, errno is ERANGE
// and the result is -1 (the platform's runtime calls its invalid-parameter handler here,
// which by default ends the process; returning an error is the layer's safe choice).
int vsprintf_s(char* buffer, std::size_t size, const char* format, va_list arguments)
    __attribute__((format(printf, 3, 0)));
int sprintf_s(char* buffer, std::size_t size, const char* format, ...) __attribute__((format(printf, 3, 4)));
int _vsnprintf_s(char* buffer, std::size_t size, std::size_t count, const char* format, va_list arguments)
    __attribute__((format(printf, 4, 0)));
int _snprintf_s(char* buffer, std::size_t size, std::size_t count, const char* format, ...)
    __attribute__((format(printf, 4, 5)));

template <std::size_t N>
int sprintf_s(char (&buffer)[N], const char* format, ...) __attribute__((format(printf, 2, 3)));

template <std::size_t N>
int sprintf_s(char (&buffer)[N], const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const int written = vsprintf_s(buffer, N, format, arguments);
    va_end(arguments);
    return written;
}
