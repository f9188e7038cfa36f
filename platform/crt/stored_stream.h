// Streams whose bytes pass through the layer on their way to the file: text mode, where every
// LF is stored as CR LF and read back from CR LF, and files deleted when the stream closes.
// The result is an ordinary FILE (glibc's fopencookie); its position is counted in stored bytes.
#pragma once

#include "open_mode.h"

#include <cstdio>
#include <string>

namespace layer::crt {

// Takes the descriptor over (it is closed also on failure). Null with errno on failure.
FILE* open_stored_stream(int fd, const OpenMode& mode, const std::string& delete_on_close_path);

} // namespace layer::crt
