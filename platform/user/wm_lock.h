// The one lock over the window manager's shared records (classes, windows, geometry). It is never
// held while a window procedure runs, while GDI is called, or while a thread waits.
#pragma once

#include <mutex>

namespace layer::user {

std::mutex& wm_mutex();

} // namespace layer::user
