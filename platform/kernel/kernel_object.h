// Kernel objects behind HANDLE values: one process-wide table maps handles to typed objects.
// Objects are shared: a handle closed while a thread still uses the object (a running thread,
// a wait in progress) keeps the object alive until that use ends.
#pragma once

#include <win32/kernel.h>

#include <condition_variable>
#include <memory>
#include <mutex>

namespace layer::kernel {

enum class ObjectType { event, thread, file };

class KernelObject {
public:
    explicit KernelObject(ObjectType type) : type_(type) {}
    virtual ~KernelObject() = default;
    KernelObject(const KernelObject&) = delete;
    KernelObject& operator=(const KernelObject&) = delete;

    ObjectType type() const { return type_; }

private:
    ObjectType type_;
};

// An object with a signalled state that threads can wait for. An auto-reset object lets
// exactly one waiter through per signal.
class Waitable : public KernelObject {
public:
    Waitable(ObjectType type, bool auto_reset, bool signalled)
        : KernelObject(type), auto_reset_(auto_reset), signalled_(signalled) {}

    void signal();
    void reset();
    bool is_signalled();
    // True when the object was signalled within the time (INFINITE waits without limit).
    bool wait(DWORD milliseconds);

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    const bool auto_reset_;
    bool signalled_;
};

// Adds the object to the table; null (with ERROR_NOT_ENOUGH_MEMORY) when the table is full.
HANDLE insert_handle(std::shared_ptr<KernelObject> object);
// The object behind a handle, or null for a handle that is not open.
std::shared_ptr<KernelObject> find_handle(HANDLE handle);
// Removes the handle; the object lives on while others still hold it.
std::shared_ptr<KernelObject> remove_handle(HANDLE handle);

// The object behind a handle when it has the wanted type; otherwise null with
// ERROR_INVALID_HANDLE set.
template <typename T>
std::shared_ptr<T> find_object(HANDLE handle, ObjectType type) {
    auto object = find_handle(handle);
    if (!object || object->type() != type) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return std::static_pointer_cast<T>(object);
}

} // namespace layer::kernel
