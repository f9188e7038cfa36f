// The console. A Linux terminal has no console window: GetConsoleWindow returns null, and
// AllocConsole and FreeConsole succeed without doing anything visible (output already goes to
// the terminal the process runs in, if any). Ctrl+C arrives as SIGINT: ignored while a null
// handler is set, otherwise passed to the handler routines on a thread of their own, as the
// platform does; when none of them takes it, the process ends by the signal.
#include <win32/kernel.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <pthread.h>
#include <unistd.h>
#include <vector>

namespace {

// Write end of the pipe that wakes the dispatcher; read by the signal handler, hence atomic.
std::atomic<int> wake_fd{-1};

class CtrlC {
public:
    bool ignore(bool on) {
        std::lock_guard lock(mutex_);
        ignoring_ = on;
        return apply();
    }

    bool add(PHANDLER_ROUTINE handler) {
        std::lock_guard lock(mutex_);
        if (!start_dispatcher()) return false;
        handlers_.push_back(handler);
        return apply();
    }

    bool remove(PHANDLER_ROUTINE handler) {
        std::lock_guard lock(mutex_);
        const auto found = std::find(handlers_.rbegin(), handlers_.rend(), handler);
        if (found == handlers_.rend()) return false;
        handlers_.erase(std::next(found).base());
        return apply();
    }

private:
    // Sets SIGINT's disposition from the state: ignored, dispatched, or as it was before us.
    bool apply() {
        struct sigaction wanted{};
        sigemptyset(&wanted.sa_mask);
        if (ignoring_) {
            wanted.sa_handler = SIG_IGN;
        } else if (!handlers_.empty()) {
            wanted.sa_handler = on_signal;
            wanted.sa_flags = SA_RESTART;
        } else {
            if (!installed_) return true;
            installed_ = false;
            return sigaction(SIGINT, &original_, nullptr) == 0;
        }
        if (installed_) return sigaction(SIGINT, &wanted, nullptr) == 0;
        if (sigaction(SIGINT, &wanted, &original_) != 0) return false;
        installed_ = true;
        return true;
    }

    bool start_dispatcher() {
        if (dispatcher_started_) return true;
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) != 0) return false;
        fcntl(ends[1], F_SETFL, O_NONBLOCK);
        read_end_ = ends[0];
        pthread_t thread;
        if (pthread_create(&thread, nullptr, dispatch, this) != 0) {
            ::close(ends[0]);
            ::close(ends[1]);
            return false;
        }
        pthread_detach(thread);
        wake_fd.store(ends[1]);
        dispatcher_started_ = true;
        return true;
    }

    static void on_signal(int) {
        const int saved = errno;
        const char byte = 0;
        [[maybe_unused]] const auto ignored = ::write(wake_fd.load(), &byte, 1);
        errno = saved;
    }

    static void* dispatch(void* self) {
        auto& ctrl_c = *static_cast<CtrlC*>(self);
        for (;;) {
            char byte;
            const ssize_t count = ::read(ctrl_c.read_end_, &byte, 1);
            if (count < 0 && errno == EINTR) continue;
            if (count <= 0) return nullptr;
            ctrl_c.deliver();
        }
    }

    // The most recently added handler is asked first.
    void deliver() {
        std::vector<PHANDLER_ROUTINE> handlers;
        {
            std::lock_guard lock(mutex_);
            if (ignoring_) return;
            handlers.assign(handlers_.rbegin(), handlers_.rend());
        }
        for (PHANDLER_ROUTINE handler : handlers)
            if (handler(CTRL_C_EVENT)) return;
        // Nobody took it: end the way an interrupted process ends.
        signal(SIGINT, SIG_DFL);
        raise(SIGINT);
    }

    std::mutex mutex_;
    std::vector<PHANDLER_ROUTINE> handlers_;
    bool ignoring_ = false;
    bool installed_ = false;
    bool dispatcher_started_ = false;
    struct sigaction original_{};
    int read_end_ = -1;
};

} // namespace

HWND WINAPI GetConsoleWindow() { return nullptr; }

BOOL WINAPI AllocConsole() { return TRUE; }

BOOL WINAPI FreeConsole() { return TRUE; }

BOOL WINAPI SetConsoleCtrlHandler(PHANDLER_ROUTINE handler, BOOL add) {
    static CtrlC* const instance = new CtrlC;
    auto& ctrl_c = *instance;
    if (!handler) return ctrl_c.ignore(add != FALSE) ? TRUE : FALSE;
    if (add) return ctrl_c.add(handler) ? TRUE : FALSE;
    if (!ctrl_c.remove(handler)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}
