// MessageBoxW: a real box on a display, or the caption and text on standard error and the
// default button at once without one.
#include "user/display.h"
#include "user/text.h"
#include "user/thread_queue.h"

#include <atomic>
#include <climits>
#include <cstdio>
#include <thread>

using namespace layer::user;

namespace {

struct ButtonSet {
    std::vector<std::string> labels;
    std::vector<int> ids;
};

bool button_set(UINT type, ButtonSet& set) {
    switch (type & 0xF) {
    case MB_OK: set = {{"OK"}, {IDOK}}; return true;
    case MB_OKCANCEL: set = {{"OK", "Cancel"}, {IDOK, IDCANCEL}}; return true;
    case MB_ABORTRETRYIGNORE: set = {{"Abort", "Retry", "Ignore"}, {IDABORT, IDRETRY, IDIGNORE}}; return true;
    case MB_YESNOCANCEL: set = {{"Yes", "No", "Cancel"}, {IDYES, IDNO, IDCANCEL}}; return true;
    case MB_YESNO: set = {{"Yes", "No"}, {IDYES, IDNO}}; return true;
    case MB_RETRYCANCEL: set = {{"Retry", "Cancel"}, {IDRETRY, IDCANCEL}}; return true;
    default: return false;
    }
}

// While the box is up the calling thread goes on handling its own messages, as in the
// platform's modal loop; a quit request is left for the caller's own loop.
int run_modal(Display& screen, const std::string& caption, const std::string& body, int icon,
              const std::vector<std::string>& labels, int default_button) {
    auto queue = current_queue();
    auto answer = std::make_shared<std::atomic<int>>(INT_MIN);
    std::thread([&screen, caption, body, icon, labels, default_button, answer, queue] {
        answer->store(screen.message_box(caption, body, icon, labels, default_button));
        queue->wake();
    }).detach();
    for (;;) {
        queue->arm();
        if (answer->load() != INT_MIN) return answer->load();
        MSG msg;
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != WM_QUIT &&
            PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            continue;
        }
        queue->wait();
    }
}

} // namespace

int WINAPI MessageBoxW(HWND, LPCWSTR text, LPCWSTR caption, UINT type) {
    ButtonSet set;
    if (!button_set(type, set)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::string title = caption != nullptr ? to_utf8(caption) : "Error";
    const std::string body = to_utf8(wide_copy(text));
    const int default_button = std::min<int>((type >> 8) & 0xF, static_cast<int>(set.ids.size()) - 1);
    int icon = 0; // 1 error, 2 warning, 3 information
    switch (type & 0xF0) {
    case MB_ICONERROR: icon = 1; break;
    case MB_ICONWARNING: icon = 2; break;
    case MB_ICONINFORMATION:
    case MB_ICONQUESTION: icon = 3; break;
    default: break;
    }
    Display& screen = display();
    if (!screen.is_headless()) {
        const int chosen = run_modal(screen, title, body, icon, set.labels, default_button);
        if (chosen >= 0 && chosen < static_cast<int>(set.ids.size())) return set.ids[chosen];
    }
    // No box can be shown: nobody can answer, so the default button is the answer.
    std::fprintf(stderr, "%s: %s\n", title.c_str(), body.c_str());
    std::fflush(stderr);
    return set.ids[default_button];
}
