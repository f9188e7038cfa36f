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

// Whether the stream was made by open_stored_stream and is still open.
bool is_stored_stream(FILE* stream);

// Points a stream made by open_stored_stream at another descriptor with a new mode, keeping the
// FILE object; the old file is closed. False, with nothing changed, for any other stream.
bool reopen_stored_stream(FILE* stream, int fd, const OpenMode& mode, const std::string& delete_on_close_path);

} // namespace layer::crt
