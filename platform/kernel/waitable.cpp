// Signalled state and waits of kernel objects.
#include "kernel_object.h"

#include <chrono>

namespace layer::kernel {

void Waitable::signal() {
    {
        std::lock_guard lock(mutex_);
        signalled_ = true;
    }
    // Every waiter rechecks; an auto-reset object lets only the first one through.
    changed_.notify_all();
}

void Waitable::reset() {
    std::lock_guard lock(mutex_);
    signalled_ = false;
}

bool Waitable::is_signalled() {
    std::lock_guard lock(mutex_);
    return signalled_;
}

bool Waitable::wait(DWORD milliseconds) {
    std::unique_lock lock(mutex_);
    const auto ready = [this] { return signalled_; };
    if (milliseconds == INFINITE) {
        changed_.wait(lock, ready);
    } else {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        if (!changed_.wait_until(lock, deadline, ready)) return false;
    }
    if (auto_reset_) signalled_ = false;
    return true;
}

} // namespace layer::kernel

DWORD WINAPI WaitForSingleObject(HANDLE object, DWORD milliseconds) {
    using namespace layer::kernel;
    auto found = find_handle(object);
    auto waitable = std::dynamic_pointer_cast<Waitable>(found);
    if (!waitable) {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    return waitable->wait(milliseconds) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}
