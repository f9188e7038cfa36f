// The registry of window classes. A class is found by name (case-insensitive) or by its atom,
// and a window keeps its class alive through a shared pointer even after unregistration fails.
#pragma once

#include "win32.h"

#include <memory>
#include <string>

namespace layer::user {

struct WindowClass {
    std::u16string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC proc = nullptr;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON small_icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    int window_count = 0; // guarded by the window manager lock
};

// Looks up a class by name or atom (an integer resource passed as the name).
std::shared_ptr<WindowClass> find_class(LPCWSTR name);

} // namespace layer::user
