// The fixed sizes of the window frame and of the screen without a display. They match the
// platform's defaults at 96 dpi, so that AdjustWindowRectEx gives the outer sizes programs expect.
#pragma once

namespace layer::user::metrics {

constexpr int caption = 23;        // title bar height, its bottom border line included
constexpr int small_caption = 17;  // tool-window title bar
constexpr int border = 1;          // thin border (WS_BORDER)
constexpr int fixed_frame = 3;     // dialog frame (WS_DLGFRAME, and so WS_CAPTION)
constexpr int size_frame = 4;      // sizing border (WS_THICKFRAME) ...
constexpr int padded_border = 4;   // ... plus its padding
constexpr int edge = 2;            // WS_EX_CLIENTEDGE
constexpr int menu = 20;           // a one-line menu bar
constexpr int icon = 32;
constexpr int cursor = 32;
constexpr int double_click_area = 4;
constexpr int headless_screen_width = 1920;
constexpr int headless_screen_height = 1080;

} // namespace layer::user::metrics
