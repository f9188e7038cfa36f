// SDL key codes to the platform's virtual-key codes.
#pragma once

#include "win32.h"

#include <SDL.h>

namespace layer::user {

// 0 for keys that have no virtual-key code here.
UINT virtual_key(SDL_Keycode key);

} // namespace layer::user
