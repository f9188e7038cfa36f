// User input turned into window messages, as the display delivers it: posted to the window's
// thread (mouse and keys) or sent without waiting (the close command). The SDL backend and the
// test hooks both come through here.
#pragma once

#include "win32.h"

namespace layer::user {

enum class MouseButton { left, right, middle };

// Points are in client coordinates; keys holds MK_* flags of modifiers and other held buttons.
bool deliver_mouse_move(HWND hwnd, POINT client, WPARAM keys);
// clicks: 2 for the second press of a double-click; it becomes WM_xBUTTONDBLCLK for CS_DBLCLKS classes.
bool deliver_mouse_button(HWND hwnd, MouseButton button, bool down, int clicks, POINT client, WPARAM keys);
// delta: multiples of WHEEL_DELTA, positive away from the user.
bool deliver_mouse_wheel(HWND hwnd, POINT client, int delta, WPARAM keys);
bool deliver_key(HWND hwnd, UINT vk, bool down, bool repeat, UINT scan_code);
// The close button: WM_CLOSE to the window procedure, unless the class has CS_NOCLOSE.
bool deliver_close(HWND hwnd);

// Key state as input delivered it.
bool key_is_down(UINT vk);
// The last pointer position in screen coordinates.
POINT cursor_position();

} // namespace layer::user
