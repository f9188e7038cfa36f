// Test hooks of the window manager: look at what a window shows and feed it input as the
// display would. Linux builds only.
#pragma once

#include "win32.h"

#include <cstdint>
#include <vector>

namespace layer {

enum class DisplayBackend { headless, sdl };

// The backend in use (chosen on first use: SDL when a display is present, headless otherwise).
DisplayBackend display_backend();

// Pixels 0x00RRGGBB, rows top-down; empty (0 by 0) when there is nothing.
struct WindowPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Without a display, presenting a frame only counts it; with this on, each presented frame is
// kept for presented_pixels and displayed_pixels. The SDL backend always keeps them.
void keep_presented_frames(bool keep);

// The window's backing store as it is now (what GDI drew into its client area).
WindowPixels backing_store_pixels(HWND hwnd);
// The last frame the window's thread presented.
WindowPixels presented_pixels(HWND hwnd);
// What the display itself shows of the client area, read back from it (SDL: from the renderer).
WindowPixels displayed_pixels(HWND hwnd);
// How many frames the window's thread has presented.
std::uint64_t present_count(HWND hwnd);

enum class MouseButton { left, right, middle };

// Input as the display delivers it. Points are client coordinates; keys holds MK_* flags of the
// modifiers and of other buttons held. False for a window that does not exist.
bool inject_mouse_move(HWND hwnd, int x, int y, WPARAM keys = 0);
// clicks 2 is the second press of a double-click (WM_xBUTTONDBLCLK for CS_DBLCLKS classes).
bool inject_mouse_button(HWND hwnd, MouseButton button, bool down, int x, int y, WPARAM keys = 0, int clicks = 1);
// delta in units of WHEEL_DELTA (120) per notch; lParam of the message holds screen coordinates.
bool inject_mouse_wheel(HWND hwnd, int x, int y, int delta, WPARAM keys = 0);
bool inject_key(HWND hwnd, UINT virtual_key, bool down, bool repeat = false);
// The close button of the window's frame.
bool inject_close(HWND hwnd);

} // namespace layer
