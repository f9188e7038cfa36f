// "kernel32.dll" as a built-in module: a few of the layer's kernel functions, reachable by name.
#include <layer/builtin_modules.h>
#include <win32/kernel.h>

namespace layer {

const BuiltinModule& kernel32_module() {
    static const BuiltinExport exports[] = {
        {"CloseHandle", export_address(&CloseHandle)},
        {"CreateEventW", export_address(&CreateEventW)},
        {"CreateThread", export_address(&CreateThread)},
        {"GetCurrentThreadId", export_address(&GetCurrentThreadId)},
        {"GetLastError", export_address(&GetLastError)},
        {"GetTickCount", export_address(&GetTickCount)},
        {"GetTickCount64", export_address(&GetTickCount64)},
        {"SetEvent", export_address(&SetEvent)},
        {"SetLastError", export_address(&SetLastError)},
        {"Sleep", export_address(&Sleep)},
        {"WaitForSingleObject", export_address(&WaitForSingleObject)},
        {"lstrcmpW", export_address(&lstrcmpW)},
        {"lstrcpynW", export_address(&lstrcpynW)},
        {"lstrlenW", export_address(&lstrlenW)},
    };
    static const BuiltinModule module{u"kernel32.dll", exports, std::size(exports)};
    return module;
}

} // namespace layer
