// The process-wide handle table. Handle values are multiples of four starting at four, like the
// platform's, so that they never collide with null or INVALID_HANDLE_VALUE.
#include "kernel_object.h"

#include <vector>

namespace layer::kernel {
namespace {

class HandleTable {
public:
    HANDLE insert(std::shared_ptr<KernelObject> object) {
        std::lock_guard lock(mutex_);
        std::size_t index;
        if (!free_.empty()) {
            index = free_.back();
            free_.pop_back();
            slots_[index] = std::move(object);
        } else {
            if (slots_.size() >= max_slots) return nullptr;
            index = slots_.size();
            slots_.push_back(std::move(object));
        }
        return to_handle(index);
    }

    std::shared_ptr<KernelObject> find(HANDLE handle) {
        std::lock_guard lock(mutex_);
        const auto index = to_index(handle);
        if (index >= slots_.size()) return nullptr;
        return slots_[index];
    }

    std::shared_ptr<KernelObject> remove(HANDLE handle) {
        std::lock_guard lock(mutex_);
        const auto index = to_index(handle);
        if (index >= slots_.size() || !slots_[index]) return nullptr;
        free_.push_back(index);
        return std::move(slots_[index]);
    }

private:
    static constexpr std::size_t max_slots = 1u << 24;
    static constexpr std::size_t invalid_index = static_cast<std::size_t>(-1);

    static HANDLE to_handle(std::size_t index) { return reinterpret_cast<HANDLE>((index + 1) * 4); }
    static std::size_t to_index(HANDLE handle) {
        const auto value = reinterpret_cast<std::uintptr_t>(handle);
        if (value == 0 || value % 4 != 0 || value / 4 > max_slots) return invalid_index;
        return value / 4 - 1;
    }

    std::mutex mutex_;
    std::vector<std::shared_ptr<KernelObject>> slots_;
    std::vector<std::size_t> free_;
};

// Never destroyed: handles may still be closed by static destructors and exit handlers.
HandleTable& table() {
    static HandleTable* instance = new HandleTable;
    return *instance;
}

} // namespace

HANDLE insert_handle(std::shared_ptr<KernelObject> object) {
    HANDLE handle = table().insert(std::move(object));
    if (!handle) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return handle;
}

std::shared_ptr<KernelObject> find_handle(HANDLE handle) { return table().find(handle); }

std::shared_ptr<KernelObject> remove_handle(HANDLE handle) { return table().remove(handle); }

} // namespace layer::kernel

BOOL WINAPI CloseHandle(HANDLE object) {
    if (!layer::kernel::remove_handle(object)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
