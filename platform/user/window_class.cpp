// RegisterClassExW, UnregisterClassW, GetClassInfoExW.
#include "user/window_class.h"

#include "user/text.h"
#include "user/wm_lock.h"

#include <vector>

namespace layer::user {
namespace {

// Leaked on purpose: windows may be created from static initialisers and destroyed at exit.
std::vector<std::shared_ptr<WindowClass>>& classes() {
    static auto* list = new std::vector<std::shared_ptr<WindowClass>>();
    return *list;
}

ATOM next_atom() {
    static ATOM atom = 0xC000; // the platform's range for registered strings
    return atom++;
}

std::vector<std::shared_ptr<WindowClass>>::iterator find_locked(LPCWSTR name) {
    auto& list = classes();
    if (is_int_resource(name)) {
        const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name));
        for (auto it = list.begin(); it != list.end(); ++it)
            if ((*it)->atom == atom) return it;
        return list.end();
    }
    const std::u16string wanted(name);
    for (auto it = list.begin(); it != list.end(); ++it)
        if (equal_names((*it)->name, wanted)) return it;
    return list.end();
}

} // namespace

std::mutex& wm_mutex() {
    static auto* mutex = new std::mutex();
    return *mutex;
}

std::shared_ptr<WindowClass> find_class(LPCWSTR name) {
    if (name == nullptr) return nullptr;
    std::lock_guard lock(wm_mutex());
    auto it = find_locked(name);
    return it == classes().end() ? nullptr : *it;
}

} // namespace layer::user

using namespace layer::user;

ATOM WINAPI RegisterClassExW(const WNDCLASSEXW* wc) {
    if (wc == nullptr || wc->cbSize != sizeof(WNDCLASSEXW) || wc->lpszClassName == nullptr ||
        is_int_resource(wc->lpszClassName) || wc->lpszClassName[0] == 0 || wc->lpfnWndProc == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::lock_guard lock(wm_mutex());
    if (find_locked(wc->lpszClassName) != classes().end()) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    auto cls = std::make_shared<WindowClass>();
    cls->name = wc->lpszClassName;
    cls->atom = next_atom();
    cls->style = wc->style;
    cls->proc = wc->lpfnWndProc;
    cls->instance = wc->hInstance;
    cls->icon = wc->hIcon;
    cls->small_icon = wc->hIconSm;
    cls->cursor = wc->hCursor;
    cls->background = wc->hbrBackground;
    classes().push_back(cls);
    return cls->atom;
}

BOOL WINAPI UnregisterClassW(LPCWSTR className, HINSTANCE) {
    if (className == nullptr) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    std::lock_guard lock(wm_mutex());
    auto it = find_locked(className);
    if (it == classes().end()) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if ((*it)->window_count > 0) {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return FALSE;
    }
    classes().erase(it);
    return TRUE;
}

BOOL WINAPI GetClassInfoExW(HINSTANCE, LPCWSTR className, WNDCLASSEXW* wc) {
    auto cls = find_class(className);
    if (!cls || wc == nullptr) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    wc->cbSize = sizeof(WNDCLASSEXW);
    wc->style = cls->style;
    wc->lpfnWndProc = cls->proc;
    wc->cbClsExtra = 0;
    wc->cbWndExtra = 0;
    wc->hInstance = cls->instance;
    wc->hIcon = cls->icon;
    wc->hCursor = cls->cursor;
    wc->hbrBackground = cls->background;
    wc->lpszMenuName = nullptr;
    wc->lpszClassName = cls->name.c_str();
    wc->hIconSm = cls->small_icon;
    return cls->atom;
}
