// Posting, sending, peeking, waiting and dispatching messages.
#include "user/input.h"
#include "user/presenter.h"
#include "user/window.h"
#include "user/wm_lock.h"

using namespace layer::user;

namespace {

// WM_PAINT is made up, never queued: for the oldest visible invalid window of the thread.
bool find_paint(DWORD thread_id, HWND filter, UINT min, UINT max, MSG& out) {
    if (!((min == 0 && max == 0) || (WM_PAINT >= min && WM_PAINT <= max))) return false;
    if (filter == reinterpret_cast<HWND>(static_cast<std::intptr_t>(-1))) return false;
    for (const auto& window : windows_of(thread_id)) {
        if (filter != nullptr && window->handle != filter) continue;
        std::lock_guard lock(wm_mutex());
        if (!window->visible || !window->has_update || window->destroying) continue;
        out = MSG{window->handle, WM_PAINT, 0, 0, message_time(), cursor_position()};
        return true;
    }
    return false;
}

} // namespace

BOOL WINAPI PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd == nullptr) return current_queue()->post(MSG{nullptr, message, wParam, lParam, message_time(), cursor_position()});
    auto window = find_window(hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return window->owner->post(MSG{hwnd, message, wParam, lParam, message_time(), cursor_position()}) ? TRUE : FALSE;
}

BOOL WINAPI PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
    auto queue = threadId == GetCurrentThreadId() ? current_queue() : queue_of(threadId);
    if (!queue || !queue->post(MSG{nullptr, message, wParam, lParam, message_time(), cursor_position()})) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}

LRESULT WINAPI SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto window = find_window(hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (is_owner_thread(*window)) return call_window(hwnd, message, wParam, lParam);
    // Carried out on the owner thread when it pumps; meanwhile this thread still handles what
    // is sent to its own windows, so two threads sending to each other do not lock up.
    auto self = current_queue();
    auto sent = std::make_shared<SentMessage>();
    sent->hwnd = hwnd;
    sent->message = message;
    sent->wParam = wParam;
    sent->lParam = lParam;
    sent->sender = self;
    if (!window->owner->deliver(sent)) return 0;
    return self->wait_for(sent);
}

BOOL WINAPI SendNotifyMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto window = find_window(hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    notify(window, message, wParam, lParam);
    return TRUE;
}

BOOL WINAPI PeekMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
    auto queue = current_queue();
    queue->run_incoming();
    present_dirty_windows(queue->thread_id());
    MSG found{};
    const bool remove = (removeFlags & PM_REMOVE) != 0;
    if (queue->take_posted(found, hwnd, filterMin, filterMax, remove) ||
        queue->take_quit(found, remove) ||
        find_paint(queue->thread_id(), hwnd, filterMin, filterMax, found)) {
        if (msg != nullptr) *msg = found;
        return TRUE;
    }
    return FALSE;
}

BOOL WINAPI GetMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    if (msg == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    if (hwnd != nullptr && hwnd != reinterpret_cast<HWND>(static_cast<std::intptr_t>(-1)) && !find_window(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return -1;
    }
    auto queue = current_queue();
    for (;;) {
        queue->arm();
        if (PeekMessageW(msg, hwnd, filterMin, filterMax, PM_REMOVE)) return msg->message == WM_QUIT ? FALSE : TRUE;
        queue->wait();
    }
}

BOOL WINAPI WaitMessage() {
    auto queue = current_queue();
    queue->arm();
    if (PeekMessageW(nullptr, nullptr, 0, 0, PM_NOREMOVE)) return TRUE;
    queue->wait();
    return TRUE;
}

BOOL WINAPI TranslateMessage(const MSG* msg) {
    if (msg == nullptr) return FALSE;
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) return FALSE;
    // The characters of a plain keyboard layout; other keys make no character.
    const auto vk = static_cast<UINT>(msg->wParam);
    const bool shift = key_is_down(VK_SHIFT);
    char16_t ch = 0;
    if (vk >= 'A' && vk <= 'Z') ch = static_cast<char16_t>(shift ? vk : vk + 32);
    else if (vk >= '0' && vk <= '9' && !shift) ch = static_cast<char16_t>(vk);
    else if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) ch = static_cast<char16_t>(u'0' + (vk - VK_NUMPAD0));
    else if (vk == VK_SPACE) ch = u' ';
    else if (vk == VK_RETURN) ch = u'\r';
    else if (vk == VK_BACK) ch = u'\b';
    else if (vk == VK_TAB) ch = u'\t';
    else if (vk == VK_ESCAPE) ch = 0x1B;
    if (ch != 0 && msg->message == WM_KEYDOWN) PostMessageW(msg->hwnd, WM_CHAR, ch, msg->lParam);
    return TRUE;
}

LRESULT WINAPI DispatchMessageW(const MSG* msg) {
    if (msg == nullptr || msg->hwnd == nullptr) return 0;
    auto window = find_window(msg->hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (!is_owner_thread(*window)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    return call_window(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

void WINAPI PostQuitMessage(int exitCode) { current_queue()->post_quit(exitCode); }

BOOL WINAPI InSendMessage() { return current_queue()->send_depth > 0 ? TRUE : FALSE; }

LRESULT WINAPI CallWindowProcW(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return proc ? proc(hwnd, message, wParam, lParam) : 0;
}
