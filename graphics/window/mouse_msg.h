// One queued mouse message of the graphics window.
#pragma once

#include <cstdint>

#include "platform_api.h"

struct MOUSEMSG {
    std::uint32_t message;  // WM_MOUSEMOVE .. WM_MOUSEWHEEL
    bool ctrl;
    bool shift;
    bool left_button;
    bool middle_button;
    bool right_button;
    std::int16_t x;         // client-area coordinates
    std::int16_t y;
    std::int16_t wheel;     // the high word of wParam: the wheel delta for WM_MOUSEWHEEL
};

// A thread asks the window procedure to release it with the next mouse message.
constexpr UINT MOUSE_WAIT_REQUEST = WM_USER + 1;
