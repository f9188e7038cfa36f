// Events, manual and auto reset. Named events share one object per name within the process.
#include "kernel_object.h"

#include <map>
#include <string>

namespace layer::kernel {
namespace {

class Event : public Waitable {
public:
    Event(bool manual_reset, bool signalled) : Waitable(ObjectType::event, !manual_reset, signalled) {}
};

struct NamedEvents {
    std::mutex mutex;
    std::map<std::u16string, std::weak_ptr<Event>> by_name;
};

NamedEvents& named_events() {
    static NamedEvents* instance = new NamedEvents;
    return *instance;
}

std::shared_ptr<Event> find_event(HANDLE handle) { return find_object<Event>(handle, ObjectType::event); }

} // namespace
} // namespace layer::kernel

HANDLE WINAPI CreateEventW(LPSECURITY_ATTRIBUTES, BOOL manual_reset, BOOL initial_state, LPCWSTR name) {
    using namespace layer::kernel;
    if (!name || !*name) {
        HANDLE handle = insert_handle(std::make_shared<Event>(manual_reset != FALSE, initial_state != FALSE));
        if (handle) SetLastError(ERROR_SUCCESS);
        return handle;
    }
    auto& names = named_events();
    std::lock_guard lock(names.mutex);
    // Names whose events have all been closed are free again.
    std::erase_if(names.by_name, [](const auto& entry) { return entry.second.expired(); });
    auto& slot = names.by_name[std::u16string(name)];
    auto event = slot.lock();
    const bool existed = event != nullptr;
    if (!existed) {
        event = std::make_shared<Event>(manual_reset != FALSE, initial_state != FALSE);
        slot = event;
    }
    HANDLE handle = insert_handle(event);
    if (handle) SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

BOOL WINAPI SetEvent(HANDLE event) {
    auto found = layer::kernel::find_event(event);
    if (!found) return FALSE;
    found->signal();
    return TRUE;
}

BOOL WINAPI ResetEvent(HANDLE event) {
    auto found = layer::kernel::find_event(event);
    if (!found) return FALSE;
    found->reset();
    return TRUE;
}
