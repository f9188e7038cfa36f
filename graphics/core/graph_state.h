// GraphState: the one record of the library's shared state, and the library lock.
#pragma once

#include "deferred.h"
#include "draw_on_wnd.h"
#include "graph_wnd.h"
#include "platform_api.h"

using LockFunction = void(WINAPI*)(LPCRITICAL_SECTION);

struct GraphState {
    BITMAPINFO bitmap_info;
    LockFunction lock;
    LockFunction unlock;
    CRITICAL_SECTION critical_section;
    HDC window_dc;
    HDC target_dc;
    Deferred<Pellux::GraphWnd> window;
    IMAGE* target;
    Deferred<Pellux::DrawOnImg> image_device;
    Deferred<Pellux::DrawOnWnd> window_device;
    Pellux::DrawOnImg* current_device;
    XFORM identity_xform;
};

extern GraphState graph_state;

// Holds the library lock for one scope. Before start-up and after teardown the lock does nothing.
//
// A holder may change the window surface, so releasing this lock marks the surface as changed:
// the window thread copies it to the screen only when it has changed since its last copy (a
// reader such as get_pixel then never waits behind a copy of an unchanged surface).
class LibraryLock {
public:
    LibraryLock() { graph_state.lock(&graph_state.critical_section); }
    ~LibraryLock() {
        if (Pellux::GraphWnd* window = graph_state.window.get()) window->surface_changed.store(true, std::memory_order_relaxed);
        graph_state.unlock(&graph_state.critical_section);
    }
    LibraryLock(const LibraryLock&) = delete;
    LibraryLock& operator=(const LibraryLock&) = delete;
};

// The library lock for operations that only read surfaces and state: the window surface is not
// marked as changed.
class ReadingLock {
public:
    ReadingLock() { graph_state.lock(&graph_state.critical_section); }
    ~ReadingLock() { graph_state.unlock(&graph_state.critical_section); }
    ReadingLock(const ReadingLock&) = delete;
    ReadingLock& operator=(const ReadingLock&) = delete;
};

// Start-up and teardown; run by the library itself around the program's entry point.
void library_startup();
void library_teardown();
