#include "mouse_input.h"

#include <mutex>

#include "graph_wnd.h"
#include "window_module.h"

namespace {

// The queue has one reader at a time. Never destroyed: readers may run during process exit.
std::mutex& reader() {
    static std::mutex* lock = new std::mutex;
    return *lock;
}

// How often a wait looks at the queue and the window while it waits for the event.
constexpr DWORD wait_slice_ms = 10;

Pellux::Collections::FixedQueue<MOUSEMSG>* queue() {
    Pellux::GraphWnd* window = Pellux::window_object.load();
    return window ? &window->mouse_queue : nullptr;
}

} // namespace

bool mouse_wait_message(DWORD timeout_ms) {
    const DWORD started = GetTickCount();
    bool requested = false;
    for (;;) {
        Pellux::GraphWnd* window = Pellux::window_object.load();
        if (!window) return false;
        if (!window->mouse_queue.is_empty()) return true;
        HWND hwnd = window->hwnd.load();
        if (!hwnd) return false;  // closed, or an open under way: nothing to wait for
        const DWORD waited = GetTickCount() - started;
        if (timeout_ms != INFINITE && waited >= timeout_ms) return false;
        if (!requested) {
            // Posted, not sent: a busy window thread cannot hold the caller up.
            requested = PostMessageW(hwnd, MOUSE_WAIT_REQUEST, 0, 0) != FALSE;
        }
        DWORD slice = wait_slice_ms;
        if (timeout_ms != INFINITE && timeout_ms - waited < slice) slice = timeout_ms - waited;
        // The event also serves open's handshake, so a signal is only a hint: the loop looks at
        // the queue itself. A message queued before the request was handled releases nobody and
        // is found by the next look.
        if (WaitForSingleObject(window->event, slice) == WAIT_OBJECT_0) requested = false;
    }
}

bool mouse_get_message(MOUSEMSG* message) {
    std::lock_guard<std::mutex> hold(reader());
    auto* mouse = queue();
    if (!mouse || mouse->is_empty()) return false;
    const MOUSEMSG record = mouse->pop();
    if (message) *message = record;
    return true;
}

bool mouse_peek_message(MOUSEMSG* message) {
    std::lock_guard<std::mutex> hold(reader());
    auto* mouse = queue();
    if (!mouse || mouse->is_empty()) return false;
    if (message) *message = mouse->peek();
    return true;
}

bool mouse_has_message() {
    auto* mouse = queue();
    return mouse && !mouse->is_empty();
}

void mouse_clear_messages() {
    std::lock_guard<std::mutex> hold(reader());
    if (auto* mouse = queue()) mouse->clear();
}
