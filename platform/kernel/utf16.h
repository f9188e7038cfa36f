// Conversions between the platform's UTF-16 text and the UTF-8 of Linux names.
#pragma once

#include <win32/base.h>

#include <string>
#include <string_view>

namespace layer {

// UTF-16 to UTF-8. Unpaired surrogates are kept as their own three-byte sequences, so that
// distinct UTF-16 names stay distinct on the file system.
std::string to_utf8(std::u16string_view text);
// UTF-8 to UTF-16; bytes that are not UTF-8 become U+FFFD.
std::u16string to_utf16(std::string_view text);

// A platform path as a Linux path: UTF-8, with backslashes turned into slashes, since the
// platform accepts both as separators.
std::string to_native_path(const WCHAR* path);
std::string to_native_path(const char* path);

} // namespace layer
