// COM initialisation, counted per thread: the first call on a thread gives S_OK, further calls
// with the same concurrency model S_FALSE, and each must be matched by CoUninitialize.
#include <win32/com.h>

#include <cstdlib>

namespace {

struct ThreadInit {
    unsigned count = 0;
    bool apartment = false;
};

thread_local ThreadInit thread_init;

} // namespace

HRESULT WINAPI CoInitializeEx(LPVOID reserved, DWORD concurrency) {
    if (reserved) return E_INVALIDARG;
    const bool apartment = (concurrency & COINIT_APARTMENTTHREADED) != 0;
    if (thread_init.count == 0) {
        thread_init.apartment = apartment;
        thread_init.count = 1;
        return S_OK;
    }
    if (thread_init.apartment != apartment) return RPC_E_CHANGED_MODE;
    ++thread_init.count;
    return S_FALSE;
}

HRESULT WINAPI CoInitialize(LPVOID reserved) { return CoInitializeEx(reserved, COINIT_APARTMENTTHREADED); }

void WINAPI CoUninitialize() {
    if (thread_init.count > 0) --thread_init.count;
}

LPVOID WINAPI CoTaskMemAlloc(SIZE_T bytes) { return std::malloc(bytes ? bytes : 1); }

LPVOID WINAPI CoTaskMemRealloc(LPVOID memory, SIZE_T bytes) { return std::realloc(memory, bytes ? bytes : 1); }

void WINAPI CoTaskMemFree(LPVOID memory) { std::free(memory); }
