// The console. A Linux terminal has no console window: GetConsoleWindow returns null, and
// AllocConsole and FreeConsole succeed without doing anything visible (output already goes to
// the terminal the process runs in, if any). Ctrl+C arrives as SIGINT.
#include <win32/kernel.h>

#include <csignal>
#include <mutex>

namespace {

struct CtrlCState {
    std::mutex mutex;
    bool ignoring = false;
    struct sigaction previous{};
};

CtrlCState& ctrl_c() {
    static CtrlCState* instance = new CtrlCState;
    return *instance;
}

} // namespace

HWND WINAPI GetConsoleWindow() { return nullptr; }

BOOL WINAPI AllocConsole() { return TRUE; }

BOOL WINAPI FreeConsole() { return TRUE; }

BOOL WINAPI SetConsoleCtrlHandler(PHANDLER_ROUTINE handler, BOOL add) {
    if (handler) {
        // Handler routines are not offered: they would need a thread of their own to run on.
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return FALSE;
    }
    auto& state = ctrl_c();
    std::lock_guard lock(state.mutex);
    if (add && !state.ignoring) {
        struct sigaction ignore{};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        if (sigaction(SIGINT, &ignore, &state.previous) != 0) return FALSE;
        state.ignoring = true;
    } else if (!add && state.ignoring) {
        if (sigaction(SIGINT, &state.previous, nullptr) != 0) return FALSE;
        state.ignoring = false;
    }
    return TRUE;
}
