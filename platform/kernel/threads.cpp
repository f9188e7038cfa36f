// Threads: CreateThread over POSIX threads. The thread object is signalled when the thread
// ends; its handle may be closed at any time, the thread itself runs on detached.
#include "kernel_object.h"

#include <algorithm>
#include <climits>
#include <pthread.h>
#include <unistd.h>

namespace layer::kernel {
namespace {

class Thread : public Waitable {
public:
    explicit Thread(bool suspended) : Waitable(ObjectType::thread, false, false), suspended_(suspended) {}

    void publish_id(DWORD id) {
        std::lock_guard lock(mutex_);
        id_ = id;
        changed_.notify_all();
    }
    DWORD wait_for_id() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return id_ != 0; });
        return id_;
    }
    void wait_until_resumed() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !suspended_; });
    }
    // The previous suspend count: 1 when this call let the thread start, 0 when it was running.
    DWORD resume() {
        std::lock_guard lock(mutex_);
        const DWORD previous = suspended_ ? 1 : 0;
        suspended_ = false;
        changed_.notify_all();
        return previous;
    }
    void set_exit_code(DWORD code) {
        std::lock_guard lock(mutex_);
        exit_code_ = code;
    }
    DWORD exit_code() {
        std::lock_guard lock(mutex_);
        return exit_code_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    DWORD id_ = 0;
    bool suspended_;
    DWORD exit_code_ = STILL_ACTIVE;
};

struct ThreadStart {
    std::shared_ptr<Thread> thread;
    LPTHREAD_START_ROUTINE routine;
    LPVOID parameter;
};

// The thread object of the calling thread when CreateThread made it; ExitThread records its
// exit code there.
thread_local Thread* current_thread = nullptr;

// Signals the end of the thread also when ExitThread unwinds it.
struct FinishSignal {
    Thread& thread;
    ~FinishSignal() { thread.signal(); }
};

void* run_thread(void* argument) {
    std::unique_ptr<ThreadStart> start(static_cast<ThreadStart*>(argument));
    std::shared_ptr<Thread> thread = start->thread;
    current_thread = thread.get();
    thread->publish_id(GetCurrentThreadId());
    thread->wait_until_resumed();
    FinishSignal finish{*thread};
    thread->set_exit_code(start->routine(start->parameter));
    return nullptr;
}

std::shared_ptr<Thread> find_thread(HANDLE handle) { return find_object<Thread>(handle, ObjectType::thread); }

} // namespace
} // namespace layer::kernel

DWORD WINAPI GetCurrentThreadId() {
    thread_local DWORD id = static_cast<DWORD>(gettid());
    return id;
}

HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T stack_size, LPTHREAD_START_ROUTINE routine,
                           LPVOID parameter, DWORD flags, LPDWORD thread_id) {
    using namespace layer::kernel;
    if (!routine) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto thread = std::make_shared<Thread>((flags & CREATE_SUSPENDED) != 0);
    HANDLE handle = insert_handle(thread);
    if (!handle) return nullptr;

    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
    if (stack_size != 0) pthread_attr_setstacksize(&attributes, std::max<SIZE_T>(stack_size, PTHREAD_STACK_MIN));
    auto start = std::make_unique<ThreadStart>(ThreadStart{thread, routine, parameter});
    pthread_t posix_thread;
    const int error = pthread_create(&posix_thread, &attributes, run_thread, start.get());
    pthread_attr_destroy(&attributes);
    if (error != 0) {
        remove_handle(handle);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    start.release(); // the thread owns it now
    const DWORD id = thread->wait_for_id();
    if (thread_id) *thread_id = id;
    return handle;
}

DWORD WINAPI ResumeThread(HANDLE handle) {
    auto thread = layer::kernel::find_thread(handle);
    if (!thread) return static_cast<DWORD>(-1);
    return thread->resume();
}

void WINAPI ExitThread(DWORD exit_code) {
    if (layer::kernel::current_thread) layer::kernel::current_thread->set_exit_code(exit_code);
    // Unwinds the thread's stack, so FinishSignal signals the thread object on the way out.
    pthread_exit(nullptr);
}

BOOL WINAPI GetExitCodeThread(HANDLE handle, LPDWORD exit_code) {
    auto thread = layer::kernel::find_thread(handle);
    if (!thread) return FALSE;
    if (!exit_code) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *exit_code = thread->is_signalled() ? thread->exit_code() : STILL_ACTIVE;
    return TRUE;
}
