#include "graph_state.h"

#include <cstdlib>

#include "draw_on_wnd.h"
#include "graph_wnd.h"
#include "imaging_binding.h"

namespace {

void WINAPI lock_nothing(LPCRITICAL_SECTION) {}

constexpr BITMAPINFO initial_bitmap_info() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

void teardown_at_exit() { library_teardown(); }

// Runs the start-up among the process's static initialisers, before the entry point.
struct StartUp {
    StartUp() { library_startup(); }
};

} // namespace

// Constant-initialised, so that code running before start-up finds the do-nothing lock.
constinit GraphState graph_state{
    initial_bitmap_info(), lock_nothing, lock_nothing, {}, nullptr, nullptr, {}, nullptr, {}, {}, nullptr,
    XFORM{1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f},
};

void library_startup() {
    InitializeCriticalSection(&graph_state.critical_section);
    graph_state.lock = EnterCriticalSection;
    graph_state.unlock = LeaveCriticalSection;
    GdiSetBatchLimit(1);
    imaging_startup();
    try {
        graph_state.window.construct();
        try {
            graph_state.image_device.construct();
            graph_state.window_device.construct();
        } catch (...) {
            graph_state.image_device.destroy();
            throw;
        }
    } catch (...) {
        graph_state.window.destroy();
        imaging_shutdown();
        DeleteCriticalSection(&graph_state.critical_section);
        graph_state.lock = graph_state.unlock = lock_nothing;
        throw;
    }
    std::atexit(teardown_at_exit);
}

void library_teardown() {
    if (!graph_state.window.alive()) return;  // never started, or already torn down
    graph_state.window_device.destroy();
    graph_state.image_device.destroy();
    graph_state.window.destroy();
    imaging_shutdown();
    DeleteCriticalSection(&graph_state.critical_section);
    graph_state.lock = graph_state.unlock = lock_nothing;
}

// Must follow the definition of graph_state in this file: static objects of one file are
// initialised in order of definition.
static StartUp start_up;
