// The modules that the layer builds in. LoadLibraryW finds a module by name in this table
// instead of loading a file, and GetProcAddress looks the name up among its exports.
#pragma once

#include <win32/base.h>

#include <cstddef>
#include <span>

namespace layer {

struct BuiltinExport {
    const char* name;
    FARPROC address;
};

// An export's address, through the generic function pointer type, which any function pointer
// converts to and from.
template <typename Function>
FARPROC export_address(Function* function) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

struct BuiltinModule {
    const char16_t* name; // file name with its extension, e.g. u"kernel32.dll"
    const BuiltinExport* exports;
    std::size_t count;
};

// Every built-in module, listed explicitly in builtin_module_table.cpp.
std::span<const BuiltinModule* const> builtin_modules();

// The modules themselves; each returns a record that lives for the whole process.
const BuiltinModule& kernel32_module();
const BuiltinModule& gdiplus_module();

} // namespace layer
