#include "handle_table.h"

#include <array>
#include <cstdint>
#include <vector>

namespace layer::gdi {

namespace {

// Handles carry a slot index in their low bits and the slot's generation above it, so a stale
// handle of a reused slot is refused.
constexpr unsigned index_bits = 24;
constexpr std::uintptr_t index_mask = (std::uintptr_t{1} << index_bits) - 1;

struct Slot {
    std::unique_ptr<Object> object;
    std::uintptr_t generation = 0;
};

struct Table {
    std::vector<Slot> slots{1}; // slot 0 is never used, so no handle is small
    std::vector<std::size_t> free_slots;
    std::array<int, 7> live{};
};

// Built on first use and never destroyed: GDI is called from static constructors and at exit.
Table& table() {
    static Table* t = new Table;
    return *t;
}

HGDIOBJ make_handle(std::size_t index, std::uintptr_t generation) {
    return reinterpret_cast<HGDIOBJ>((generation << index_bits) | index);
}

Slot* slot_of(HGDIOBJ handle) {
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    const std::size_t index = value & index_mask;
    const std::uintptr_t generation = value >> index_bits;
    Table& t = table();
    if (index == 0 || index >= t.slots.size()) return nullptr;
    Slot& s = t.slots[index];
    if (!s.object || s.generation != generation) return nullptr;
    return &s;
}

} // namespace

std::recursive_mutex& gdi_mutex() {
    static auto* m = new std::recursive_mutex;
    return *m;
}

HGDIOBJ add_object(std::unique_ptr<Object> object) {
    Table& t = table();
    std::size_t index;
    if (!t.free_slots.empty()) {
        index = t.free_slots.back();
        t.free_slots.pop_back();
    } else {
        if (t.slots.size() > index_mask) return nullptr;
        index = t.slots.size();
        t.slots.emplace_back();
    }
    Slot& s = t.slots[index];
    ++s.generation;
    if (!object->stock) ++t.live[static_cast<std::size_t>(object->type)];
    s.object = std::move(object);
    return make_handle(index, s.generation);
}

Object* find_object(HGDIOBJ handle) {
    Slot* s = slot_of(handle);
    return s ? s->object.get() : nullptr;
}

void destroy_object(HGDIOBJ handle) {
    Slot* s = slot_of(handle);
    if (!s) return;
    Table& t = table();
    if (!s->object->stock) --t.live[static_cast<std::size_t>(s->object->type)];
    std::unique_ptr<Object> doomed = std::move(s->object);
    t.free_slots.push_back(static_cast<std::size_t>(s - t.slots.data()));
    doomed.reset();
}

void note_selected(HGDIOBJ handle) {
    if (Object* o = find_object(handle)) ++o->selections;
}

void note_deselected(HGDIOBJ handle) {
    Object* o = find_object(handle);
    if (!o) return;
    if (o->selections > 0) --o->selections;
    if (o->selections == 0 && o->delete_pending && !o->stock) destroy_object(handle);
}

} // namespace layer::gdi

namespace layer {

int live_gdi_objects(GdiType type) {
    gdi::GdiGuard guard(gdi::gdi_mutex());
    return gdi::table().live[static_cast<std::size_t>(type)];
}

int live_gdi_objects_total() {
    gdi::GdiGuard guard(gdi::gdi_mutex());
    int total = 0;
    for (int n : gdi::table().live) total += n;
    return total;
}

} // namespace layer
