// The library state: choosing the target and the free functions that go through the device.
#include <gtest/gtest.h>

#include "draw_on_wnd.h"
#include "graph_state.h"
#include "graphics.h"
#include "image_helpers.h"

namespace {

class Target : public testing::Test {
protected:
    void TearDown() override { set_target_image(nullptr); }
};

TEST_F(Target, ImageThenWindow) {
    IMAGE image(4, 4);
    set_target_image(&image);
    EXPECT_EQ(graph_state.target, &image);
    EXPECT_EQ(graph_state.current_device, graph_state.image_device.get());
    EXPECT_EQ(graph_state.window_dc, nullptr);
    EXPECT_EQ(graph_state.target_dc, image.dc);

    set_target_image(nullptr);
    EXPECT_EQ(graph_state.target, graph_state.window.get());
    EXPECT_EQ(graph_state.current_device, static_cast<Pellux::DrawOnImg*>(graph_state.window_device.get()));
    EXPECT_EQ(graph_state.window_dc, graph_state.window->client_dc);
    EXPECT_EQ(graph_state.target_dc, graph_state.window->dc);
}

TEST_F(Target, GetPixelReadsTheTargetInColourOrder) {
    IMAGE image(3, 2);
    image.buffer[0] = 0xFF0000;  // red in pixel order
    image.buffer[1] = 0x0000FF;  // blue
    image.buffer[5] = 0x123456;
    set_target_image(&image);
    EXPECT_EQ(get_pixel(0, 0), 255u);
    EXPECT_EQ(get_pixel(1, 0), 16711680u);
    EXPECT_EQ(get_pixel(2, 1), 0x563412u);
    EXPECT_EQ(get_pixel(3, 0), CLR_INVALID);
    EXPECT_EQ(get_pixel(-1, 0), CLR_INVALID);
    EXPECT_EQ(get_pixel(0, 2), CLR_INVALID);
}

// With an image as the target there is no window copy to make: the image is left alone.
TEST_F(Target, FlushBatchWithImageTargetTouchesNothing) {
    IMAGE image(3, 3);
    fill_pattern(image);
    const auto before = pixels_of(image);
    set_target_image(&image);
    flush_batch();
    EXPECT_EQ(pixels_of(image), before);
    EXPECT_EQ(graph_state.target, &image);
}

TEST_F(Target, PixelBufferOfImagesAndWindow) {
    IMAGE image(2, 2);
    EXPECT_EQ(get_pixel_buffer(&image), image.buffer);
    EXPECT_EQ(get_pixel_buffer(nullptr), graph_state.window->buffer);
}

TEST_F(Target, PutImageWithoutWindowSurfaceIsHarmless) {
    // The window has not been opened in this program: its surface is empty.
    set_target_image(nullptr);
    IMAGE image(2, 2);
    put_image(0, 0, &image, SRCCOPY);
    EXPECT_EQ(graph_state.window->buffer, nullptr);
}

} // namespace
