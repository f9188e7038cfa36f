#include "user/display.h"

#include <cstdlib>

namespace layer::user {

Display& display() {
    // Leaked on purpose: windows are shown until the very end of the process.
    static Display* chosen = [] {
        auto set = [](const char* name) {
            const char* value = std::getenv(name);
            return value != nullptr && *value != 0;
        };
        if (set("DISPLAY") || set("WAYLAND_DISPLAY"))
            if (auto sdl = make_sdl_display()) return sdl.release();
        return make_headless_display().release();
    }();
    return *chosen;
}

} // namespace layer::user
