// UTF-16 helpers for the window manager: names and titles arrive as NUL-terminated UTF-16.
#pragma once

#include "win32.h"

#include <string>

namespace layer::user {

// A copy of a NUL-terminated wide string; null gives an empty string.
std::u16string wide_copy(LPCWSTR text);

// UTF-16 to UTF-8, unpaired surrogates becoming U+FFFD.
std::string to_utf8(const std::u16string& text);

// Case-insensitive comparison for class names, as the platform compares them (ASCII letters).
bool equal_names(const std::u16string& a, const std::u16string& b);

// An integer resource id or atom passed in place of a string pointer.
inline bool is_int_resource(LPCWSTR name) { return reinterpret_cast<ULONG_PTR>(name) < 0x10000; }

} // namespace layer::user
