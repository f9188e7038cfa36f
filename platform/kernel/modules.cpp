// Module handles and names. The executable is one module; the layer's built-in modules are the
// others, found by name instead of being loaded from files. Built-in modules live inside the
// executable, so their file name is the executable's.
#include <layer/builtin_modules.h>
#include <win32/kernel.h>

#include "utf16.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <string>
#include <unistd.h>

#include "posix_errors.h"

// Start of the executable's image, provided by the linker; it serves as the executable's
// module handle, as the image base does on the platform.
extern "C" const char __executable_start;

namespace {

HMODULE executable_handle() { return reinterpret_cast<HMODULE>(const_cast<char*>(&__executable_start)); }

const layer::BuiltinModule* builtin_of(HMODULE module) {
    for (const layer::BuiltinModule* builtin : layer::builtin_modules())
        if (reinterpret_cast<HMODULE>(const_cast<layer::BuiltinModule*>(builtin)) == module) return builtin;
    return nullptr;
}

HMODULE handle_of(const layer::BuiltinModule* builtin) {
    return reinterpret_cast<HMODULE>(const_cast<layer::BuiltinModule*>(builtin));
}

char16_t fold(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool equal_folded(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return fold(x) == fold(y); });
}

bool ends_with_dll(std::u16string_view name) { return name.size() > 4 && equal_folded(name.substr(name.size() - 4), u".dll"); }

// The module part of a name: no folder, and no ".dll" (which the platform adds when missing).
std::u16string_view module_stem(std::u16string_view name) {
    const auto slash = name.find_last_of(u"\\/");
    if (slash != std::u16string_view::npos) name = name.substr(slash + 1);
    if (ends_with_dll(name)) name = name.substr(0, name.size() - 4);
    return name;
}

const layer::BuiltinModule* find_builtin(LPCWSTR name) {
    if (!name) return nullptr;
    const std::u16string_view wanted = module_stem(name);
    for (const layer::BuiltinModule* builtin : layer::builtin_modules())
        if (equal_folded(module_stem(builtin->name), wanted)) return builtin;
    return nullptr;
}

std::string executable_path() {
    std::string path(PATH_MAX, '\0');
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
        if (length < 0) return {};
        if (static_cast<std::size_t>(length) < path.size()) {
            path.resize(static_cast<std::size_t>(length));
            return path;
        }
        path.resize(path.size() * 2);
    }
}

} // namespace

HMODULE WINAPI GetModuleHandleW(LPCWSTR name) {
    if (!name) return executable_handle();
    if (const auto* builtin = find_builtin(name)) return handle_of(builtin);
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

DWORD WINAPI GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size) {
    if (module && module != executable_handle() && !builtin_of(module)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    const std::string native = executable_path();
    if (native.empty()) {
        SetLastError(layer::error_from_errno(errno));
        return 0;
    }
    if (size == 0 || !buffer) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const std::u16string path = layer::to_utf16(native);
    // Too small a buffer gets the path cut to size - 1 characters and the terminator; the
    // result is then the buffer size itself.
    if (path.size() >= size) {
        std::copy_n(path.begin(), size - 1, buffer);
        buffer[size - 1] = 0;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    std::copy(path.begin(), path.end(), buffer);
    buffer[path.size()] = 0;
    return static_cast<DWORD>(path.size());
}

HMODULE WINAPI LoadLibraryW(LPCWSTR name) {
    if (!name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (const auto* builtin = find_builtin(name)) return handle_of(builtin);
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR name) {
    const layer::BuiltinModule* builtin = builtin_of(module);
    if (!builtin && module && module != executable_handle()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    // Values below 0x10000 are ordinals, which no built-in module has.
    const bool by_name = reinterpret_cast<std::uintptr_t>(name) >= 0x10000;
    if (builtin && by_name) {
        const std::string_view wanted(name);
        for (std::size_t i = 0; i < builtin->count; ++i)
            if (wanted == builtin->exports[i].name) return builtin->exports[i].address;
    }
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
}

// Built-in modules stay for the life of the process, so there is nothing to unload.
BOOL WINAPI FreeLibrary(HMODULE module) {
    if (module == executable_handle() || builtin_of(module)) return TRUE;
    SetLastError(ERROR_MOD_NOT_FOUND);
    return FALSE;
}
