// The window module's shared variables and its window procedure.
#pragma once

#include <atomic>

#include "platform_api.h"

namespace Pellux {

class GraphWnd;

// The one window object; null once it has been destroyed, which tells window threads still
// running to wind down instead of touching it.
extern std::atomic<GraphWnd*> window_object;
// The console window, null when the process has none (always on Linux, where a terminal has no
// window of its own).
extern std::atomic<HWND> console_window;
// Set by MOUSE_WAIT_REQUEST, cleared (with the event signalled) by the next mouse message.
extern std::atomic<bool> mouse_waiting;

// The window procedure of the class "PelluxWnd"; runs on the window thread.
LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Destroys a window of the calling (window) thread for the library's own reasons: its WM_DESTROY
// then ends only the thread's loop, not the program.
void destroy_window_quietly(HWND hwnd);

} // namespace Pellux
