// Presentation: the owner thread hands the dirty backing stores of its visible windows to the
// display. Called from the thread's message pumping only.
#pragma once

#include "win32.h"

namespace layer::user {

void present_dirty_windows(DWORD thread_id);

// Without a display nobody sees a frame: presenting only counts, unless frames are kept for
// the test hooks.
void keep_frames(bool keep);

} // namespace layer::user
