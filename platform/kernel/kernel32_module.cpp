// "kernel32.dll" as a built-in module: a few of the layer's kernel functions, reachable by name.
#include <layer/builtin_modules.h>
#include <win32/kernel.h>

namespace layer {
namespace {

// Through the generic function pointer type, which any function pointer converts to and from.
template <typename Function>
FARPROC address_of(Function* function) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

} // namespace

const BuiltinModule& kernel32_module() {
    static const BuiltinExport exports[] = {
        {"CloseHandle", address_of(&CloseHandle)},
        {"CreateEventW", address_of(&CreateEventW)},
        {"CreateThread", address_of(&CreateThread)},
        {"GetCurrentThreadId", address_of(&GetCurrentThreadId)},
        {"GetLastError", address_of(&GetLastError)},
        {"GetTickCount", address_of(&GetTickCount)},
        {"GetTickCount64", address_of(&GetTickCount64)},
        {"SetEvent", address_of(&SetEvent)},
        {"SetLastError", address_of(&SetLastError)},
        {"Sleep", address_of(&Sleep)},
        {"WaitForSingleObject", address_of(&WaitForSingleObject)},
        {"lstrcmpW", address_of(&lstrcmpW)},
        {"lstrcpynW", address_of(&lstrcpynW)},
        {"lstrlenW", address_of(&lstrlenW)},
    };
    static const BuiltinModule module{u"kernel32.dll", exports, std::size(exports)};
    return module;
}

} // namespace layer
