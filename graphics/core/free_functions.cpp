#include "graphics.h"

#include "draw_on_wnd.h"
#include "graph_state.h"
#include "image_loading.h"

HWND open_window(int width, int height, int flags) { return graph_state.window_device->open_window(width, height, flags); }

void close_window() { graph_state.window_device->close_window(); }

void set_target_image(IMAGE* image) {
    LibraryLock lock;
    if (image) {
        graph_state.target = image;
        graph_state.current_device = graph_state.image_device.get();
        graph_state.window_dc = nullptr;
        graph_state.target_dc = image->dc;
    } else {
        graph_state.window_dc = graph_state.window->client_dc;
        graph_state.target_dc = graph_state.window->dc;
        graph_state.target = graph_state.window.get();
        graph_state.current_device = graph_state.window_device.get();
    }
}

COLORREF get_pixel(int x, int y) {
    // Before any target has been chosen there is no device to ask: no pixel there.
    Pellux::DrawOnImg* device = graph_state.current_device;
    return device ? device->get_pixel(x, y) : CLR_INVALID;
}

void flush_batch() {
    // Only the window device can flush; with an image as the target (or none) there is nothing
    // on the screen that belongs to the target.
    if (graph_state.current_device && graph_state.current_device == graph_state.window_device.get())
        graph_state.window_device->flush_batch();
}

DWORD* get_pixel_buffer(IMAGE* image) {
    if (image) return image->buffer;
    Pellux::GraphWnd* window = graph_state.window.get();
    if (!window) return nullptr;
    // What the program writes through the pointer cannot be seen: refresh the screen every time.
    if (window->buffer) window->buffer_handed_out = true;
    return window->buffer;
}

void load_image(IMAGE* image, const WCHAR* path, int width, int height, bool resize) {
    IMAGE* target = image ? image : graph_state.window.get();
    if (!target) return;
    load_image_into(target, path, width, height, resize);
}

void put_image(int x, int y, const IMAGE* image, DWORD rop) {
    if (!image || !graph_state.target_dc) return;
    const int width = image->width;
    const int height = image->height;
    LibraryLock lock;
    BitBlt(graph_state.target_dc, x, y, width, height, image->dc, 0, 0, rop);
}
