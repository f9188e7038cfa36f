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
class LibraryLock {
public:
    LibraryLock() { graph_state.lock(&graph_state.critical_section); }
    ~LibraryLock() { graph_state.unlock(&graph_state.critical_section); }
    LibraryLock(const LibraryLock&) = delete;
    LibraryLock& operator=(const LibraryLock&) = delete;
};

// Start-up and teardown; run by the library itself around the program's entry point.
void library_startup();
void library_teardown();
