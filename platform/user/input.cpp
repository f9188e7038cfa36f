#include "user/input.h"

#include "user/window.h"
#include "user/wm_lock.h"

#include <array>
#include <atomic>

namespace layer::user {
namespace {

std::array<std::atomic<bool>, 256>& key_states() {
    static auto* states = new std::array<std::atomic<bool>, 256>();
    return *states;
}

std::atomic<std::int64_t>& cursor_word() {
    static auto* word = new std::atomic<std::int64_t>(0);
    return *word;
}

void set_cursor(POINT screen) {
    cursor_word() = (static_cast<std::int64_t>(screen.x) << 32) | static_cast<std::uint32_t>(screen.y);
}

LPARAM point_lparam(POINT p) {
    return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(p.x)), static_cast<WORD>(static_cast<SHORT>(p.y)));
}

// Posts an input message; the pointer position of the message is the screen point.
bool post_input(const std::shared_ptr<Window>& window, UINT message, WPARAM wParam, LPARAM lParam) {
    const MSG msg{window->handle, message, wParam, lParam, message_time(), cursor_position()};
    return window->owner->post(msg);
}

POINT to_screen(const Window& window, POINT client) {
    std::lock_guard lock(wm_mutex());
    const POINT origin = window.client_origin();
    return POINT{client.x + origin.x, client.y + origin.y};
}

} // namespace

bool deliver_mouse_move(HWND hwnd, POINT client, WPARAM keys) {
    auto window = find_window(hwnd);
    if (!window) return false;
    set_cursor(to_screen(*window, client));
    return post_input(window, WM_MOUSEMOVE, keys, point_lparam(client));
}

bool deliver_mouse_button(HWND hwnd, MouseButton button, bool down, int clicks, POINT client, WPARAM keys) {
    auto window = find_window(hwnd);
    if (!window) return false;
    set_cursor(to_screen(*window, client));
    static constexpr UINT base[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    static constexpr WPARAM flag[] = {MK_LBUTTON, MK_RBUTTON, MK_MBUTTON};
    static constexpr UINT vk[] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
    const auto i = static_cast<std::size_t>(button);
    UINT message = base[i];
    if (!down) message += 1;
    else if (clicks == 2 && (window->cls->style & CS_DBLCLKS)) message += 2;
    // The state in wParam is the state after the event: a pressed button is in it, a released one not.
    keys = down ? (keys | flag[i]) : (keys & ~flag[i]);
    key_states()[vk[i]] = down;
    return post_input(window, message, keys, point_lparam(client));
}

bool deliver_mouse_wheel(HWND hwnd, POINT client, int delta, WPARAM keys) {
    auto window = find_window(hwnd);
    if (!window) return false;
    const POINT screen = to_screen(*window, client);
    set_cursor(screen);
    const WPARAM wParam = MAKEWPARAM(static_cast<WORD>(keys), static_cast<WORD>(static_cast<SHORT>(delta)));
    return post_input(window, WM_MOUSEWHEEL, wParam, point_lparam(screen));
}

bool deliver_key(HWND hwnd, UINT vk, bool down, bool repeat, UINT scan_code) {
    auto window = find_window(hwnd);
    if (!window) return false;
    key_states()[vk & 0xFF] = down;
    LPARAM lParam = 1 | (static_cast<LPARAM>(scan_code & 0xFF) << 16);
    if (!down) lParam |= (1L << 30) | (1L << 31);
    else if (repeat) lParam |= 1L << 30;
    return post_input(window, down ? WM_KEYDOWN : WM_KEYUP, vk, lParam);
}

bool deliver_close(HWND hwnd) {
    auto window = find_window(hwnd);
    if (!window) return false;
    if (window->cls->style & CS_NOCLOSE) return true; // the close command is disabled
    notify(window, WM_CLOSE, 0, 0);
    return true;
}

bool key_is_down(UINT vk) { return key_states()[vk & 0xFF]; }

POINT cursor_position() {
    const std::int64_t word = cursor_word();
    return POINT{static_cast<LONG>(word >> 32), static_cast<LONG>(static_cast<std::int32_t>(word & 0xFFFFFFFF))};
}

} // namespace layer::user
