#include "user_test_support.h"

#include <atomic>

namespace {

std::mutex& reaction_mutex() {
    static std::mutex m;
    return m;
}

Reaction& reaction() {
    static Reaction r;
    return r;
}

LRESULT CALLBACK recording_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    message_log().add(Recorded{hwnd, message, wParam, lParam, GetCurrentThreadId()});
    Reaction react;
    {
        std::lock_guard lock(reaction_mutex());
        react = reaction();
    }
    LRESULT result = 0;
    if (react && react(hwnd, message, wParam, lParam, result)) return result;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

MessageLog& message_log() {
    static MessageLog log;
    return log;
}

void set_reaction(Reaction r) {
    std::lock_guard lock(reaction_mutex());
    reaction() = std::move(r);
}

TestClass::TestClass(UINT style) {
    static std::atomic<int> counter{0};
    const std::string n = "PlatformUserTest" + std::to_string(counter++);
    name_.assign(n.begin(), n.end());
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = recording_proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name();
    atom_ = RegisterClassExW(&wc);
    message_log().clear();
    set_reaction(nullptr);
}

TestClass::~TestClass() {
    set_reaction(nullptr);
    UnregisterClassW(name(), GetModuleHandleW(nullptr));
}

HWND TestClass::create(DWORD style, int x, int y, int width, int height, LPVOID param, const char16_t* title) {
    return CreateWindowExW(0, name(), W(title), style, x, y, width, height, nullptr, nullptr, GetModuleHandleW(nullptr),
                           param);
}

int pump() {
    int n = 0;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        ++n;
    }
    return n;
}

int index_of(const std::vector<UINT>& list, UINT message) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i] == message) return static_cast<int>(i);
    return -1;
}
