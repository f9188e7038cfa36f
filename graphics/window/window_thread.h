// The window thread: makes the window, pumps its messages and refreshes the screen.
#pragma once

#include <atomic>
#include <memory>

#include "graph_wnd.h"
#include "platform_api.h"

namespace Pellux {

// What open and the window thread share for one opening. Held by both through shared
// ownership, so that open may give up waiting without leaving the thread a dangling record.
struct WindowLaunch {
    enum class State { waiting, ready, failed, abandoned };

    WindowStartInfo start{};
    int client_width = 0;
    int client_height = 0;
    HANDLE event = nullptr;  // signalled once the state has left `waiting`
    std::atomic<State> state{State::waiting};
    std::atomic<HWND> hwnd{nullptr};
};

// Starts a window thread for launch. Returns the thread's handle (null when no thread could be
// started) and stores its id.
HANDLE start_window_thread(const std::shared_ptr<WindowLaunch>& launch, DWORD* thread_id);

// Copies the whole window surface onto the window, under the library lock. Skips a window object
// without a client DC (closed) or one that is being destroyed.
void refresh_window(GraphWnd& window);

// Whether the window thread refreshes at tick count now after refreshing at last: once more than
// 16 ms have passed. The difference is unsigned, so the tick count's wrap-around after 49.7 days
// does not stop the refresh.
constexpr bool refresh_due(DWORD now, DWORD last) { return now - last > 16; }

// Whether the calling thread is a window thread.
bool on_window_thread();

} // namespace Pellux
