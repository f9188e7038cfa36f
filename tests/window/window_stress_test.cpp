// The drawing thread draws, resets and resizes while the window thread refreshes, and mouse
// messages stream in while a reader takes them. Meant above all for the thread-sanitizer build.
#include <atomic>
#include <thread>

#include "window_test_support.h"

namespace {

using namespace window_test;

// The sender keeps at most this many messages on their way, so the queue (63) never fills and
// every message must arrive.
constexpr int in_flight_limit = 32;
constexpr int message_total = 4000;

struct MouseStream {
    std::atomic<int> sent{0};
    std::atomic<int> received{0};
    std::atomic<bool> order_kept{true};
    std::atomic<bool> reader_failed{false};
};

void send_messages(HWND hwnd, MouseStream& stream) {
    for (int i = 0; i < message_total; ++i) {
        while (stream.sent.load() - stream.received.load() >= in_flight_limit) {
            if (stream.reader_failed.load()) return;
            std::this_thread::yield();
        }
        // The sequence number rides in the coordinates.
        PostMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(i % 1000, i / 1000));
        stream.sent.fetch_add(1);
    }
}

void read_messages(MouseStream& stream) {
    int expected = 0;
    while (expected < message_total) {
        if (!mouse_wait_message(10000)) {
            stream.reader_failed = true;
            return;
        }
        MOUSEMSG record{};
        while (mouse_get_message(&record)) {
            if (record.x + record.y * 1000 != expected) stream.order_kept = false;
            ++expected;
            stream.received.fetch_add(1);
        }
    }
}

void draw_and_resize(int rounds) {
    Pellux::DrawOnWnd& device = window_device();
    const SIZE sizes[] = {{200, 150}, {260, 180}, {120, 90}, {200, 150}};
    for (int round = 0; round < rounds; ++round) {
        const COLORREF color = RGB(round * 7 % 256, round * 13 % 256, 255 - round % 256);
        device.put_pixel(round % 100, round % 80, color);
        device.set_bk_color(color);
        if (round % 10 == 0) device.clear_target();
        if (round % 25 == 0) device.set_origin(round % 5, round % 3);
        if (round % 40 == 0) {
            const SIZE size = sizes[(round / 40) % std::size(sizes)];
            window().resize(size.cx, size.cy);
        }
        if (round % 55 == 0) device.reset_defaults();
        if (round % 70 == 0) {
            device.begin_batch();
            device.put_pixel(1, 1, color);
            device.end_batch();
        }
        if (round % 90 == 0) {
            IMAGE image(8, 8);
            set_target_image(&image);
            window().resize(200 + round % 3, 150);
            set_target_image(nullptr);
        }
        if (round % 3 == 0) Sleep(0);
    }
}

using WindowStress = WindowTest;

TEST_F(WindowStress, DrawingAndMouseInputAgainstTheWindowThread) {
    HWND hwnd = open_window(200, 150, 0);
    ASSERT_NE(hwnd, nullptr);

    MouseStream stream;
    std::thread reader(read_messages, std::ref(stream));
    std::thread sender(send_messages, hwnd, std::ref(stream));

    draw_and_resize(3000);

    sender.join();
    reader.join();
    EXPECT_FALSE(stream.reader_failed.load());
    EXPECT_EQ(stream.received.load(), message_total);
    EXPECT_TRUE(stream.order_kept.load());

    // Whatever happened meanwhile, the refresh still brings the surface to the window.
    window_device().reset_defaults();
    window_device().set_bk_color(RGB(0, 0, 255));
    window_device().clear_target();
    const int w = window().width;
    const int h = window().height;
    EXPECT_TRUE(wait_until([&] { return client_pixel(hwnd, w - 1, h - 1) == RGB(0, 0, 255); }));
}

// Opening and closing while a reader keeps waiting: waits and opens share the window's event.
TEST_F(WindowStress, ReopeningWhileAReaderWaits) {
    std::atomic<bool> stop{false};
    std::thread reader([&] {
        while (!stop.load()) {
            if (mouse_wait_message(20)) mouse_clear_messages();
        }
    });
    for (int i = 0; i < 12; ++i) {
        HWND hwnd = open_window(60 + i, 40, 0);
        EXPECT_NE(hwnd, nullptr);
        PostMessageW(hwnd, WM_MOUSEMOVE, 0, 0);
        window_device().put_pixel(1, 1, RGB(255, 255, 0));
        if (i % 2) close_window();
    }
    stop = true;
    reader.join();
}

} // namespace
