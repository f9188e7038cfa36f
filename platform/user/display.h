// The display backend: what shows the windows. The window manager tells it about windows and
// hands it frames; the backend turns user input into window messages (see input.h).
//
// Two backends: SDL2 when a display is present (DISPLAY or WAYLAND_DISPLAY set and SDL's video
// starts), headless otherwise. The SDL backend owns one display thread that alone calls SDL:
// it creates, moves and destroys the real windows, uploads presented frames into textures and
// pumps SDL's events. Other threads only queue commands for it.
#pragma once

#include "win32.h"
#include "user/window.h"

#include <memory>
#include <string>

namespace layer::user {

struct IconImage;

class Display {
public:
    virtual ~Display() = default;
    virtual bool is_headless() const = 0;
    virtual SIZE screen_size() = 0;

    // client: the client area in screen coordinates.
    virtual void create(HWND hwnd, const std::u16string& title, RECT client, const IconImage* icon) = 0;
    virtual void destroy(HWND hwnd) = 0;
    virtual void show(HWND hwnd, bool visible) = 0;
    virtual void place(HWND hwnd, RECT client) = 0;
    virtual void retitle(HWND hwnd, const std::u16string& title) = 0;
    virtual void present(HWND hwnd, std::shared_ptr<const Frame> frame) = 0;
    // What the display shows of a window's client area, read back from the display itself.
    virtual std::shared_ptr<const Frame> read_back(HWND hwnd) = 0;
    // Modal box; returns the index of the chosen button, or -1 when no box could be shown.
    virtual int message_box(const std::string& caption, const std::string& text, int icon_kind,
                            const std::vector<std::string>& buttons, int default_button) = 0;
};

// The process's display, chosen on first use.
Display& display();

std::unique_ptr<Display> make_headless_display();
// Null when no display is present or SDL cannot start its video.
std::unique_ptr<Display> make_sdl_display();

} // namespace layer::user
