// The table of GDI objects behind the handles, and the lock that guards all GDI state.
#pragma once

#include "objects.h"

#include <memory>
#include <mutex>

namespace layer::gdi {

// Every GDI entry point holds this lock while it runs: the window thread and the drawing
// thread both call GDI.
std::recursive_mutex& gdi_mutex();
using GdiGuard = std::lock_guard<std::recursive_mutex>;

// Adds an object and gives its new handle (null when the table is full).
HGDIOBJ add_object(std::unique_ptr<Object> object);
// The live object behind a handle, or null for null, stale or foreign handles.
Object* find_object(HGDIOBJ handle);
// Removes and destroys an object now.
void destroy_object(HGDIOBJ handle);

template <class T>
T* find(HGDIOBJ handle) {
    Object* o = find_object(handle);
    return o != nullptr && o->type == T::kind ? static_cast<T*>(o) : nullptr;
}

// Selection bookkeeping: an object deleted while a DC holds it is freed when the last DC lets go.
void note_selected(HGDIOBJ handle);
void note_deselected(HGDIOBJ handle);

} // namespace layer::gdi
